// desktop/Dialogs.cpp -- the open-file dialog, message boxes, and the dialog MessageDlg
// builds when no message box has the buttons asked for
#include "Dialogs.h"
#include "LateBinding.h"

#include <commdlg.h>
#include <algorithm>
#include <cstring>

#include "Application.h"
#include "Classes.h"
#include "Form.h"
#include "GdiGuards.h"
#include "SystemMessageBox.h"

namespace {

constexpr DWORD FileBufferSize = 65536;          // room for a multiple selection

// The window a dialog of ours is modal to: the visible active form, else the application window.
HWND DialogOwner() {
    if (!Application) return nullptr;
    TForm* form = Application->ActiveForm();
    if (form && form->WindowHandle() && IsWindowVisible(form->WindowHandle())) return form->WindowHandle();
    return Application->Handle();
}

int ShowMessageBox(const std::string& text, const std::string& caption, UINT flags) {
    if (Application) return Application->MessageBox(text, caption, flags);
    return SystemMessageBox(nullptr, text, caption, flags);
}

// ------------------------------------------------------------------ the "to all" dialog

struct TDlgButton {
    TMsgDlgBtn Button;
    int Result;
    const char* Caption;
};
const TDlgButton DlgButtons[] = {
    {mbYes, IDYES, "&Yes"},          {mbNo, IDNO, "&No"},           {mbOK, IDOK, "OK"},
    {mbCancel, IDCANCEL, "Cancel"},  {mbAbort, IDABORT, "&Abort"},  {mbRetry, IDRETRY, "&Retry"},
    {mbIgnore, IDIGNORE, "&Ignore"}, {mbAll, mrAll, "&All"},        {mbNoToAll, mrNoToAll, "N&o to All"},
    {mbYesToAll, mrYesToAll, "Yes to &All"}, {mbHelp, IDHELP, "&Help"},
};
constexpr int TextId = 0xFFFF;                    // where message boxes keep their text, as drivers expect
constexpr int IconId = 0x14;

struct TDlgRequest {
    std::string Text;
    std::string Caption;
    LPCSTR Icon;
    TMsgDlgButtons Buttons;
};

void AppendWord(std::vector<WORD>& t, WORD w) { t.push_back(w); }
void AlignDword(std::vector<WORD>& t) {
    if (t.size() % 2) t.push_back(0);
}
// An item of the template with no size and no text: WM_INITDIALOG places and names it.
void AppendItem(std::vector<WORD>& t, DWORD style, WORD id, WORD classAtom) {
    AlignDword(t);
    DWORD exStyle = 0;
    AppendWord(t, LOWORD(style));
    AppendWord(t, HIWORD(style));
    AppendWord(t, LOWORD(exStyle));
    AppendWord(t, HIWORD(exStyle));
    for (int i = 0; i < 4; ++i) AppendWord(t, 0);   // x, y, cx, cy
    AppendWord(t, id);
    AppendWord(t, 0xFFFF);
    AppendWord(t, classAtom);
    AppendWord(t, 0);                                // no title
    AppendWord(t, 0);                                // no creation data
}

void LayoutDialog(HWND dlg, const TDlgRequest& r) {
    constexpr int Margin = 12, IconSize = 32, ButtonW = 75, ButtonH = 23, Gap = 6, MaxTextW = 420;
    SetWindowTextA(dlg, r.Caption.c_str());
    HWND text = GetDlgItem(dlg, TextId);
    SetWindowTextA(text, r.Text.c_str());
    RECT tr{0, 0, MaxTextW, 0};
    {
        TScopedGetDC dc(text);
        TScopedSelectObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(dlg, WM_GETFONT, 0, 0)));
        DrawTextA(dc.Get(), r.Text.c_str(), static_cast<int>(r.Text.size()), &tr, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    }

    int x = Margin;
    if (r.Icon) {
        HWND icon = GetDlgItem(dlg, IconId);
        SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIconA(nullptr, r.Icon)), 0);
        MoveWindow(icon, Margin, Margin, IconSize, IconSize, FALSE);
        x += IconSize + Margin;
    }
    int textTop = Margin + (r.Icon && tr.bottom < IconSize ? (IconSize - tr.bottom) / 2 : 0);
    MoveWindow(text, x, textTop, tr.right, tr.bottom, FALSE);

    int count = 0;
    for (const auto& b : DlgButtons) count += (r.Buttons & b.Button) ? 1 : 0;
    int rowW = count * ButtonW + (count - 1) * Gap;
    int clientW = std::max({x + static_cast<int>(tr.right) + Margin, rowW + 2 * Margin, 200});
    int rowY = std::max(textTop + static_cast<int>(tr.bottom), r.Icon ? Margin + IconSize : 0) + Margin;
    int bx = (clientW - rowW) / 2;
    HWND first = nullptr;
    for (const auto& b : DlgButtons) {
        if (!(r.Buttons & b.Button)) continue;
        HWND button = GetDlgItem(dlg, b.Result);
        SetWindowTextA(button, b.Caption);
        MoveWindow(button, bx, rowY, ButtonW, ButtonH, FALSE);
        bx += ButtonW + Gap;
        if (!first) first = button;
    }
    RECT wr{0, 0, clientW, rowY + ButtonH + Margin};
    AdjustWindowRectEx(&wr, static_cast<DWORD>(GetWindowLongA(dlg, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(dlg, GWL_EXSTYLE)));
    int w = wr.right - wr.left, h = wr.bottom - wr.top;
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(dlg, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, SWP_NOZORDER | SWP_NOACTIVATE);
    if (first) {
        SendMessageA(dlg, DM_SETDEFID, static_cast<WPARAM>(GetDlgCtrlID(first)), 0);
        SetFocus(first);
    }
}

INT_PTR CALLBACK ButtonDialogProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        if (msg == WM_INITDIALOG) {
            LayoutDialog(dlg, *reinterpret_cast<const TDlgRequest*>(lParam));
            return FALSE;   // focus is set
        }
        if (msg == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            int id = LOWORD(wParam);
            if (id == IDHELP) return TRUE;
            // Escape and the close box arrive as IDCANCEL, with or without a Cancel button.
            EndDialog(dlg, id);
            return TRUE;
        }
    } catch (...) {
        HandleCallbackException();
    }
    return FALSE;
}

int ShowButtonDialog(const TDlgRequest& request) {
    std::vector<WORD> t;
    DWORD style = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    WORD items = 1 + (request.Icon ? 1 : 0);
    for (const auto& b : DlgButtons) items += (request.Buttons & b.Button) ? 1 : 0;
    AppendWord(t, LOWORD(style));
    AppendWord(t, HIWORD(style));
    AppendWord(t, 0);
    AppendWord(t, 0);
    AppendWord(t, items);
    for (int i = 0; i < 4; ++i) AppendWord(t, 0);
    AppendWord(t, 0);   // no menu
    AppendWord(t, 0);   // the standard dialog class
    AppendWord(t, 0);   // title set later
    AppendWord(t, 8);   // point size
    for (const char* f = "MS Shell Dlg"; *f; ++f) AppendWord(t, static_cast<WORD>(*f));
    AppendWord(t, 0);
    if (request.Icon) AppendItem(t, WS_CHILD | WS_VISIBLE | SS_ICON, IconId, 0x0082);
    AppendItem(t, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, TextId, 0x0082);
    for (const auto& b : DlgButtons)
        if (request.Buttons & b.Button)
            AppendItem(t, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, static_cast<WORD>(b.Result), 0x0080);
    INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(t.data()),
                                             DialogOwner(), &ButtonDialogProc, reinterpret_cast<LPARAM>(&request));
    if (result == -1) throw EWin32Error("MessageDlg: DialogBoxIndirectParamA", GetLastError());
    return static_cast<int>(result);
}

LPCSTR TypeIcon(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning: return IDI_WARNING;
    case TMsgDlgType::mtError: return IDI_ERROR;
    case TMsgDlgType::mtInformation: return IDI_INFORMATION;
    case TMsgDlgType::mtConfirmation: return IDI_QUESTION;
    case TMsgDlgType::mtCustom: break;
    }
    return nullptr;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Message boxes

void ShowMessage(const std::string& text) {
    ShowMessageBox(text, Application ? Application->Title() : std::string(), MB_OK);
}

std::string MessageDlgCaption(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning: return "Warning";
    case TMsgDlgType::mtError: return "Error";
    case TMsgDlgType::mtInformation: return "Information";
    case TMsgDlgType::mtConfirmation: return "Confirm";
    case TMsgDlgType::mtCustom: break;
    }
    return Application ? Application->Title() : std::string();
}

bool MessageDlgFlags(TMsgDlgType type, TMsgDlgButtons buttons, UINT& flagsOut) {
    UINT icon = 0;
    switch (type) {
    case TMsgDlgType::mtWarning: icon = MB_ICONWARNING; break;
    case TMsgDlgType::mtError: icon = MB_ICONERROR; break;
    case TMsgDlgType::mtInformation: icon = MB_ICONINFORMATION; break;
    case TMsgDlgType::mtConfirmation: icon = MB_ICONQUESTION; break;
    case TMsgDlgType::mtCustom: break;
    }
    UINT kind;
    switch (buttons & ~static_cast<unsigned>(mbHelp)) {
    case mbOK: kind = MB_OK; break;
    case mbOKCancel: kind = MB_OKCANCEL; break;
    case mbYesNo: kind = MB_YESNO; break;
    case mbYesNoCancel: kind = MB_YESNOCANCEL; break;
    case mbAbortRetryIgnore: kind = MB_ABORTRETRYIGNORE; break;
    case mbRetry | mbCancel: kind = MB_RETRYCANCEL; break;
    default: return false;
    }
    flagsOut = icon | kind | ((buttons & mbHelp) ? MB_HELP : 0);
    return true;
}

int MessageDlg(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
    if ((buttons & ~static_cast<unsigned>(mbHelp)) == 0) throw EDialogError("MessageDlg: no button to answer with");
    UINT flags = 0;
    if (MessageDlgFlags(type, buttons, flags)) return ShowMessageBox(text, MessageDlgCaption(type), flags);
    return ShowButtonDialog(TDlgRequest{text, MessageDlgCaption(type), TypeIcon(type), buttons});
}

// ---------------------------------------------------------------------------------------------
// TOpenDialog

TOpenDialog::TOpenDialog(TComponent* owner) : TComponent(owner) {}

std::string TOpenDialog::FilterBuffer() const {
    if (FFilter.empty()) return std::string();
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        size_t bar = FFilter.find('|', start);
        parts.push_back(FFilter.substr(start, bar == std::string::npos ? std::string::npos : bar - start));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    if (parts.size() % 2)
        throw EDialogError(Format("%s: the filter \"%s\" needs pairs of description and mask", Name().c_str(),
                                  FFilter.c_str()));
    std::string buffer;
    for (const auto& p : parts) {
        buffer += p;
        buffer += '\0';
    }
    buffer += '\0';
    return buffer;
}

DWORD TOpenDialog::Flags() const {
    static const std::pair<TOpenOption, DWORD> map[] = {
        {ofReadOnly, OFN_READONLY}, {ofOverwritePrompt, OFN_OVERWRITEPROMPT}, {ofHideReadOnly, OFN_HIDEREADONLY},
        {ofNoChangeDir, OFN_NOCHANGEDIR}, {ofShowHelp, OFN_SHOWHELP}, {ofNoValidate, OFN_NOVALIDATE},
        {ofAllowMultiSelect, OFN_ALLOWMULTISELECT}, {ofExtensionDifferent, OFN_EXTENSIONDIFFERENT},
        {ofPathMustExist, OFN_PATHMUSTEXIST}, {ofFileMustExist, OFN_FILEMUSTEXIST}, {ofCreatePrompt, OFN_CREATEPROMPT},
        {ofShareAware, OFN_SHAREAWARE}, {ofNoReadOnlyReturn, OFN_NOREADONLYRETURN},
        {ofNoTestFileCreate, OFN_NOTESTFILECREATE}, {ofNoNetworkButton, OFN_NONETWORKBUTTON},
        {ofNoLongNames, OFN_NOLONGNAMES}, {ofNoDereferenceLinks, OFN_NODEREFERENCELINKS},
        {ofEnableIncludeNotify, OFN_ENABLEINCLUDENOTIFY}, {ofEnableSizing, OFN_ENABLESIZING},
        {ofDontAddToRecent, OFN_DONTADDTORECENT}, {ofForceShowHidden, OFN_FORCESHOWHIDDEN},
    };
    DWORD flags = (FOptions & ofOldStyleDialog) ? 0 : OFN_EXPLORER;
    for (const auto& [option, flag] : map)
        if (FOptions & option) flags |= flag;
    return flags;
}

bool TOpenDialog::Execute() {
    std::string filter = FilterBuffer();
    if (FFileName.size() >= FileBufferSize)
        throw EDialogError(Format("%s: the file name is longer than %lu characters", Name().c_str(),
                                  static_cast<unsigned long>(FileBufferSize - 1)));
    std::vector<char> file(FileBufferSize, '\0');
    std::copy(FFileName.begin(), FFileName.end(), file.begin());

    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = DialogOwner();
    ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(FFilterIndex > 0 ? FFilterIndex : 1);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = FileBufferSize;
    ofn.lpstrInitialDir = FInitialDir.empty() ? nullptr : FInitialDir.c_str();
    ofn.lpstrTitle = FTitle.empty() ? nullptr : FTitle.c_str();
    ofn.lpstrDefExt = FDefaultExt.empty() ? nullptr : FDefaultExt.c_str();
    ofn.Flags = Flags();
    // The common-dialog DLL is bound at the first file dialog (desktop/LateBinding.h).
    static const auto open = BindLate<decltype(GetOpenFileNameA)>("comdlg32.dll", "GetOpenFileNameA");
    static const auto extendedError = BindLate<decltype(CommDlgExtendedError)>("comdlg32.dll", "CommDlgExtendedError");
    if (!open || !extendedError)
        throw EDialogError(Format("%s: the common dialogs (comdlg32.dll) cannot be loaded", Name().c_str()));
    if (!open(&ofn)) {
        DWORD error = extendedError();
        if (error) throw EDialogError(Format("%s: GetOpenFileNameA failed (error 0x%04lX)", Name().c_str(), error));
        return false;
    }

    FFilterIndex = static_cast<int>(ofn.nFilterIndex);
    FOptions &= ~static_cast<unsigned>(ofReadOnly | ofExtensionDifferent);
    if (ofn.Flags & OFN_READONLY) FOptions |= ofReadOnly;
    if (ofn.Flags & OFN_EXTENSIONDIFFERENT) FOptions |= ofExtensionDifferent;

    // One file: its full path. Several (explorer style): the folder, then each name, each
    // ending in a NUL, and one more NUL at the end.
    FFiles.clear();
    std::string first(file.data());
    const char* p = file.data() + first.size() + 1;
    if ((FOptions & ofAllowMultiSelect) && *p) {
        std::string folder = IncludeTrailingBackslash(first);
        for (; *p; p += std::strlen(p) + 1) FFiles.push_back(folder + p);
    } else {
        FFiles.push_back(first);
    }
    FFileName = FFiles.front();
    return true;
}

void RegisterDialogClasses() {
    static const std::pair<const char*, TOpenOption> options[] = {
        {"ofReadOnly", ofReadOnly}, {"ofOverwritePrompt", ofOverwritePrompt}, {"ofHideReadOnly", ofHideReadOnly},
        {"ofNoChangeDir", ofNoChangeDir}, {"ofShowHelp", ofShowHelp}, {"ofNoValidate", ofNoValidate},
        {"ofAllowMultiSelect", ofAllowMultiSelect}, {"ofExtensionDifferent", ofExtensionDifferent},
        {"ofPathMustExist", ofPathMustExist}, {"ofFileMustExist", ofFileMustExist}, {"ofCreatePrompt", ofCreatePrompt},
        {"ofShareAware", ofShareAware}, {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
        {"ofNoTestFileCreate", ofNoTestFileCreate}, {"ofNoNetworkButton", ofNoNetworkButton},
        {"ofNoLongNames", ofNoLongNames}, {"ofOldStyleDialog", ofOldStyleDialog},
        {"ofNoDereferenceLinks", ofNoDereferenceLinks}, {"ofEnableIncludeNotify", ofEnableIncludeNotify},
        {"ofEnableSizing", ofEnableSizing}, {"ofDontAddToRecent", ofDontAddToRecent},
        {"ofForceShowHidden", ofForceShowHidden},
    };
    TClassRegistration<TOpenDialog>("TOpenDialog", "TComponent")
        .String("Filter", &TOpenDialog::SetFilter)
        .Int("FilterIndex", &TOpenDialog::SetFilterIndex)
        .String("FileName", &TOpenDialog::SetFileName)
        .String("InitialDir", &TOpenDialog::SetInitialDir)
        .String("Title", &TOpenDialog::SetTitle)
        .String("DefaultExt", &TOpenDialog::SetDefaultExt)
        .Custom("Options", [](TOpenDialog& d, const TPropValue& v, TLoadContext& ctx) {
            TOpenOptions set = 0;
            for (const std::string& name : v.AsSet()) {
                auto it = std::find_if(std::begin(options), std::end(options),
                                       [&](const auto& o) { return SameTextAscii(o.first, name); });
                if (it == std::end(options)) throw EDescriptionError(ctx.Where + ": unknown option " + name);
                set |= it->second;
            }
            d.SetOptions(set);
        })
        .Ignore("HelpContext")
        .Ignore("OptionsEx");
}
