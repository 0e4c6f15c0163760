// tests/support/driver/WindowFinder.cpp -- window and control lookup with polling
#include "WindowFinder.h"

#include "Text.h"

#include <algorithm>

namespace {

struct TEnumContext {
    std::vector<HWND> Windows;
};

BOOL CALLBACK CollectWindow(HWND hwnd, LPARAM context) {
    reinterpret_cast<TEnumContext*>(context)->Windows.push_back(hwnd);
    return TRUE;
}

bool Contains(const std::wstring& haystack, const std::wstring& needle) {
    return haystack.find(needle) != std::wstring::npos || StripMnemonics(haystack).find(needle) != std::wstring::npos;
}

bool MatchesTop(HWND hwnd, const TWindowQuery& query) {
    if (query.Handle && hwnd != query.Handle) return false;
    if (query.Pid != 0 && WindowPid(hwnd) != query.Pid) return false;
    if (query.ClassName && WindowClass(hwnd) != *query.ClassName) return false;
    if (query.Caption || query.CaptionPart) {
        std::wstring caption = WindowCaption(hwnd);
        if (query.Caption && !TextMatches(caption, *query.Caption)) return false;
        if (query.CaptionPart && !Contains(caption, *query.CaptionPart)) return false;
    }
    return true;
}

bool MatchesControl(HWND hwnd, const TControlQuery& query) {
    if (query.Id && GetDlgCtrlID(hwnd) != *query.Id) return false;
    if (query.ClassName && Lower(WindowClass(hwnd)) != Lower(*query.ClassName)) return false;
    if (query.Name && ComponentName(hwnd) != *query.Name) return false;
    if (query.Text || query.TextPart) {
        std::wstring text = WindowCaption(hwnd);
        if (query.Text && !TextMatches(text, *query.Text)) return false;
        if (query.TextPart && !Contains(text, *query.TextPart)) return false;
    }
    return true;
}

std::string ListCandidates(const std::vector<HWND>& windows) {
    std::string text;
    for (HWND hwnd : windows) text += "\n  " + DescribeWindow(hwnd);
    return text;
}

}  // namespace

std::string TWindowQuery::Describe() const {
    std::string text;
    if (Caption) text += " caption \"" + ToUtf8(*Caption) + "\"";
    if (CaptionPart) text += " caption containing \"" + ToUtf8(*CaptionPart) + "\"";
    if (ClassName) text += " class \"" + ToUtf8(*ClassName) + "\"";
    if (Pid) text += " pid " + std::to_string(Pid);
    if (Handle) text += " handle " + Hex(Handle);
    return text.empty() ? " (any)" : text;
}

TWindowQuery TWindowQuery::FromArgs(const TArgs& args) {
    TWindowQuery query;
    query.Caption = args.Get("window");
    query.CaptionPart = args.Get("window-part");
    query.ClassName = args.Get("class");
    query.Pid = static_cast<DWORD>(args.Number("pid", 0));
    query.Handle = reinterpret_cast<HWND>(static_cast<intptr_t>(args.Number("handle", 0)));
    return query;
}

TWindowQuery TWindowQuery::OfClass(const wchar_t* className) {
    TWindowQuery query;
    query.ClassName = className;
    return query;
}

std::string TControlQuery::Describe() const {
    std::string text;
    if (Id) text += " id " + std::to_string(*Id);
    if (Text) text += " text \"" + ToUtf8(*Text) + "\"";
    if (TextPart) text += " text containing \"" + ToUtf8(*TextPart) + "\"";
    if (ClassName) text += " class \"" + ToUtf8(*ClassName) + "\"";
    if (Name) text += " name \"" + ToUtf8(*Name) + "\"";
    if (Nth >= 0) text += " nth " + std::to_string(Nth);
    return text;
}

TControlQuery TControlQuery::FromArgs(const TArgs& args) {
    TControlQuery query;
    if (args.Has("id")) query.Id = static_cast<long>(args.Number("id", 0));
    query.Text = args.Get("text");
    query.TextPart = args.Get("text-part");
    query.ClassName = args.Get("ctl-class");
    query.Name = args.Get("name");
    query.Nth = static_cast<int>(args.Number("nth", -1));
    return query;
}

TControlQuery TControlQuery::OfClass(const wchar_t* className) {
    TControlQuery query;
    query.ClassName = className;
    return query;
}

std::vector<HWND> TopWindows(const TWindowQuery& query, bool includeHidden) {
    TEnumContext context;
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&context));
    std::vector<HWND> result;
    for (HWND hwnd : context.Windows)
        if ((includeHidden || IsWindowVisible(hwnd)) && MatchesTop(hwnd, query)) result.push_back(hwnd);
    return result;
}

namespace {

// A busy window is waited for only so long: a search goes on polling and asks again.
void AskForm(HWND top, const wchar_t* messageName) {
    constexpr DWORD AskTimeoutMs = 2000;
    DWORD_PTR result = 0;
    SendMessageTimeoutW(top, RegisterWindowMessageW(messageName), 0, 0, SMTO_ABORTIFHUNG, AskTimeoutMs, &result);
}

}  // namespace

// The product's forms make the windows they keep for later (the controls of pages not shown
// yet) on this message, showing nothing; other windows ignore it.
void AskForAllWindows(HWND top) { AskForm(top, L"SentinoxCreateAllWindows"); }

// The product publishes component names once asked, from then on for every window it makes.
void AskForNames(HWND top) { AskForm(top, L"SentinoxPublishNames"); }

std::vector<HWND> Controls(HWND top, const TControlQuery& query) {
    TEnumContext context;
    EnumChildWindows(top, CollectWindow, reinterpret_cast<LPARAM>(&context));
    std::vector<HWND> result;
    for (HWND hwnd : context.Windows)
        if (MatchesControl(hwnd, query)) result.push_back(hwnd);
    return result;
}

HWND FindTopWindow(const TWindowQuery& query, DWORD timeoutMs) {
    if (query.IsEmpty()) throw EUsage("no window given (--window, --window-part, --class or --pid)");
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = TopWindows(query);
        if (found.size() == 1) return found[0];
        if (found.size() > 1) {
            std::vector<HWND> visible;
            std::copy_if(found.begin(), found.end(), std::back_inserter(visible), IsWindowVisible);
            if (visible.size() == 1) return visible[0];
            throw EDriver(std::to_string(found.size()) + " windows match" + query.Describe() +
                          " (narrow it with --class or --pid):" + ListCandidates(found));
        }
        if (GetTickCount() - start >= timeoutMs)
            throw EDriver("no top-level window with" + query.Describe() + " within " + std::to_string(timeoutMs) + " ms");
        Sleep(PollIntervalMs);
    }
}

HWND FindControl(HWND top, const TControlQuery& query, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = Controls(top, query);
        if (found.empty() && query.Name) {
            AskForNames(top);
            found = Controls(top, query);
        }
        if (found.empty()) {
            AskForAllWindows(top);
            found = Controls(top, query);
        }
        if (query.Nth >= 0 && query.Nth < static_cast<int>(found.size())) return found[query.Nth];
        if (query.Nth < 0 && found.size() == 1) return found[0];
        if (query.Nth < 0 && found.size() > 1)
            throw EDriver(std::to_string(found.size()) + " controls match" + query.Describe() + " in " +
                          DescribeWindow(top) + " (pick one with --nth N):" + ListCandidates(found));
        if (!IsWindow(top)) throw EDriver("the window " + Hex(top) + " went away while looking for" + query.Describe());
        if (GetTickCount() - start >= timeoutMs)
            throw EDriver("no control with" + query.Describe() + " in " + DescribeWindow(top) + " within " +
                          std::to_string(timeoutMs) + " ms");
        Sleep(PollIntervalMs);
    }
}

HWND FindTarget(const TArgs& args, DWORD timeoutMs) {
    HWND top = FindTopWindow(TWindowQuery::FromArgs(args), timeoutMs);
    TControlQuery control = TControlQuery::FromArgs(args);
    return control.IsEmpty() ? top : FindControl(top, control, timeoutMs);
}

std::wstring WindowCaption(HWND hwnd) {
    wchar_t buffer[1024] = {};
    // For another process's window this reads the text the system keeps, without a message.
    GetWindowTextW(hwnd, buffer, 1024);
    return buffer;
}

std::wstring WindowText(HWND hwnd, DWORD timeoutMs) {
    LRESULT length = SendWithTimeout(hwnd, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = SendWithTimeout(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs);
    text.resize(static_cast<size_t>(std::max<LRESULT>(0, std::min<LRESULT>(copied, length))));
    return text;
}

std::wstring WindowClass(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return buffer;
}

std::wstring ComponentName(HWND hwnd) {
    // The property value is a global atom, readable from any process.
    ATOM atom = static_cast<ATOM>(reinterpret_cast<UINT_PTR>(GetPropW(hwnd, ComponentNameProperty)));
    if (atom == 0) return {};
    wchar_t buffer[256] = {};
    GlobalGetAtomNameW(atom, buffer, 256);
    return buffer;
}

DWORD WindowPid(HWND hwnd) {
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    return pid;
}

bool TextMatches(const std::wstring& actual, const std::wstring& wanted) {
    return actual == wanted || StripMnemonics(actual) == wanted;
}

std::string DescribeWindow(HWND hwnd) {
    std::string text = Hex(hwnd) + " class \"" + ToUtf8(WindowClass(hwnd)) + "\"";
    if (GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD) text += " id " + std::to_string(GetDlgCtrlID(hwnd));
    text += " text \"" + ToUtf8(WindowCaption(hwnd)) + "\"";
    std::wstring name = ComponentName(hwnd);
    if (!name.empty()) text += " name \"" + ToUtf8(name) + "\"";
    return text;
}

LRESULT SendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs, bool wide) {
    DWORD_PTR result = 0;
    LRESULT ok = wide ? SendMessageTimeoutW(hwnd, msg, wp, lp, SMTO_NORMAL, timeoutMs, &result)
                      : SendMessageTimeoutA(hwnd, msg, wp, lp, SMTO_NORMAL, timeoutMs, &result);
    if (!ok) {
        DWORD error = GetLastError();
        char name[16];
        wsprintfA(name, "0x%04X", msg);
        std::string what = error == ERROR_TIMEOUT || error == ERROR_SUCCESS
                               ? " got no answer within " + std::to_string(timeoutMs) + " ms (its thread is busy)"
                               : " failed, error " + std::to_string(error);
        throw EDriver(std::string("message ") + name + " to " + DescribeWindow(hwnd) + what);
    }
    return static_cast<LRESULT>(result);
}
