// tests/desktop/ModalDriver.h -- acting on windows while a modal loop (message box, menu,
// common dialog) owns the thread, and small picture builders for the graphics tests
#pragma once
#include "desktop/GdiGuards.h"
#include "tests/support/MessagePump.h"
#include <algorithm>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace sxtest {

// Calls Step every 50 ms from a thread timer (served by any modal loop) until it returns
// true; gives up after WatchdogMs, so a fault fails the test instead of hanging it.
class TModalDriver {
public:
    explicit TModalDriver(std::function<bool()> step) {
        Current() = this;
        FStep = std::move(step);
        FStart = GetTickCount();
        FTimer = SetTimer(nullptr, 0, 50, &TModalDriver::Tick);
    }
    ~TModalDriver() {
        if (FTimer) KillTimer(nullptr, FTimer);
        Current() = nullptr;
    }
    TModalDriver(const TModalDriver&) = delete;
    bool Done() const { return FDone; }
    bool TimedOut() const { return FTimedOut; }

private:
    static TModalDriver*& Current() {
        static TModalDriver* current = nullptr;
        return current;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TModalDriver* d = Current();
        if (!d || d->FDone || d->FBusy) return;
        d->FBusy = true;
        if (d->FStep()) d->FDone = true;
        else if (GetTickCount() - d->FStart > WatchdogMs) {
            d->FTimedOut = d->FDone = true;
            // Close whatever is modal so the test can report instead of hanging.
            if (HWND w = GetActiveWindow()) PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
            EndMenu();
        }
        d->FBusy = false;
    }
    std::function<bool()> FStep;
    UINT_PTR FTimer = 0;
    DWORD FStart = 0;
    bool FDone = false, FTimedOut = false, FBusy = false;
};

// A visible top-level window of this thread with that class (and caption, when given).
struct TWindowSearch {
    const char* ClassName;
    const char* Caption;
    HWND Found;
    static BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
        auto* s = reinterpret_cast<TWindowSearch*>(param);
        char cls[64] = {}, text[256] = {};
        GetClassNameA(hwnd, cls, sizeof(cls));
        GetWindowTextA(hwnd, text, sizeof(text));
        if (!IsWindowVisible(hwnd) || std::string(cls) != s->ClassName) return TRUE;
        if (s->Caption && std::string(text) != s->Caption) return TRUE;
        s->Found = hwnd;
        return FALSE;
    }
};
inline HWND FindThreadWindow(const char* className, const char* caption = nullptr) {
    TWindowSearch search{className, caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), &TWindowSearch::Visit, reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

inline std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof(text));
    return text;
}

// ------------------------------------------------------------------ picture bytes

// A BMP file of width x height at 24 or 32 bits; pixel(x, y) gives 0x00RRGGBB, y from the top.
inline std::vector<unsigned char> MakeBmp(int width, int height, int bits, const std::function<unsigned(int, int)>& pixel,
                                          bool topDown = false) {
    int stride = ((width * bits + 31) / 32) * 4;
    std::vector<unsigned char> px(static_cast<size_t>(stride * height));
    for (int row = 0; row < height; ++row) {
        int y = topDown ? row : height - 1 - row;
        for (int x = 0; x < width; ++x) {
            unsigned c = pixel(x, y);
            unsigned char* p = &px[static_cast<size_t>(row * stride + x * bits / 8)];
            p[0] = static_cast<unsigned char>(c);
            p[1] = static_cast<unsigned char>(c >> 8);
            p[2] = static_cast<unsigned char>(c >> 16);
        }
    }
    // Header and pixels in one buffer from the start: growing a 54-byte vector
    // by insert trips a false -Warray-bounds in GCC 12.
    std::vector<unsigned char> f(54 + px.size());
    auto put32 = [&](size_t at, unsigned v) { for (int i = 0; i < 4; ++i) f[at + i] = static_cast<unsigned char>(v >> (8 * i)); };
    f[0] = 'B';
    f[1] = 'M';
    put32(2, static_cast<unsigned>(54 + px.size()));
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<unsigned>(width));
    put32(22, static_cast<unsigned>(topDown ? -height : height));
    f[26] = 1;
    f[28] = static_cast<unsigned char>(bits);
    put32(34, static_cast<unsigned>(px.size()));
    std::copy(px.begin(), px.end(), f.begin() + 54);
    return f;
}

// An ICO file with one 32-bit image per (size, 0xRRGGBB colour), solid and opaque.
inline std::vector<unsigned char> MakeIco(const std::vector<std::pair<int, unsigned>>& images) {
    std::vector<unsigned char> dir{0, 0, 1, 0, static_cast<unsigned char>(images.size()), 0}, body;
    auto put = [](std::vector<unsigned char>& v, unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) v.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    size_t offset = 6 + 16 * images.size();
    for (const auto& [size, color] : images) {
        std::vector<unsigned char> dib;
        put(dib, 40, 4);
        put(dib, static_cast<unsigned>(size), 4);
        put(dib, static_cast<unsigned>(size * 2), 4);      // colour and mask stacked
        put(dib, 1, 2);
        put(dib, 32, 2);
        for (int i = 0; i < 6; ++i) put(dib, 0, 4);
        for (int i = 0; i < size * size; ++i) put(dib, color | 0xFF000000u, 4);
        dib.resize(dib.size() + static_cast<size_t>(((size + 31) / 32) * 4 * size), 0);
        dir.push_back(static_cast<unsigned char>(size));
        dir.push_back(static_cast<unsigned char>(size));
        put(dir, 0, 2);
        put(dir, 1, 2);
        put(dir, 32, 2);
        put(dir, static_cast<unsigned>(dib.size()), 4);
        put(dir, static_cast<unsigned>(offset + body.size()), 4);
        body.insert(body.end(), dib.begin(), dib.end());
    }
    dir.insert(dir.end(), body.begin(), body.end());
    return dir;
}

inline std::string Hex(const std::vector<unsigned char>& bytes) {
    std::string s;
    char b[3];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(b, sizeof(b), "%02X", bytes[i]);
        s += b;
        if (i % 32 == 31) s += "\n";
    }
    return s;
}

// The colour at (x, y) of a width x height image drawn by draw() on a white 32-bit bitmap.
inline COLORREF PixelOfDrawing(int width, int height, int x, int y, const std::function<void(HDC)>& draw) {
    HBITMAP bmp = CreateCompatibleBitmap(TScopedGetDC().Get(), width, height);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc);
    COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bmp);
    return c;
}

} // namespace sxtest
