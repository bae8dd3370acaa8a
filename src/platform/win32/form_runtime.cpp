// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_runtime.h"

#include <stdexcept>

#include "layout.h"
#include "menus.h"
#include "resources.h"
#include "twips.h"
#include "wide.h"
#include "window_procedure.h"

namespace {

constexpr wchar_t kClassName[] = L"TacolinaForm";
// A fixed frame: a caption with minimise and close, no resizing, no maximise.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFirstCommand = 100;

double ratio(UINT dpi)
{
    return static_cast<double>(dpi) / twips::kLogicalDpi;
}

}  // namespace

FormRuntime::FormRuntime(HINSTANCE instance)
    : hwnd_(createWindow(instance)), host_(*this, ratio(GetDpiForWindow(hwnd_)), DrawingArea::dibSections()),
      area_(hwnd_, instance, GetDpiForWindow(hwnd_), host_)
{
    fitTo(GetDpiForWindow(hwnd_), nullptr);
    host_.load();
    ready_ = true;
}

FormRuntime::~FormRuntime()
{
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
}

HWND FormRuntime::createWindow(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &windowProcedure<FormRuntime>;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_TACOLINA));
    windowClass.hIconSm =
        static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TACOLINA), IMAGE_ICON,
                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    // The window keeps the desktop's own background.
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    DrawingArea::registerClass(instance);

    const std::wstring caption = widen(layout::kCaption);
    HWND hwnd = CreateWindowExW(0, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                CW_USEDEFAULT, nullptr, buildMenus(), instance, this);
    if (hwnd == nullptr) {
        throw std::runtime_error("the window could not be created");
    }
    return hwnd;
}

HMENU FormRuntime::buildMenus()
{
    HMENU bar = CreateMenu();
    for (const Menu& menu : menuBar()) {
        HMENU popup = CreatePopupMenu();
        for (const MenuItem& item : menu.items) {
            const auto id = static_cast<UINT_PTR>(kFirstCommand + commands_.size());
            commands_.push_back(item.handler);
            AppendMenuW(popup, MF_STRING, id, widen(item.caption).c_str());
        }
        AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), widen(menu.caption).c_str());
    }
    return bar;
}

void FormRuntime::fitTo(UINT dpi, const RECT* suggested)
{
    const int width = twips::toWholePixels(layout::kClientWidth, static_cast<int>(dpi));
    const int height = twips::toWholePixels(layout::kClientHeight, static_cast<int>(dpi));
    RECT frame{0, 0, width, height};
    AdjustWindowRectExForDpi(&frame, kStyle, TRUE, 0, dpi);
    RECT now;
    GetWindowRect(hwnd_, &now);
    const int x = suggested != nullptr ? suggested->left : now.left;
    const int y = suggested != nullptr ? suggested->top : now.top;
    SetWindowPos(hwnd_, nullptr, x, y, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // A menu bar that wraps takes more height than the frame allowed for.
    RECT client;
    GetClientRect(hwnd_, &client);
    const int more = height - (client.bottom - client.top);
    if (more != 0) {
        SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + more,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    }
}

void FormRuntime::show(int showCommand)
{
    ShowWindow(hwnd_, showCommand);
    UpdateWindow(hwnd_);
}

void FormRuntime::startWakeups(std::chrono::milliseconds every)
{
    SetTimer(hwnd_, kFrameTimer, static_cast<UINT>(every.count()), nullptr);
}

void FormRuntime::stopWakeups()
{
    KillTimer(hwnd_, kFrameTimer);
}

void FormRuntime::present(std::span<const Box> boxes)
{
    area_.present(boxes);
}

void FormRuntime::closeWindow()
{
    DestroyWindow(hwnd_);
}

double FormRuntime::refreshHz()
{
    HDC dc = GetDC(hwnd_);
    const int hz = GetDeviceCaps(dc, VREFRESH);
    ReleaseDC(hwnd_, dc);
    return hz > 1 ? hz : 0.0;  // 0 and 1 stand for the hardware's default
}

LRESULT FormRuntime::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= kFirstCommand &&
            LOWORD(wParam) - kFirstCommand < commands_.size()) {
            host_.choose(commands_[LOWORD(wParam) - kFirstCommand]);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kFrameTimer) {
            host_.wake();
            return 0;
        }
        break;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            host_.setSeen(false);
        } else if (wParam == SIZE_RESTORED || wParam == SIZE_MAXIMIZED) {
            host_.setSeen(true);
        }
        break;
    case WM_DPICHANGED: {
        const UINT dpi = HIWORD(wParam);
        fitTo(dpi, reinterpret_cast<const RECT*>(lParam));
        area_.place(dpi);
        host_.setDevicePixelRatio(ratio(dpi));  // resamples the picture and shows it whole
        return 0;
    }
    case WM_EXITMENULOOP:
        // As elsewhere: a click outside an open menu only closes it, though
        // Windows hands that press on to the area as well.
        host_.menuClosed(static_cast<EventTime>(GetMessageTime()));
        break;
    case WM_CLOSE:
        host_.closing();
        DestroyWindow(hwnd_);
        return 0;
    case WM_DESTROY:
        KillTimer(hwnd_, kFrameTimer);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}
