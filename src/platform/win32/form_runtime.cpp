// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "form_runtime.h"

#include <stdexcept>

#include "layout.h"
#include "menus.h"
#include "resources.h"
#include "wide.h"
#include "window_procedure.h"

namespace {

constexpr wchar_t kClassName[] = L"TacolinaForm";
// A fixed frame: a caption with minimise and close, no resizing, no maximise.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFirstCommand = 100;

int scaled(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

double refreshHz(HWND hwnd)
{
    HDC dc = GetDC(hwnd);
    const int hz = GetDeviceCaps(dc, VREFRESH);
    ReleaseDC(hwnd, dc);
    return hz > 1 ? hz : 0.0;  // 0 and 1 stand for the hardware's default
}

}  // namespace

FormRuntime::FormRuntime(HINSTANCE instance) : instance_(instance), timer_(*this, [this] { events_->tick(); })
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
    hwnd_ = CreateWindowExW(0, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                            CW_USEDEFAULT, nullptr, buildMenus(), instance, this);
    if (hwnd_ == nullptr) {
        throw std::runtime_error("the window could not be created");
    }
    const UINT dpi = GetDpiForWindow(hwnd_);
    fitTo(dpi, nullptr);
    picture_ =
        std::make_unique<DrawingArea>(hwnd_, instance, dpi, [this] { events_->deliver(&Form1::Picture1_Click); });
    form_ = std::make_unique<Form1>(*picture_, timer_, random_, *this);
    events_ = std::make_unique<FormEvents>(*form_, timer_, [this] { picture_->showFrame(); });
    events_->deliver(&Form1::Form_Load);
}

FormRuntime::~FormRuntime()
{
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);
    }
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
    const int width = scaled(layout::kClientWidth, dpi);
    const int height = scaled(layout::kClientHeight, dpi);
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

void FormRuntime::End()
{
    events_->end();
    timer_.SetEnabled(false);
    DestroyWindow(hwnd_);
}

void FormRuntime::startWakeups()
{
    SetTimer(hwnd_, kFrameTimer, static_cast<UINT>(frameInterval(refreshHz(hwnd_)).count()), nullptr);
}

void FormRuntime::stopWakeups()
{
    KillTimer(hwnd_, kFrameTimer);
}

LRESULT FormRuntime::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == 0 && LOWORD(wParam) >= kFirstCommand &&
            LOWORD(wParam) - kFirstCommand < commands_.size()) {
            events_->deliver(commands_[LOWORD(wParam) - kFirstCommand]);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kFrameTimer) {
            events_->frame();
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        const UINT dpi = HIWORD(wParam);
        fitTo(dpi, reinterpret_cast<const RECT*>(lParam));
        picture_->place(dpi);
        return 0;
    }
    case WM_EXITMENULOOP:
        // As with the Qt program: a click outside an open menu only closes it.
        picture_->dropPressThatClosedAMenu(GetMessageTime());
        break;
    case WM_CLOSE:
        events_->closing();
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
