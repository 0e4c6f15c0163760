// desktop/GdiGuards.h -- guards for device contexts and GDI objects, each named after what its
// destructor does; none can be copied, and Get() makes every raw use visible
#pragma once
#include <windows.h>

enum class TDCArea {
    Client,   // GetDC
    Window,   // GetWindowDC: the whole window, frame included
};

// GetDC or GetWindowDC on construction (null window: the screen), ReleaseDC on destruction.
class TScopedGetDC {
public:
    explicit TScopedGetDC(HWND window = nullptr, TDCArea area = TDCArea::Client) noexcept
        : FWindow(window), FDC(area == TDCArea::Window ? GetWindowDC(window) : GetDC(window)) {}
    ~TScopedGetDC() { if (FDC) ReleaseDC(FWindow, FDC); }
    TScopedGetDC(const TScopedGetDC&) = delete;
    TScopedGetDC& operator=(const TScopedGetDC&) = delete;
    HDC Get() const noexcept { return FDC; }   // null when the call failed

private:
    HWND FWindow;
    HDC FDC;
};

// Owns one GDI handle and hands it to Delete on destruction.
template <class H, BOOL(WINAPI* Delete)(H)>
class TAutoDelete {
public:
    explicit TAutoDelete(H handle) noexcept : FHandle(handle) {}
    ~TAutoDelete() { if (FHandle) Delete(FHandle); }
    TAutoDelete(const TAutoDelete&) = delete;
    TAutoDelete& operator=(const TAutoDelete&) = delete;
    H Get() const noexcept { return FHandle; }

private:
    H FHandle;
};

// A memory device context (CreateCompatibleDC).
using TAutoDeleteDC = TAutoDelete<HDC, &DeleteDC>;
// A pen, brush, font, bitmap or region. Deselect it first: declare the TScopedSelectObject after
// this guard, so that it ends before.
using TAutoDeleteObject = TAutoDelete<HGDIOBJ, &DeleteObject>;

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
