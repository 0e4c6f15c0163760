// tests/controls/ControlTestHost.h -- a form to put controls on, and a client-area snapshot
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "desktop/Controls.h"
#include "desktop/Form.h"
#include "desktop/GdiGuards.h"

// A visible form that owns the controls of one test.
class TControlHost {
public:
    TControlHost() : FForm(std::make_unique<TForm>(nullptr)) {
        FForm->SetBounds(50, 50, 400, 300);
        // Not shown: under Wine without a window manager every map waits for the X server,
        // and nothing here needs the form on screen (snapshots come from WM_PRINTCLIENT).
        FForm->Handle();
    }
    TForm& Form() { return *FForm; }
    template <class C>
    C* Add(int left, int top, int width, int height) {
        C* c = new C(FForm.get());
        c->SetBounds(left, top, width, height);
        c->SetParent(FForm.get());
        return c;
    }

private:
    std::unique_ptr<TForm> FForm;
};

// What WM_PRINTCLIENT paints of a control's client area, as 0x00BBGGRR pixels; or what any
// painting does on a black bitmap of a given size.
class TSnapshot {
public:
    explicit TSnapshot(HWND window) {
        RECT r;
        GetClientRect(window, &r);
        Take(r.right, r.bottom, [window](HDC dc) {
            SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        });
    }
    TSnapshot(int width, int height, const std::function<void(HDC)>& paint) { Take(width, height, paint); }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    COLORREF Pixel(int x, int y) const {   // as GetPixel gives it: red in the low byte
        unsigned v = FPixels.at(static_cast<size_t>(y) * FWidth + x);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF color) const { return Count(color, RECT{0, 0, FWidth, FHeight}); }
    int Count(COLORREF color, const RECT& area) const {
        int n = 0;
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x) n += Pixel(x, y) == color;
        return n;
    }
    bool operator==(const TSnapshot& other) const { return FWidth == other.FWidth && FPixels == other.FPixels; }

private:
    void Take(int width, int height, const std::function<void(HDC)>& paint) {
        FWidth = width;
        FHeight = height;
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = FWidth;
        bi.bmiHeader.biHeight = -FHeight;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bmp);
        RECT all{0, 0, FWidth, FHeight};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        paint(dc);
        GdiFlush();
        const auto* p = static_cast<const unsigned*>(bits);
        FPixels.assign(p, p + static_cast<size_t>(FWidth) * FHeight);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    int FWidth = 0, FHeight = 0;
    std::vector<unsigned> FPixels;
};

// Counts the calls of a notify event and keeps the last sender.
class TEventCounter : public TObject {
public:
    void Fired(TObject* sender) { ++Count; Sender = sender; }
    TNotifyEvent Event() { return TNotifyEvent(this, &TEventCounter::Fired); }
    int Count = 0;
    TObject* Sender = nullptr;
};

inline LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A 16 x 16 icon of one colour, opaque; the caller destroys it.
inline HICON SolidIcon(COLORREF color) {
    TScopedGetDC screen;
    HBITMAP image = CreateCompatibleBitmap(screen.Get(), 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen.Get());
    HGDIOBJ old = SelectObject(dc, image);
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, 16, 16};
    FillRect(dc, &r, brush);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    SelectObject(dc, old);
    DeleteObject(brush);
    DeleteDC(dc);
    ICONINFO info{TRUE, 0, 0, mask, image};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(image);
    DeleteObject(mask);
    return icon;
}
