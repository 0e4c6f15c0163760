// tests/support/driver/WindowFinder.h -- finding top-level windows and controls of other processes
//
// Texts are compared as the window holds them and also with "&" mnemonics
// removed, so "Black && White Lists" and "Black & White Lists" both match.
// A control is any descendant of the top-level window (pages included).
#pragma once

#include "Args.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

struct TWindowQuery {
    std::optional<std::wstring> Caption;      // --window: caption equals
    std::optional<std::wstring> CaptionPart;  // --window-part: caption contains
    std::optional<std::wstring> ClassName;    // --class
    DWORD Pid = 0;                            // --pid, 0 = any process
    HWND Handle = nullptr;                    // --handle: this one window (as printed by wait-window)
    bool IsEmpty() const { return !Caption && !CaptionPart && !ClassName && Pid == 0 && !Handle; }
    std::string Describe() const;
    static TWindowQuery FromArgs(const TArgs& args);
    static TWindowQuery OfClass(const wchar_t* className);
};

struct TControlQuery {
    std::optional<long> Id;                   // --id
    std::optional<std::wstring> Text;         // --text: text equals
    std::optional<std::wstring> TextPart;     // --text-part
    std::optional<std::wstring> ClassName;    // --ctl-class
    std::optional<std::wstring> Name;         // --name: the component name in property "SentinoxName"
    int Nth = -1;                             // --nth: pick among several matches, in window order
    bool IsEmpty() const { return !Id && !Text && !TextPart && !ClassName && !Name; }
    std::string Describe() const;
    static TControlQuery FromArgs(const TArgs& args);
    static TControlQuery OfClass(const wchar_t* className);
};

// Window property holding a global atom with the component's name, once the program was asked.
constexpr wchar_t ComponentNameProperty[] = L"SentinoxName";
constexpr DWORD PollIntervalMs = 50;

std::vector<HWND> TopWindows(const TWindowQuery& query, bool includeHidden = true);
std::vector<HWND> Controls(HWND top, const TControlQuery& query);
// Asks one of the product's forms to make every window it still keeps for later (the controls of
// pages not shown yet), which shows nothing; FindControl asks when it finds nothing at first.
void AskForAllWindows(HWND top);
// Asks one of the product's forms to publish the component names of its controls (and of every
// window the process makes later); FindControl asks when a name finds nothing at first.
void AskForNames(HWND top);

// One top-level window; several matches pick the only visible one, else it is an error.
HWND FindTopWindow(const TWindowQuery& query, DWORD timeoutMs);
HWND FindControl(HWND top, const TControlQuery& query, DWORD timeoutMs);
// The window a command acts on: the control when a control query is given, else the top-level window.
HWND FindTarget(const TArgs& args, DWORD timeoutMs);

// Texts read from the window without sending it a message (safe when its thread is busy).
std::wstring WindowCaption(HWND hwnd);
// The text the window itself reports (WM_GETTEXT); edits keep theirs only there.
std::wstring WindowText(HWND hwnd, DWORD timeoutMs = 5000);
std::wstring WindowClass(HWND hwnd);
std::wstring ComponentName(HWND hwnd);
DWORD WindowPid(HWND hwnd);
bool TextMatches(const std::wstring& actual, const std::wstring& wanted);
std::string DescribeWindow(HWND hwnd);  // handle, class, id and caption, for messages

// Sends with a time limit; throws EDriver when the window does not answer in time.
LRESULT SendWithTimeout(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, DWORD timeoutMs, bool wide = true);
