// tests/support/driver/ControlCommands.cpp -- buttons, check boxes, tabs and lists, driven as a user would
//
// A click on a visible, enabled button is BM_CLICK: the button itself then
// does what it does for the mouse (auto check boxes toggle) and notifies its
// parent. A control on a hidden page ignores that under Wine, so there we do
// the button's part ourselves (the auto state) and send WM_COMMAND/BN_CLICKED
// to the parent, which is all a program sees of a click.
//
// Synchronous by default: we wait, with a limit, until the program's handler
// has returned. A handler that opens a modal window does not return; after
// the limit we report that on stderr and succeed. --async posts instead.
#include "Commands.h"

#include "RemoteBuffer.h"
#include "Text.h"
#include "WindowFinder.h"

#include <commctrl.h>

#include <atomic>
#include <cstdio>
#include <memory>
#include <thread>

namespace {

enum class TControlKind { Button, ListBox, ComboBox, Tab, Other };

TControlKind KindOf(HWND hwnd, const TArgs& args) {
    std::wstring kind = Lower(args.Get("as").value_or(WindowClass(hwnd)));
    // Superclassed controls keep the system class in their name more often than not; --as settles the rest.
    if (kind.find(L"button") != std::wstring::npos) return TControlKind::Button;
    if (kind.find(L"listbox") != std::wstring::npos) return TControlKind::ListBox;
    if (kind.find(L"combo") != std::wstring::npos) return TControlKind::ComboBox;
    if (kind.find(L"tab") != std::wstring::npos) return TControlKind::Tab;
    return TControlKind::Other;
}

// Sends, or posts with async. The send runs on a thread of its own so we can
// watch the program meanwhile: a handler that opens a modal window (its owner
// becomes disabled, or a new dialog shows up) will not return until someone
// answers, so we stop waiting then and say so; the same after the time limit.
void Deliver(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, bool async, DWORD timeoutMs) {
    if (async) {
        if (!PostMessageW(hwnd, msg, wp, lp)) throw EDriver("PostMessage failed, error " + std::to_string(GetLastError()));
        return;
    }
    HWND top = GetAncestor(hwnd, GA_ROOT);
    bool wasEnabled = IsWindowEnabled(top) != FALSE;
    DWORD pid = WindowPid(hwnd);
    auto dialogsOf = [pid] {
        TWindowQuery query = TWindowQuery::OfClass(L"#32770");
        query.Pid = pid;
        return TopWindows(query, false);
    };
    std::vector<HWND> dialogsBefore = dialogsOf();
    // Running, returned, or timed out: a send that gave up is no handler that returned.
    enum : int { Running, Returned, TimedOut };
    auto state = std::make_shared<std::atomic<int>>(Running);
    std::thread([=] {
        DWORD_PTR result = 0;
        *state = SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, timeoutMs, &result) ? Returned : TimedOut;
    }).detach();
    DWORD start = GetTickCount();
    while (*state == Running) {
        if ((wasEnabled && IsWindow(top) && !IsWindowEnabled(top)) || dialogsOf().size() > dialogsBefore.size()) {
            std::fprintf(stderr, "sxdriver: note: the handler opened a modal window; not waiting for it\n");
            return;
        }
        if (GetTickCount() - start >= timeoutMs) break;
        Sleep(10);
    }
    if (*state != Returned)
        std::fprintf(stderr, "sxdriver: note: the handler had not returned after %lu ms\n",
                     static_cast<unsigned long>(timeoutMs));
}

void NotifyParent(HWND control, WORD code, bool async, DWORD timeoutMs) {
    HWND parent = GetParent(control);
    if (!parent) throw EDriver(DescribeWindow(control) + " has no parent to notify");
    Deliver(parent, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code), reinterpret_cast<LPARAM>(control), async,
            timeoutMs);
}

LONG ButtonType(HWND button) { return GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK; }

// What an automatic button does to its own state on a click, for the hidden road.
void ApplyAutoState(HWND button) {
    DWORD timeoutMs = DefaultHandlerTimeoutMs;
    switch (ButtonType(button)) {
    case BS_AUTOCHECKBOX: {
        LRESULT state = SendWithTimeout(button, BM_GETCHECK, 0, 0, timeoutMs);
        SendWithTimeout(button, BM_SETCHECK, state == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0, timeoutMs);
        break;
    }
    case BS_AUTO3STATE: {
        LRESULT state = SendWithTimeout(button, BM_GETCHECK, 0, 0, timeoutMs);
        SendWithTimeout(button, BM_SETCHECK, (state + 1) % 3, 0, timeoutMs);
        break;
    }
    case BS_AUTORADIOBUTTON: {
        // Unchecks the other automatic radio buttons of its group, as the button would.
        HWND parent = GetParent(button);
        HWND sibling = button;
        do {
            sibling = GetNextDlgGroupItem(parent, sibling, FALSE);
            if (sibling && sibling != button && ButtonType(sibling) == BS_AUTORADIOBUTTON)
                SendWithTimeout(sibling, BM_SETCHECK, BST_UNCHECKED, 0, timeoutMs);
        } while (sibling && sibling != button);
        SendWithTimeout(button, BM_SETCHECK, BST_CHECKED, 0, timeoutMs);
        break;
    }
    default:
        break;
    }
}

bool IsButtonClass(HWND control) {
    wchar_t name[64] = {};
    GetClassNameW(control, name, 64);
    return lstrcmpiW(name, WC_BUTTONW) == 0;
}

void ClickControl(HWND control, bool async, DWORD timeoutMs) {
    if (!IsWindowEnabled(control)) throw EDriver(DescribeWindow(control) + " is disabled: a user could not click it");
    if (!IsButtonClass(control)) {
        // BM_CLICK means nothing to other classes (labels, link labels, panels): press and
        // release the left button in the middle of the control, as a mouse does.
        if (!IsWindowVisible(control)) throw EDriver(DescribeWindow(control) + " is not visible: a user could not click it");
        RECT r{};
        GetClientRect(control, &r);
        LPARAM centre = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
        Deliver(control, WM_LBUTTONDOWN, MK_LBUTTON, centre, false, timeoutMs);
        Deliver(control, WM_LBUTTONUP, 0, centre, async, timeoutMs);
        return;
    }
    if (IsWindowVisible(control)) {
        Deliver(control, BM_CLICK, 0, 0, async, timeoutMs);
        return;
    }
    ApplyAutoState(control);
    NotifyParent(control, BN_CLICKED, async, timeoutMs);
}

LRESULT CheckState(HWND button) { return SendWithTimeout(button, BM_GETCHECK, 0, 0, DefaultHandlerTimeoutMs); }

int SetCheck(const TArgs& args, bool checked) {
    HWND button = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    LRESULT wanted = checked ? BST_CHECKED : BST_UNCHECKED;
    if (CheckState(button) == wanted) return 0;
    ClickControl(button, false, TimeoutMs(args, DefaultHandlerTimeoutMs));
    if (CheckState(button) != wanted)
        throw EDriver(DescribeWindow(button) + " is still " + (checked ? "unchecked" : "checked") + " after a click");
    return 0;
}

std::vector<std::wstring> ListBoxItems(HWND list, UINT countMsg, UINT lengthMsg, UINT textMsg) {
    DWORD timeoutMs = DefaultHandlerTimeoutMs;
    LRESULT count = SendWithTimeout(list, countMsg, 0, 0, timeoutMs);
    std::vector<std::wstring> items;
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendWithTimeout(list, lengthMsg, i, 0, timeoutMs);
        if (length < 0) length = 0;
        // The wide form: Wine hands the ANSI LB_GETTEXT of another process back cut to one character.
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        LRESULT copied = SendWithTimeout(list, textMsg, i, reinterpret_cast<LPARAM>(text.data()), timeoutMs);
        text.resize(copied > 0 && copied <= length ? static_cast<size_t>(copied) : 0);
        items.push_back(text);
    }
    return items;
}

std::wstring TabCaption(HWND tab, int index) {
    constexpr int TextChars = 512;
    TRemoteBuffer remote(tab, sizeof(TCITEMW) + TextChars * sizeof(wchar_t));
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.Address()) + sizeof(TCITEMW));
    item.cchTextMax = TextChars;
    remote.Write(&item, sizeof item);
    if (!SendWithTimeout(tab, TCM_GETITEMW, index, reinterpret_cast<LPARAM>(remote.Address()), DefaultHandlerTimeoutMs))
        throw EDriver("TCM_GETITEM " + std::to_string(index) + " failed on " + DescribeWindow(tab));
    wchar_t text[TextChars] = {};
    remote.Read(text, sizeof text - sizeof(wchar_t), sizeof(TCITEMW));
    return text;
}

std::vector<std::wstring> Items(HWND control, TControlKind kind) {
    switch (kind) {
    case TControlKind::ListBox: return ListBoxItems(control, LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT);
    case TControlKind::ComboBox: return ListBoxItems(control, CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT);
    case TControlKind::Tab: {
        std::vector<std::wstring> items;
        LRESULT count = SendWithTimeout(control, TCM_GETITEMCOUNT, 0, 0, DefaultHandlerTimeoutMs);
        for (int i = 0; i < count; ++i) items.push_back(TabCaption(control, i));
        return items;
    }
    default: throw EDriver(DescribeWindow(control) + " is not a list box, combo box or tab control (try --as)");
    }
}

// --index N or --item TEXT (also matching with mnemonics removed).
int ResolveIndex(const TArgs& args, HWND control, TControlKind kind, const char* textOption) {
    if (args.Has("index") == args.Has(textOption))
        throw EUsage(std::string("give exactly one of --index and --") + textOption);
    std::vector<std::wstring> items = Items(control, kind);
    if (args.Has("index")) {
        long long index = args.Number("index", 0);
        if (index < 0 || index >= static_cast<long long>(items.size()))
            throw EDriver("index " + std::to_string(index) + " is out of range: " + DescribeWindow(control) + " has " +
                          std::to_string(items.size()) + " items");
        return static_cast<int>(index);
    }
    std::wstring wanted = args.Require(textOption);
    for (size_t i = 0; i < items.size(); ++i)
        if (TextMatches(items[i], wanted)) return static_cast<int>(i);
    std::string known;
    for (const std::wstring& item : items) known += "\n  \"" + ToUtf8(item) + "\"";
    throw EDriver("no item \"" + ToUtf8(wanted) + "\" in " + DescribeWindow(control) + "; it holds:" + known);
}

HWND FindTabControl(const TArgs& args, DWORD timeoutMs) {
    HWND top = FindTopWindow(TWindowQuery::FromArgs(args), timeoutMs);
    TControlQuery query = TControlQuery::FromArgs(args);
    if (query.IsEmpty()) query.ClassName = WC_TABCONTROLW;
    return FindControl(top, query, timeoutMs);
}

}  // namespace

int CmdClick(const TArgs& args) {
    TControlQuery query = TControlQuery::FromArgs(args);
    if (query.IsEmpty()) throw EUsage("click needs a control (--id, --text, --text-part, --ctl-class or --name)");
    HWND control = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    ClickControl(control, args.Flag("async"), TimeoutMs(args, DefaultHandlerTimeoutMs));
    return 0;
}

int CmdCheck(const TArgs& args) { return SetCheck(args, true); }
int CmdUncheck(const TArgs& args) { return SetCheck(args, false); }

int CmdIsChecked(const TArgs& args) {
    LRESULT state = CheckState(FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs)));
    PrintLine(state == BST_CHECKED ? "1" : state == BST_INDETERMINATE ? "2" : "0");
    return 0;
}

// TCM_SETCURFOCUS on a tab control without TCS_BUTTONS selects the tab and sends
// TCN_SELCHANGING/TCN_SELCHANGE to the parent from inside the program, the way
// a mouse click does. We could not send those WM_NOTIFYs ourselves: Wine
// refuses WM_NOTIFY between processes, whatever the pointer.
int CmdTab(const TArgs& args) {
    DWORD timeoutMs = TimeoutMs(args, DefaultFindTimeoutMs);
    HWND tab = FindTabControl(args, timeoutMs);
    int index = ResolveIndex(args, tab, TControlKind::Tab, "tab");
    bool async = args.Flag("async");
    if (GetWindowLongW(tab, GWL_STYLE) & TCS_BUTTONS)
        throw EDriver(DescribeWindow(tab) + " has TCS_BUTTONS: focus and selection are apart there, not supported");
    Deliver(tab, TCM_SETCURFOCUS, index, 0, async, DefaultHandlerTimeoutMs);
    if (async) return 0;
    LRESULT selected = SendWithTimeout(tab, TCM_GETCURSEL, 0, 0, DefaultHandlerTimeoutMs);
    if (selected != index)
        throw EDriver("tab " + std::to_string(index) + " was not selected (the program refused the change?); selected: " +
                      std::to_string(selected));
    return 0;
}

int CmdPick(const TArgs& args) {
    HWND control = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    TControlKind kind = KindOf(control, args);
    int index = ResolveIndex(args, control, kind, "item");
    bool async = args.Flag("async");
    DWORD timeoutMs = DefaultHandlerTimeoutMs;
    if (!IsWindowEnabled(control)) throw EDriver(DescribeWindow(control) + " is disabled: a user could not pick a line");
    if (kind == TControlKind::ComboBox) {
        SendWithTimeout(control, CB_SETCURSEL, index, 0, timeoutMs);
        NotifyParent(control, CBN_SELCHANGE, async, timeoutMs);
        return 0;
    }
    if (kind == TControlKind::Tab) throw EUsage("use the tab command for a tab control");
    LONG style = GetWindowLongW(control, GWL_STYLE);
    if (style & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
        SendWithTimeout(control, LB_SETSEL, FALSE, static_cast<LPARAM>(-1), timeoutMs);
        SendWithTimeout(control, LB_SETSEL, TRUE, index, timeoutMs);
        SendWithTimeout(control, LB_SETCARETINDEX, index, FALSE, timeoutMs);
    } else {
        SendWithTimeout(control, LB_SETCURSEL, index, 0, timeoutMs);
    }
    // A list box tells its parent about a user's choice only when it has LBS_NOTIFY; so do we.
    if (style & LBS_NOTIFY) {
        NotifyParent(control, LBN_SELCHANGE, async, timeoutMs);
        if (args.Flag("double")) NotifyParent(control, LBN_DBLCLK, async, timeoutMs);
    }
    return 0;
}

int CmdListItems(const TArgs& args) {
    HWND control = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    for (const std::wstring& item : Items(control, KindOf(control, args))) PrintLine(item);
    return 0;
}

int CmdGetIndex(const TArgs& args) {
    HWND control = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    DWORD timeoutMs = DefaultHandlerTimeoutMs;
    switch (KindOf(control, args)) {
    case TControlKind::ListBox:
        if (GetWindowLongW(control, GWL_STYLE) & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) {
            // One line per selected item of a multi-selection list box; none prints nothing.
            LRESULT count = SendWithTimeout(control, LB_GETCOUNT, 0, 0, timeoutMs);
            for (LRESULT i = 0; i < count; ++i)
                if (SendWithTimeout(control, LB_GETSEL, i, 0, timeoutMs) > 0) PrintLine(std::to_string(i));
            return 0;
        }
        PrintLine(std::to_string(SendWithTimeout(control, LB_GETCURSEL, 0, 0, timeoutMs)));
        return 0;
    case TControlKind::ComboBox: PrintLine(std::to_string(SendWithTimeout(control, CB_GETCURSEL, 0, 0, timeoutMs))); return 0;
    case TControlKind::Tab: PrintLine(std::to_string(SendWithTimeout(control, TCM_GETCURSEL, 0, 0, timeoutMs))); return 0;
    default: throw EDriver(DescribeWindow(control) + " is not a list box, combo box or tab control (try --as)");
    }
}
