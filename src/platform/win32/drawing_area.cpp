// SPDX-FileCopyrightText: 2026 Tacolina developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "drawing_area.h"

#include <windowsx.h>

#include <oleacc.h>
#include <stdexcept>

#include "area_accessible.h"
#include "layout.h"
#include "twips.h"
#include "window_procedure.h"

namespace {

constexpr wchar_t kClassName[] = L"TacolinaPicture";
// Posted by the accessible object: its default action is the same Click.
constexpr UINT kAccessibleClick = WM_APP + 1;

void placeArea(HWND area, UINT dpi)
{
    const int d = static_cast<int>(dpi);
    SetWindowPos(area, nullptr, twips::toWholePixels(layout::kPictureLeft, d),
                 twips::toWholePixels(layout::kPictureTop, d), twips::toWholePixels(layout::kPictureWidth, d),
                 twips::toWholePixels(layout::kPictureHeight, d), SWP_NOZORDER | SWP_NOACTIVATE);
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

PixelAllocator DrawingArea::dibSections()
{
    return [](int width, int height) { return std::make_unique<Dib>(width, height); };
}

DrawingArea::DrawingArea(HWND parent, HINSTANCE instance, UINT dpi, FormHost& host) : host_(host)
{
    CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent, nullptr, instance, this);
    placeArea(hwnd_, dpi);
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

void DrawingArea::present(std::span<const Box> boxes)
{
    if (hwnd_ == nullptr) {
        return;  // gone with the program's end; a null window would mean every window
    }
    const double ratio = host_.picture().devicePixelRatio();
    for (const Box& logical : boxes) {
        const Box box = RingCanvas::toDevice(logical, ratio);
        const RECT rect{box.x, box.y, box.x + box.width, box.y + box.height};
        InvalidateRect(hwnd_, &rect, FALSE);
    }
}

void DrawingArea::place(UINT dpi)
{
    placeArea(hwnd_, dpi);
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
        host_.press(Button::Primary, static_cast<EventTime>(GetMessageTime()));
        SetCapture(hwnd_);
        return 0;
    case WM_LBUTTONUP:
        onButtonUp(lParam);
        return 0;
    case WM_CAPTURECHANGED:
        host_.cancelPress();
        return 0;
    case kAccessibleClick:
        host_.click();
        return 0;
    case WM_GETOBJECT:
        return onGetObject(wParam, lParam);
    default:
        return DefWindowProcW(hwnd_, message, wParam, lParam);
    }
}

void DrawingArea::onPaint()
{
    RingCanvas& picture = host_.picture();
    picture.finishRun();
    PAINTSTRUCT paint;
    HDC target = BeginPaint(hwnd_, &paint);
    HDC source = CreateCompatibleDC(target);
    HGDIOBJ previous = SelectObject(source, static_cast<Dib&>(picture.memory()).bitmap());
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
    RECT client;
    GetClientRect(hwnd_, &client);
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    // Before the capture goes, whose loss would cancel the press.
    host_.release(Button::Primary, PtInRect(&client, at) != 0);
    if (GetCapture() == hwnd_) {
        ReleaseCapture();
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
