// tests/support/driver/WindowCommands.cpp -- finding, waiting for, reading and messaging windows
#include "Commands.h"

#include "Text.h"
#include "WindowFinder.h"

#include <map>
#include <vector>

namespace {

std::string StateOf(HWND hwnd) { return IsWindowVisible(hwnd) ? "visible" : "hidden"; }

int Depth(HWND hwnd, HWND top) {
    int depth = 0;
    for (HWND parent = GetParent(hwnd); parent && parent != top; parent = GetParent(parent)) ++depth;
    return depth;
}

void PrintTree(HWND top) {
    AskForNames(top);
    AskForAllWindows(top);
    TControlQuery all;
    for (HWND child : Controls(top, all))
        PrintLine(std::string(2 + 2 * Depth(child, top), ' ') + DescribeWindow(child) + " " + StateOf(child));
}

UINT ParseMessage(const std::wstring& text) {
    static const std::map<std::wstring, UINT> names = {
        {L"WM_NULL", WM_NULL},           {L"WM_CLOSE", WM_CLOSE},         {L"WM_QUIT", WM_QUIT},
        {L"WM_COMMAND", WM_COMMAND},     {L"WM_SYSCOMMAND", WM_SYSCOMMAND}, {L"WM_TIMER", WM_TIMER},
        {L"WM_KEYDOWN", WM_KEYDOWN},     {L"WM_KEYUP", WM_KEYUP},         {L"WM_CHAR", WM_CHAR},
        {L"WM_LBUTTONDOWN", WM_LBUTTONDOWN}, {L"WM_LBUTTONUP", WM_LBUTTONUP}, {L"WM_LBUTTONDBLCLK", WM_LBUTTONDBLCLK},
        {L"WM_RBUTTONDOWN", WM_RBUTTONDOWN}, {L"WM_RBUTTONUP", WM_RBUTTONUP}, {L"WM_MOUSEMOVE", WM_MOUSEMOVE},
        {L"WM_SHOWWINDOW", WM_SHOWWINDOW}, {L"WM_ACTIVATE", WM_ACTIVATE}, {L"WM_ENDSESSION", WM_ENDSESSION},
        {L"WM_QUERYENDSESSION", WM_QUERYENDSESSION}, {L"WM_USER", WM_USER}, {L"WM_APP", WM_APP},
    };
    // "reg:TaskbarCreated": a registered message, the same number in every process.
    if (text.rfind(L"reg:", 0) == 0) return RegisterWindowMessageW(text.substr(4).c_str());
    size_t plus = text.find(L'+');
    std::wstring base = text.substr(0, plus);
    UINT offset = plus == std::wstring::npos ? 0 : static_cast<UINT>(ParseNumber(text.substr(plus + 1), "--msg offset"));
    if (auto it = names.find(base); it != names.end()) return it->second + offset;
    return static_cast<UINT>(ParseNumber(base, "--msg")) + offset;
}

// Polls until probe() is true; false when the time ran out.
template <typename Probe> bool WaitUntil(DWORD timeoutMs, Probe probe) {
    DWORD start = GetTickCount();
    for (;;) {
        if (probe()) return true;
        if (GetTickCount() - start >= timeoutMs) return false;
        Sleep(PollIntervalMs);
    }
}

// What rect prints: left top width height client-width client-height.
void PrintRect(HWND target) {
    RECT window = {}, client = {};
    GetWindowRect(target, &window);
    GetClientRect(target, &client);
    PrintLine(std::to_string(window.left) + " " + std::to_string(window.top) + " " +
              std::to_string(window.right - window.left) + " " + std::to_string(window.bottom - window.top) + " " +
              std::to_string(client.right) + " " + std::to_string(client.bottom));
}

bool InMoveLoop(HWND target) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof(info);
    return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &info) && (info.flags & GUI_INMOVESIZE);
}

}  // namespace

DWORD TimeoutMs(const TArgs& args, DWORD fallback) {
    long long value = args.Number("timeout", fallback);
    if (value < 0) throw EUsage("--timeout must not be negative");
    return static_cast<DWORD>(value);
}

int CmdListWindows(const TArgs& args) {
    TWindowQuery query = TWindowQuery::FromArgs(args);
    for (HWND top : TopWindows(query, args.Flag("all") || !query.IsEmpty())) {
        PrintLine(DescribeWindow(top) + " pid " + std::to_string(WindowPid(top)) + " " + StateOf(top));
        if (args.Flag("children")) PrintTree(top);
    }
    return 0;
}

int CmdCountWindows(const TArgs& args) {
    PrintLine(std::to_string(TopWindows(TWindowQuery::FromArgs(args), !args.Flag("visible")).size()));
    return 0;
}

int CmdWaitWindow(const TArgs& args) {
    TWindowQuery top = TWindowQuery::FromArgs(args);
    TControlQuery control = TControlQuery::FromArgs(args);
    if (top.IsEmpty()) throw EUsage("no window given (--window, --window-part, --class or --pid)");
    std::wstring state = args.Get("state").value_or(L"exists");
    if (state != L"exists" && state != L"visible" && state != L"hidden" && state != L"gone")
        throw EUsage("--state is one of exists, visible, hidden, gone");
    DWORD timeoutMs = TimeoutMs(args, DefaultWaitTimeoutMs);

    auto matches = [&] {
        std::vector<HWND> found;
        for (HWND hwnd : TopWindows(top)) {
            if (control.IsEmpty()) { found.push_back(hwnd); continue; }
            std::vector<HWND> inner = Controls(hwnd, control);
            // Names are there once asked for, gone or not.
            if (inner.empty() && control.Name) {
                AskForNames(hwnd);
                inner = Controls(hwnd, control);
            }
            // A control not made yet (its page never shown) is there all the same.
            if (inner.empty() && state != L"gone") {
                AskForAllWindows(hwnd);
                inner = Controls(hwnd, control);
            }
            if (control.Nth >= 0) {
                if (control.Nth < static_cast<int>(inner.size())) found.push_back(inner[control.Nth]);
            } else {
                found.insert(found.end(), inner.begin(), inner.end());
            }
        }
        return found;
    };
    HWND hit = nullptr;
    bool reached = WaitUntil(timeoutMs, [&] {
        std::vector<HWND> found = matches();
        if (state == L"gone") return found.empty();
        for (HWND hwnd : found) {
            bool visible = IsWindowVisible(hwnd) != FALSE;
            if (state == L"exists" || (state == L"visible" && visible) || (state == L"hidden" && !visible)) {
                hit = hwnd;
                return true;
            }
        }
        return false;
    });
    if (!reached)
        throw EDriver("no window with" + top.Describe() + control.Describe() + " became " + ToUtf8(state) + " within " +
                      std::to_string(timeoutMs) + " ms");
    if (hit) PrintLine(Hex(hit));
    return 0;
}

int CmdReadText(const TArgs& args) {
    PrintLine(WindowText(FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs))));
    return 0;
}

// The buttons --click names (comma-separated component names), found before the wait.
std::vector<HWND> ButtonsToClick(const TArgs& args, DWORD timeoutMs) {
    std::vector<HWND> buttons;
    const auto names = args.Get("click");
    if (!names) return buttons;
    const HWND top = FindTopWindow(TWindowQuery::FromArgs(args), timeoutMs);
    for (size_t start = 0; start <= names->size();) {
        size_t comma = names->find(L',', start);
        if (comma == std::wstring::npos) comma = names->size();
        TControlQuery query;
        query.Name = names->substr(start, comma - start);
        buttons.push_back(FindControl(top, query, timeoutMs));
        start = comma + 1;
    }
    return buttons;
}

int CmdWaitText(const TArgs& args) {
    auto equals = args.Get("equals");
    auto contains = args.Get("contains");
    if (!equals == !contains) throw EUsage("give exactly one of --equals and --contains");
    DWORD timeoutMs = TimeoutMs(args, DefaultWaitTimeoutMs);
    HWND target = FindTarget(args, timeoutMs);
    const std::vector<HWND> buttons = ButtonsToClick(args, timeoutMs);
    std::wstring text;
    auto probe = [&] {
        if (!IsWindow(target)) throw EDriver("the window " + Hex(target) + " went away while waiting for its text");
        text = WindowText(target);
        return equals ? text == *equals : text.find(*contains) != std::wstring::npos;
    };
    bool reached;
    if (buttons.empty()) {
        reached = WaitUntil(timeoutMs, probe);
    } else {
        // Read back to back: a busy program answers each read at its next look at its
        // messages, and the clicks, posted the moment the text is there, are what it finds
        // at its next look but one at the latest.
        const DWORD start = GetTickCount();
        while (!(reached = probe()) && GetTickCount() - start < timeoutMs) Sleep(0);
        if (reached)
            for (HWND button : buttons)
                if (!PostMessageW(button, BM_CLICK, 0, 0)) throw EDriver("PostMessage failed, error " + std::to_string(GetLastError()));
    }
    if (!reached)
        throw EDriver("text of " + DescribeWindow(target) + " is \"" + ToUtf8(text) + "\", not " +
                      (equals ? "\"" + ToUtf8(*equals) + "\"" : "containing \"" + ToUtf8(*contains) + "\"") + " after " +
                      std::to_string(timeoutMs) + " ms");
    PrintLine(text);
    return 0;
}

int CmdSetText(const TArgs& args) {
    HWND target = FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    std::wstring value = args.Require("value");
    // WM_SETTEXT is marshalled between processes; an edit answers it with EN_CHANGE to its parent.
    if (!SendWithTimeout(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()), DefaultHandlerTimeoutMs))
        throw EDriver(DescribeWindow(target) + " refused the text");
    return 0;
}

int CmdIsVisible(const TArgs& args) {
    PrintLine(IsWindowVisible(FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs))) ? "1" : "0");
    return 0;
}

int CmdIsEnabled(const TArgs& args) {
    PrintLine(IsWindowEnabled(FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs))) ? "1" : "0");
    return 0;
}

int CmdRect(const TArgs& args) {
    PrintRect(FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs)));
    return 0;
}

int CmdScreen(const TArgs&) {
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    PrintLine(std::to_string(GetSystemMetrics(SM_CXSCREEN)) + " " + std::to_string(GetSystemMetrics(SM_CYSCREEN)) + " " +
              std::to_string(work.left) + " " + std::to_string(work.top) + " " + std::to_string(work.right) + " " +
              std::to_string(work.bottom));
    return 0;
}

int CmdPost(const TArgs& args) {
    UINT msg = ParseMessage(args.Require("msg"));
    WPARAM wp = static_cast<WPARAM>(args.Number("wparam", 0));
    LPARAM lp = static_cast<LPARAM>(args.Number("lparam", 0));
    bool broadcast = args.Flag("all");
    HWND target = broadcast ? HWND_BROADCAST : FindTarget(args, TimeoutMs(args, DefaultFindTimeoutMs));
    if (args.Flag("send")) {
        PrintLine(std::to_string(SendWithTimeout(target, msg, wp, lp, TimeoutMs(args, DefaultHandlerTimeoutMs))));
    } else if (!PostMessageW(target, msg, wp, lp)) {
        throw EDriver("PostMessage to " + (broadcast ? std::string("all top-level windows") : DescribeWindow(target)) +
                      " failed, error " + std::to_string(GetLastError()));
    }
    return 0;
}

// The system's move loop of the target's thread, fed as a user's mouse feeds it: the pointer is
// put where the message says it is (a posted message carries the pointer's position), and the
// window follows on screen at each step. Steps of at most 8 pixels head for the point where
// the window's edge is --short pixels from the work area's; the drag ends there or on the edge.
int CmdDrag(const TArgs& args) {
    const std::wstring edge = args.Require("edge");
    const long long shortBy = args.Number("short", 5);
    const DWORD timeoutMs = TimeoutMs(args, DefaultFindTimeoutMs);
    HWND target = FindTopWindow(TWindowQuery::FromArgs(args), timeoutMs);
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    static const std::map<std::wstring, POINT> directions = {
        {L"left", {-1, 0}}, {L"right", {1, 0}}, {L"top", {0, -1}}, {L"bottom", {0, 1}}};
    auto direction = directions.find(edge);
    if (direction == directions.end()) throw EUsage("--edge must be left, right, top or bottom");
    const POINT unit = direction->second;
    // How far the window's edge still is from the work area's, counted in the drag's direction.
    auto remaining = [&](const RECT& r) -> long {
        if (unit.x) return unit.x < 0 ? r.left - work.left : work.right - r.right;
        return unit.y < 0 ? r.top - work.top : work.bottom - r.bottom;
    };

    RECT r = {};
    GetWindowRect(target, &r);
    POINT pointer = {(r.left + r.right) / 2, r.top + GetSystemMetrics(SM_CYCAPTION) / 2};
    SetCursorPos(pointer.x, pointer.y);
    PostMessageW(target, WM_SYSCOMMAND, SC_MOVE | HTCAPTION, MAKELPARAM(pointer.x, pointer.y));
    if (!WaitUntil(timeoutMs, [&] { return InMoveLoop(target); }))
        throw EDriver(DescribeWindow(target) + " did not enter the move loop");
    for (int step = 0; step < 1000; ++step) {
        GetWindowRect(target, &r);
        const long left = remaining(r);
        const long delta = static_cast<long>(left - shortBy);
        if (left == 0 || delta == 0) break;
        const long move = delta > 8 ? 8 : delta < -8 ? -8 : delta;
        pointer = {pointer.x + unit.x * move, pointer.y + unit.y * move};
        const RECT before = r;
        SetCursorPos(pointer.x, pointer.y);
        PostMessageW(target, WM_MOUSEMOVE, MK_LBUTTON, 0);
        // A window that does not follow (the pointer at the screen's border, or no drawing of
        // the full window while dragging) ends the drag where it is.
        if (!WaitUntil(timeoutMs, [&] { GetWindowRect(target, &r); return !EqualRect(&r, &before); })) break;
    }
    PostMessageW(target, WM_LBUTTONUP, 0, 0);
    if (!WaitUntil(timeoutMs, [&] { return !InMoveLoop(target); }))
        throw EDriver(DescribeWindow(target) + " did not leave the move loop");
    PrintRect(target);
    return 0;
}

int CmdClose(const TArgs& args) {
    HWND target = FindTopWindow(TWindowQuery::FromArgs(args), TimeoutMs(args, DefaultFindTimeoutMs));
    if (!PostMessageW(target, WM_CLOSE, 0, 0))
        throw EDriver("PostMessage(WM_CLOSE) failed, error " + std::to_string(GetLastError()));
    return 0;
}

int CmdHoldFile(const TArgs& args) {
    std::wstring path = args.Require("path");
    // No sharing at all: others can neither open, nor delete, nor rename the file while we hold it.
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw EDriver("cannot open \"" + ToUtf8(path) + "\", error " + std::to_string(GetLastError()));
    PrintLine("held");
    Sleep(static_cast<DWORD>(args.Number("ms", INFINITE)));
    CloseHandle(file);
    return 0;
}
