// desktop/GdiGuards.h -- guards for device contexts and GDI objects, each named after what its
// destructor does; none can be copied, and Get() makes every raw use visible
#pragma once
#include <windows.h>

// GetDC on construction (null: the screen), ReleaseDC on destruction.
class TScopedGetDC {
public:
    explicit TScopedGetDC(HWND window = nullptr) noexcept : FWindow(window), FDC(GetDC(window)) {}
    ~TScopedGetDC() { if (FDC) ReleaseDC(FWindow, FDC); }
    TScopedGetDC(const TScopedGetDC&) = delete;
    TScopedGetDC& operator=(const TScopedGetDC&) = delete;
    HDC Get() const noexcept { return FDC; }   // null when GetDC failed

private:
    HWND FWindow;
    HDC FDC;
};

// GetWindowDC on construction (the whole window, frame included), ReleaseDC on destruction.
class TScopedGetWindowDC {
public:
    explicit TScopedGetWindowDC(HWND window) noexcept : FWindow(window), FDC(GetWindowDC(window)) {}
    ~TScopedGetWindowDC() { if (FDC) ReleaseDC(FWindow, FDC); }
    TScopedGetWindowDC(const TScopedGetWindowDC&) = delete;
    TScopedGetWindowDC& operator=(const TScopedGetWindowDC&) = delete;
    HDC Get() const noexcept { return FDC; }

private:
    HWND FWindow;
    HDC FDC;
};

// Owns a memory device context (CreateCompatibleDC); DeleteDC on destruction.
class TAutoDeleteDC {
public:
    explicit TAutoDeleteDC(HDC dc) noexcept : FDC(dc) {}
    ~TAutoDeleteDC() { if (FDC) DeleteDC(FDC); }
    TAutoDeleteDC(const TAutoDeleteDC&) = delete;
    TAutoDeleteDC& operator=(const TAutoDeleteDC&) = delete;
    HDC Get() const noexcept { return FDC; }

private:
    HDC FDC;
};

// Owns a pen, brush, font, bitmap or region; DeleteObject on destruction. Deselect it first:
// declare the TScopedSelectObject after this guard, so it ends before.
class TAutoDeleteObject {
public:
    explicit TAutoDeleteObject(HGDIOBJ object) noexcept : FObject(object) {}
    ~TAutoDeleteObject() { if (FObject) DeleteObject(FObject); }
    TAutoDeleteObject(const TAutoDeleteObject&) = delete;
    TAutoDeleteObject& operator=(const TAutoDeleteObject&) = delete;
    HGDIOBJ Get() const noexcept { return FObject; }

private:
    HGDIOBJ FObject;
};

// Selects an object into a device context; selects the previous one back on destruction.
// A null object selects nothing.
class TScopedSelectObject {
public:
    TScopedSelectObject(HDC dc, HGDIOBJ object) noexcept
        : FDC(dc), FPrevious(object ? SelectObject(dc, object) : nullptr) {}
    ~TScopedSelectObject() { if (FPrevious) SelectObject(FDC, FPrevious); }
    TScopedSelectObject(const TScopedSelectObject&) = delete;
    TScopedSelectObject& operator=(const TScopedSelectObject&) = delete;

private:
    HDC FDC;
    HGDIOBJ FPrevious;
};

// A memory device context with one bitmap selected; deselected and deleted on destruction.
// The bitmap stays the caller's.
class TBitmapDC {
public:
    explicit TBitmapDC(HBITMAP bitmap) noexcept : FDC(CreateCompatibleDC(nullptr)), FSelected(FDC.Get(), bitmap) {}
    HDC Get() const noexcept { return FDC.Get(); }

private:
    TAutoDeleteDC FDC;
    TScopedSelectObject FSelected;   // after FDC: deselects before the DC goes
};
