// tests/controls/ControlTestHost.h -- a form to put controls on, and a client-area snapshot
#pragma once
#include <windows.h>

#include <memory>
#include <vector>

#include "desktop/Controls.h"
#include "desktop/Form.h"

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

// What WM_PRINTCLIENT paints of a control's client area, as 0x00BBGGRR pixels.
class TSnapshot {
public:
    explicit TSnapshot(HWND window) {
        RECT r;
        GetClientRect(window, &r);
        FWidth = r.right;
        FHeight = r.bottom;
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
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
        const auto* p = static_cast<const unsigned*>(bits);
        FPixels.assign(p, p + static_cast<size_t>(FWidth) * FHeight);
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    COLORREF Pixel(int x, int y) const {   // as GetPixel gives it: red in the low byte
        unsigned v = FPixels.at(static_cast<size_t>(y) * FWidth + x);
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(COLORREF color) const {
        int n = 0;
        for (int y = 0; y < FHeight; ++y)
            for (int x = 0; x < FWidth; ++x) n += Pixel(x, y) == color;
        return n;
    }

private:
    int FWidth = 0, FHeight = 0;
    std::vector<unsigned> FPixels;
};

inline LPARAM PointParam(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }
