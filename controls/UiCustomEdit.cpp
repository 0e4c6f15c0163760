// controls/UiCustomEdit.cpp -- edit base: alignment, clipboard filter, disabled painting
#include "UiCustomEdit.h"

#include <vector>

#include "desktop/Handle.h"
#include "desktop/SysUtils.h"

TUiCustomEdit::TUiCustomEdit(TComponent* owner) : TEdit(owner) {}

void TUiCustomEdit::CreateParams(TCreateParams& params) {
    TEdit::CreateParams(params);
    DWORD align = FAlignment == TAlignment::taRightJustify ? ES_RIGHT : FAlignment == TAlignment::taCenter ? ES_CENTER : ES_LEFT;
    params.Style |= align;
    // Single-line edits of Windows 95 ignore the alignment styles; multi-line ones honour them.
    const OSVERSIONINFOA& vi = OsVersion();
    if (align != ES_LEFT && vi.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && vi.dwMajorVersion == 4 && vi.dwMinorVersion == 0)
        params.Style |= ES_MULTILINE;
    if (FBorderStyle == TEditBorderStyle::bsNone) params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TUiCustomEdit::SetAlignment(TAlignment value) {
    if (value == FAlignment) return;
    FAlignment = value;
    RecreateWnd();
}

void TUiCustomEdit::SetBorderStyle(TEditBorderStyle value) {
    if (value == FBorderStyle) return;
    FBorderStyle = value;
    RecreateWnd();
}

void TUiCustomEdit::SetClipBoardCommands(TUiClipBoardCommands value) {
    value &= AllClipBoardCommands;
    if (value == FClipBoardCommands) return;
    FClipBoardCommands = value;
    FSavedClipBoardCommands = value;
}

void TUiCustomEdit::SetReadOnly(bool value) {
    TEdit::SetReadOnly(value);
    FClipBoardCommands = value ? (FClipBoardCommands & caCopy) : FSavedClipBoardCommands;
}

void TUiCustomEdit::SetDisabledColor(TColor value) {
    if (value == FDisabledColor) return;
    FDisabledColor = value;
    if (!Enabled()) Invalidate();
}

void TUiCustomEdit::SetDisabledTextColor(TColor value) {
    if (value == FDisabledTextColor) return;
    FDisabledTextColor = value;
    if (!Enabled()) Invalidate();
}

void TUiCustomEdit::SetEnabled(bool value) {
    TEdit::SetEnabled(value);
    Invalidate();
}

int TUiCustomEdit::SelStart() const {
    if (!FHandle) return FPendingSelStart;
    DWORD start = 0, end = 0;
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(start);
}

int TUiCustomEdit::SelLength() const {
    if (!FHandle) return FPendingSelLength;
    DWORD start = 0, end = 0;
    SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end - start);
}

void TUiCustomEdit::SetSelStart(int value) {
    if (IsLoading() || !FHandle) { FPendingSelStart = value; return; }
    SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(value), value);
}

void TUiCustomEdit::SetSelLength(int value) {
    if (IsLoading() || !FHandle) { FPendingSelLength = value; return; }
    int start = SelStart();
    SendMessageA(FHandle, EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

void TUiCustomEdit::Loaded() {
    TEdit::Loaded();
    if (FPendingSelStart || FPendingSelLength) {
        SetSelStart(FPendingSelStart);
        SetSelLength(FPendingSelLength);
    }
}

void TUiCustomEdit::KeyPress(char& key) {
    if (OnKeyPress) OnKeyPress(this, key);
}

bool TUiCustomEdit::AcceptsPaste(const std::string&) { return true; }

std::string TUiCustomEdit::ClipboardText() const {
    std::string text;
    if (!OpenClipboard(FHandle)) return text;
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(GlobalLock(data))) {
            text = p;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void TUiCustomEdit::PaintDisabled(HDC dc) {
    RECT r;
    GetClientRect(FHandle, &r);
    HBRUSH brush = CreateSolidBrush(ColorToRGB(FDisabledColor));
    ::FillRect(dc, &r, brush);
    DeleteObject(brush);
    std::string text = Caption();
    char password = static_cast<char>(SendMessageA(FHandle, EM_GETPASSWORDCHAR, 0, 0));
    if (password) text.assign(text.size(), password);
    HGDIOBJ oldFont = SelectObject(dc, Font().Handle());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    COLORREF oldColor = ::SetTextColor(dc, ColorToRGB(FDisabledTextColor));
    TextOutA(dc, 1, 1, text.c_str(), static_cast<int>(text.size()));
    ::SetTextColor(dc, oldColor);
    SetBkMode(dc, oldMode);
    SelectObject(dc, oldFont);
}

LRESULT TUiCustomEdit::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CHAR: {
        char key = static_cast<char>(wParam);
        KeyPress(key);
        if (key == 0) return 0;
        wParam = static_cast<unsigned char>(key);
        break;
    }
    case WM_CUT:
        if (!(FClipBoardCommands & caCut)) return 0;
        break;
    case WM_COPY:
        if (!(FClipBoardCommands & caCopy)) return 0;
        break;
    case WM_PASTE:
        if (!(FClipBoardCommands & caPaste) || !AcceptsPaste(ClipboardText())) return 0;
        break;
    case WM_UNDO:
    case EM_UNDO:
        if (!(FClipBoardCommands & caUndo)) return 0;
        break;
    case WM_ERASEBKGND:
        if (!Enabled()) {
            RECT r;
            GetClientRect(FHandle, &r);
            HBRUSH brush = CreateSolidBrush(ColorToRGB(FDisabledColor));
            ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush);
            DeleteObject(brush);
            return 1;
        }
        break;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!Enabled()) {
            if (wParam) {
                PaintDisabled(reinterpret_cast<HDC>(wParam));
            } else {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(FHandle, &ps);
                PaintDisabled(dc);
                EndPaint(FHandle, &ps);
            }
            return 0;
        }
        break;
    default:
        break;
    }
    return TEdit::WndProc(msg, wParam, lParam);
}
