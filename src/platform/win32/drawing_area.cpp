// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area.h"

#include <windowsx.h>

#include <oleacc.h>
#include <stdexcept>
#include <utility>

#include "area_accessible.h"
#include "layout.h"
#include "window_procedure.h"

namespace {

constexpr wchar_t kClassName[] = L"TacolinaPicture";
// Posted by the accessible object: its default action is the same Click.
constexpr UINT kAccessibleClick = WM_APP + 1;

int scaled(int twips, UINT dpi)
{
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

}  // namespace

// Pixels that GDI can show as they are: a top-down 32-bit DIB section.
class DrawingArea::Dib : public PixelMemory {
public:
    Dib(int width, int height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap_ == nullptr) {
            throw std::runtime_error("CreateDIBSection failed");
        }
        pixels_ = static_cast<std::uint32_t*>(bits);
    }
    ~Dib() override { DeleteObject(bitmap_); }
    Dib(const Dib&) = delete;
    Dib& operator=(const Dib&) = delete;

    std::uint32_t* pixels() override { return pixels_; }
    HBITMAP bitmap() const { return bitmap_; }

private:
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* pixels_ = nullptr;
};

void DrawingArea::registerClass(HINSTANCE instance)
{
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    // No CS_DBLCLKS: the second press of a double click comes as a press.
    windowClass.lpfnWndProc = &windowProcedure<DrawingArea>;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
}

DrawingArea::DrawingArea(HWND parent, HINSTANCE instance, UINT dpi, std::function<void()> onClick)
    : CanvasSurface(RingCanvas(layout::kPictureWidth / layout::kTwipsPerPixel,
                               layout::kPictureHeight / layout::kTwipsPerPixel, dpi / 96.0, layout::kPictureBackColor,
                               [](int width, int height) { return std::make_unique<Dib>(width, height); })),
      onClick_(std::move(onClick))
{
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, scaled(layout::kPictureLeft, dpi),
                            scaled(layout::kPictureTop, dpi), scaled(layout::kPictureWidth, dpi),
                            scaled(layout::kPictureHeight, dpi), parent, nullptr, instance, this);
}

DrawingArea::~DrawingArea()
{
    if (accessible_ != nullptr) {
        accessible_->disconnect();
        accessible_->Release();
    }
    if (hwnd_ != nullptr) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void DrawingArea::showFrame()
{
    if (hwnd_ == nullptr) {
        return;  // gone with the program's end; a null window would mean every window
    }
    canvas_.finishRun();
    for (const Box& logical : canvas_.takeDirty()) {
        const Box box = RingCanvas::toDevice(logical, canvas_.devicePixelRatio());
        const RECT rect{box.x, box.y, box.x + box.width, box.y + box.height};
        InvalidateRect(hwnd_, &rect, FALSE);
    }
}

void DrawingArea::place(UINT dpi)
{
    canvas_.setDevicePixelRatio(dpi / 96.0);
    SetWindowPos(hwnd_, nullptr, scaled(layout::kPictureLeft, dpi), scaled(layout::kPictureTop, dpi),
                 scaled(layout::kPictureWidth, dpi), scaled(layout::kPictureHeight, dpi),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    canvas_.takeDirty();
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void DrawingArea::dropPressThatClosedAMenu(LONG closedAt)
{
    // A press made after the menu closed (Wine may say it closed a little
    // late) is a click of its own.
    MSG press;
    while (PeekMessageW(&press, hwnd_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_NOREMOVE) &&
           static_cast<LONG>(press.time - static_cast<DWORD>(closedAt)) <= 0) {
        PeekMessageW(&press, hwnd_, WM_LBUTTONDOWN, WM_LBUTTONDOWN, PM_REMOVE);
    }
}

LRESULT DrawingArea::onMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND:
        return 1;  // the picture covers the whole area
    case WM_PAINT:
        onPaint();
        return 0;
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(hwnd_);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    case kAccessibleClick:
        onClick_();
        return 0;
    case WM_GETOBJECT:
        return onGetObject(wParam, lParam);
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void DrawingArea::onPaint()
{
    const std::uint32_t* drawn = canvas_.pixels();  // finishes the dot being drawn
    (void)drawn;
    PAINTSTRUCT paint;
    HDC target = BeginPaint(hwnd_, &paint);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, static_cast<Dib&>(canvas_.memory()).bitmap());
    const RECT& r = paint.rcPaint;
    BitBlt(target, r.left, r.top, r.right - r.left, r.bottom - r.top, source, r.left, r.top, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
    EndPaint(hwnd_, &paint);
    // The pixels are written directly next time: GDI must be done reading them.
    GdiFlush();
}

void DrawingArea::onButtonUp(LPARAM lParam)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
    }
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (wasPressed && PtInRect(&client, at)) {
        onClick_();
    }
}

LRESULT DrawingArea::onGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
        return DefWindowProcW(hwnd_, WM_GETOBJECT, wParam, lParam);
    }
    if (accessible_ == nullptr) {
        accessible_ = AreaAccessible::create(hwnd_, kAccessibleClick);
        if (accessible_ == nullptr) {
            return 0;
        }
    }
    return LresultFromObject(__uuidof(IAccessible), wParam, accessible_);
}
