// tests/support/driver/DialogCommands.cpp -- message boxes, the open-file dialog, popup menus, tray icons
#include "Commands.h"

#include "RemoteBuffer.h"
#include "Text.h"
#include "WindowFinder.h"

#include <commctrl.h>

#include <map>
#include <optional>

namespace {

constexpr wchar_t DialogClass[] = L"#32770";
constexpr wchar_t MenuClass[] = L"#32768";
constexpr int BoxTextId = 0xFFFF;            // the static holding a message box's text
constexpr int FileNameComboId = 0x047C;      // cmb13 of the open-file dialog
constexpr int FileNameEditId = 0x0480;       // edt1, the older template's file-name edit
// Wine's notification area when no desktop tray exists (winex11's standalone tray).
constexpr wchar_t TrayClass[] = L"__winex11_standalone_tray";
constexpr wchar_t TrayIconClass[] = L"__winex11_tray_icon";

const std::map<std::wstring, int> gButtonIds = {
    {L"ok", IDOK},       {L"cancel", IDCANCEL}, {L"abort", IDABORT}, {L"retry", IDRETRY},
    {L"ignore", IDIGNORE}, {L"yes", IDYES},     {L"no", IDNO},       {L"close", IDCLOSE},
};

std::wstring BoxText(HWND box) {
    HWND text = GetDlgItem(box, BoxTextId);
    return text ? WindowCaption(text) : std::wstring();
}

// A message box hides the buttons it does not use; the style bit tells even when the box itself is hidden.
bool HasButton(HWND box, int id) {
    HWND button = GetDlgItem(box, id);
    return button && (GetWindowLongW(button, GWL_STYLE) & WS_VISIBLE);
}

std::string ButtonList(HWND box) {
    std::string list;
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (HasButton(box, id)) {
            if (!list.empty()) list += ",";
            list += ToUtf8(StripMnemonics(WindowCaption(GetDlgItem(box, id))));
        }
    return list;
}

// Dialog windows (#32770) by caption (--window/--window-part) and text (--text/--text-part).
HWND FindBox(const TArgs& args, DWORD timeoutMs, bool needsText) {
    TWindowQuery query = TWindowQuery::FromArgs(args);
    query.ClassName = DialogClass;
    auto text = args.Get("text");
    auto textPart = args.Get("text-part");
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found;
        for (HWND box : TopWindows(query, false)) {
            if (needsText && !GetDlgItem(box, BoxTextId)) continue;
            std::wstring boxText = BoxText(box);
            if (text && boxText != *text) continue;
            if (textPart && boxText.find(*textPart) == std::wstring::npos) continue;
            found.push_back(box);
        }
        if (found.size() == 1) return found[0];
        if (found.size() > 1) {
            std::string list;
            for (HWND box : found) list += "\n  " + DescribeWindow(box) + " saying \"" + ToUtf8(BoxText(box)) + "\"";
            throw EDriver(std::to_string(found.size()) + " dialogs match (narrow with --window or --text):" + list);
        }
        if (GetTickCount() - start >= timeoutMs) {
            std::string open;
            for (HWND box : TopWindows(TWindowQuery::OfClass(DialogClass), false))
                open += "\n  " + DescribeWindow(box) + " saying \"" + ToUtf8(BoxText(box)) + "\"";
            throw EDriver("no dialog with" + query.Describe() + (text ? " text \"" + ToUtf8(*text) + "\"" : "") +
                          (textPart ? " text containing \"" + ToUtf8(*textPart) + "\"" : "") + " within " +
                          std::to_string(timeoutMs) + " ms" + (open.empty() ? "" : "; open dialogs:" + open));
        }
        Sleep(PollIntervalMs);
    }
}

void PrintBox(HWND box) {
    PrintLine("caption=" + ToUtf8(WindowCaption(box)));
    PrintLine("text=" + ToUtf8(BoxText(box)));
    PrintLine("buttons=" + ButtonList(box));
}

void WaitGone(HWND hwnd, DWORD timeoutMs, const std::string& what) {
    DWORD start = GetTickCount();
    while (IsWindow(hwnd) && IsWindowVisible(hwnd)) {
        if (GetTickCount() - start >= timeoutMs)
            throw EDriver(what + " " + Hex(hwnd) + " is still open " + std::to_string(timeoutMs) + " ms after the answer");
        Sleep(PollIntervalMs);
    }
}

void PressButton(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button)))
        throw EDriver("PostMessage(WM_COMMAND) failed, error " + std::to_string(GetLastError()));
}

int ButtonId(const TArgs& args) {
    std::wstring name = Lower(args.Require("button"));
    auto it = gButtonIds.find(name);
    if (it == gButtonIds.end()) throw EUsage("--button is one of ok, cancel, yes, no, abort, retry, ignore, close");
    return it->second;
}

std::vector<HWND> TrayIcons() {
    std::vector<HWND> icons;
    for (HWND tray : TopWindows(TWindowQuery::OfClass(TrayClass)))
        for (HWND icon : Controls(tray, TControlQuery::OfClass(TrayIconClass))) icons.push_back(icon);
    return icons;
}

// A notification balloon is a tooltip window of the balloon style; the icon's tip is a plain one.
bool IsBalloon(HWND tip) { return (GetWindowLongW(tip, GWL_STYLE) & TTS_BALLOON) != 0; }

// The tooltip windows of the tray's process that belong to the icon: owned by the icon's window
// (or by the tray holding it), plain tips or balloons.
std::vector<HWND> IconTooltips(HWND icon, bool balloons) {
    std::vector<HWND> tips;
    for (HWND tip : TopWindows(TWindowQuery::OfClass(TOOLTIPS_CLASSW))) {
        HWND owner = GetWindow(tip, GW_OWNER);
        if ((owner == icon || owner == GetParent(icon)) && IsBalloon(tip) == balloons) tips.push_back(tip);
    }
    return tips;
}

// The text of the icon's tool in one tooltip window; nothing when the window has no tool of the icon.
std::optional<std::wstring> IconToolText(HWND tip, HWND icon) {
    constexpr int TextChars = 256;
    TRemoteBuffer remote(tip, sizeof(TTTOOLINFOW) + TextChars * sizeof(wchar_t));
    TTTOOLINFOW info = {};
    info.cbSize = sizeof info;
    info.lpszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.Address()) + sizeof info);
    wchar_t empty[1] = {};
    LRESULT tools = SendWithTimeout(tip, TTM_GETTOOLCOUNT, 0, 0, DefaultHandlerTimeoutMs);
    for (LRESULT i = 0; i < tools; ++i) {
        remote.Write(&info, sizeof info);
        remote.Write(empty, sizeof empty, sizeof info);
        if (!SendWithTimeout(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(remote.Address()), DefaultHandlerTimeoutMs))
            continue;
        TTTOOLINFOW answer = {};
        remote.Read(&answer, sizeof answer);
        // A tool belongs to the icon when its window or its id is the icon's window.
        if (answer.hwnd != icon && answer.uId != reinterpret_cast<UINT_PTR>(icon) && tools > 1) continue;
        wchar_t text[TextChars] = {};
        remote.Read(text, sizeof text - sizeof(wchar_t), sizeof info);
        return std::wstring(text);
    }
    return std::nullopt;
}

// The tip lives in a tooltip window owned by the icon window, in the tray's process.
std::wstring TrayTip(HWND icon) {
    for (HWND tip : IconTooltips(icon, false))
        if (auto text = IconToolText(tip, icon)) return *text;
    return {};
}

HWND FindTrayIcon(const TArgs& args, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> icons = TrayIcons();
        if (args.Has("tip")) {
            std::wstring wanted = args.Require("tip");
            for (HWND icon : icons)
                if (TrayTip(icon) == wanted) return icon;
        } else {
            long long index = args.Number("index", 0);
            if (index >= 0 && index < static_cast<long long>(icons.size())) return icons[index];
        }
        if (GetTickCount() - start >= timeoutMs)
            throw EDriver("no such tray icon within " + std::to_string(timeoutMs) + " ms (" +
                          std::to_string(icons.size()) + " icons in the tray)");
        Sleep(PollIntervalMs);
    }
}

}  // namespace

int CmdReadBox(const TArgs& args) {
    PrintBox(FindBox(args, TimeoutMs(args, DefaultFindTimeoutMs), true));
    return 0;
}

int CmdAnswerBox(const TArgs& args) {
    int id = ButtonId(args);
    DWORD timeoutMs = TimeoutMs(args, DefaultFindTimeoutMs);
    HWND box = FindBox(args, timeoutMs, true);
    PrintBox(box);
    if (id == IDCLOSE) {
        PostMessageW(box, WM_CLOSE, 0, 0);
    } else {
        if (!HasButton(box, id))
            throw EDriver("the box has no \"" + ToUtf8(args.Require("button")) + "\" button; it has: " + ButtonList(box));
        PressButton(box, id);
    }
    if (!args.Flag("no-wait")) WaitGone(box, timeoutMs, "message box");
    return 0;
}

int CmdAnswerFile(const TArgs& args) {
    DWORD timeoutMs = TimeoutMs(args, DefaultFindTimeoutMs);
    HWND dialog = FindBox(args, timeoutMs, false);
    if (args.Has("button") && ButtonId(args) == IDCANCEL) {
        PressButton(dialog, IDCANCEL);
    } else {
        std::wstring path = args.Require("path");
        HWND name = GetDlgItem(dialog, FileNameComboId);
        if (!name) name = GetDlgItem(dialog, FileNameEditId);
        if (!name) throw EDriver(DescribeWindow(dialog) + " has no file-name box (cmb13 or edt1): not an open-file dialog?");
        // Wine's cmb13 is a ComboBoxEx32 around a combo box around the edit the dialog reads.
        std::vector<HWND> edits = Controls(name, TControlQuery::OfClass(L"Edit"));
        if (!edits.empty()) name = edits.front();
        if (!SendWithTimeout(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()), DefaultHandlerTimeoutMs))
            throw EDriver("the file-name box refused the text");
        PressButton(dialog, IDOK);
    }
    WaitGone(dialog, timeoutMs, "file dialog");
    return 0;
}

// A popup menu's items are not readable from another process (the menu lives
// in its owner's memory), but its tracking loop takes keys from its thread's
// queue: Down moves over the items, skipping separators, and Enter chooses.
int CmdMenuPick(const TArgs& args) {
    DWORD timeoutMs = TimeoutMs(args, DefaultFindTimeoutMs);
    TWindowQuery query;
    query.ClassName = MenuClass;
    query.Pid = static_cast<DWORD>(args.Number("pid", 0));
    HWND menu = nullptr;
    DWORD start = GetTickCount();
    while (!menu) {
        std::vector<HWND> menus = TopWindows(query, false);
        if (!menus.empty()) menu = menus.front();
        else if (GetTickCount() - start >= timeoutMs) throw EDriver("no popup menu open within " + std::to_string(timeoutMs) + " ms");
        else Sleep(PollIntervalMs);
    }
    auto key = [&](WPARAM vk) {
        PostMessageW(menu, WM_KEYDOWN, vk, 1);
        PostMessageW(menu, WM_KEYUP, vk, 0xC0000001);
    };
    if (args.Flag("close")) {
        key(VK_ESCAPE);
    } else {
        long long index = args.Number("index", -1);
        if (index < 0) throw EUsage("menu-pick needs --index N (items counted from 0, separators not counted) or --close");
        for (long long i = 0; i <= index; ++i) key(VK_DOWN);
        key(VK_RETURN);
    }
    WaitGone(menu, timeoutMs, "popup menu");
    return 0;
}

int CmdTrayList(const TArgs&) {
    std::vector<HWND> icons = TrayIcons();
    for (size_t i = 0; i < icons.size(); ++i)
        PrintLine(std::to_string(i) + " " + Hex(icons[i]) + " tip=" + ToUtf8(TrayTip(icons[i])));
    return 0;
}

// Mouse messages on the icon's window: the tray then sends the program its
// callback message, exactly as for a real click.
int CmdTrayClick(const TArgs& args) {
    HWND icon = FindTrayIcon(args, TimeoutMs(args, DefaultFindTimeoutMs));
    std::wstring button = Lower(args.Get("button").value_or(L"left"));
    auto post = [&](UINT msg, WPARAM keys) { PostMessageW(icon, msg, keys, MAKELPARAM(8, 8)); };
    post(WM_MOUSEMOVE, 0);
    if (button == L"left") {
        post(WM_LBUTTONDOWN, MK_LBUTTON);
        post(WM_LBUTTONUP, 0);
    } else if (button == L"right") {
        post(WM_RBUTTONDOWN, MK_RBUTTON);
        post(WM_RBUTTONUP, 0);
    } else if (button == L"double") {
        post(WM_LBUTTONDOWN, MK_LBUTTON);
        post(WM_LBUTTONUP, 0);
        post(WM_LBUTTONDBLCLK, MK_LBUTTON);
        post(WM_LBUTTONUP, 0);
    } else {
        throw EUsage("--button is one of left, right, double");
    }
    return 0;
}

// The balloon the shell shows for an icon (Shell_NotifyIcon with NIF_INFO) while it is up. Only
// its text: Wine's tooltips do not answer TTM_GETTITLE, so the title cannot be read back.
int CmdTrayBalloon(const TArgs& args) {
    DWORD timeoutMs = TimeoutMs(args, DefaultWaitTimeoutMs);
    DWORD start = GetTickCount();
    HWND icon = FindTrayIcon(args, timeoutMs);
    for (;;) {
        for (HWND balloon : IconTooltips(icon, true)) {
            if (!IsWindowVisible(balloon)) continue;
            auto text = IconToolText(balloon, icon);
            if (!text) continue;
            PrintLine("text=" + ToUtf8(*text));
            return 0;
        }
        if (GetTickCount() - start >= timeoutMs)
            throw EDriver("no balloon shown for " + DescribeWindow(icon) + " within " + std::to_string(timeoutMs) + " ms");
        Sleep(PollIntervalMs);
    }
}
