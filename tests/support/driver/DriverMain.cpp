// tests/support/driver/DriverMain.cpp -- sxdriver.exe: acts as the user for the system tests
//
//   sxdriver COMMAND [OPTIONS]     one command per run; "sxdriver help" lists them
//
// Exit code 0: done (answers on stdout, UTF-8). 1: the command could not do
// its job (message on stderr). 2: wrong use. Windows of other processes are
// read and driven with the wide ("W") calls, which Wine marshals faithfully.
#include "Args.h"
#include "Commands.h"
#include "Text.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <set>

namespace {

using TCommandFn = int (*)(const TArgs&);

struct TCommandInfo {
    const char* Name;
    TCommandFn Run;
    std::set<std::string> Options;
    const char* Help;
};

// Option groups: the top-level window, and a control inside it.
const std::set<std::string> Win = {"window", "window-part", "class", "pid", "handle", "timeout"};
const std::set<std::string> Ctl = {"id", "text", "text-part", "ctl-class", "name", "nth"};

std::set<std::string> Join(std::initializer_list<std::set<std::string>> groups) {
    std::set<std::string> all;
    for (const auto& group : groups) all.insert(group.begin(), group.end());
    return all;
}

const std::vector<TCommandInfo>& CommandTable() {
    static const std::vector<TCommandInfo> table = {
        {"list-windows", CmdListWindows, Join({Win, {"children", "all"}}),
         "[WIN] [--children] [--all]   top-level windows (visible ones unless --all or WIN), with controls"},
        {"count-windows", CmdCountWindows, Join({Win, {"visible"}}), "WIN [--visible]   number of matching top-level windows"},
        {"wait-window", CmdWaitWindow, Join({Win, Ctl, {"state"}}),
         "WIN [CTL] [--state exists|visible|hidden|gone] [--timeout MS]   prints the handle"},
        {"read-text", CmdReadText, Join({Win, Ctl}), "WIN [CTL]   the window's or control's text"},
        {"wait-text", CmdWaitText, Join({Win, Ctl, {"equals", "contains", "click"}}),
         "WIN [CTL] (--equals T | --contains T) [--click NAME[,NAME...]]   --click: posts clicks to those buttons the "
         "moment the text is there"},
        {"set-text", CmdSetText, Join({Win, Ctl, {"value"}}), "WIN CTL --value T   WM_SETTEXT (an edit notifies EN_CHANGE)"},
        {"is-visible", CmdIsVisible, Join({Win, Ctl}), "WIN [CTL]   prints 1 or 0"},
        {"is-enabled", CmdIsEnabled, Join({Win, Ctl}), "WIN [CTL]   prints 1 or 0"},
        {"rect", CmdRect, Join({Win, Ctl}), "WIN [CTL]   prints: left top width height client-width client-height"},
        {"screen", CmdScreen, {}, "   prints: width height work-left work-top work-right work-bottom"},
        {"post", CmdPost, Join({Win, Ctl, {"msg", "wparam", "lparam", "send", "all"}}),
         "(WIN [CTL] | --all) --msg M [--wparam N] [--lparam N] [--send]   M: number, WM_xxx[+N], reg:NAME"},
        {"close", CmdClose, Win, "WIN   posts WM_CLOSE"},
        {"drag", CmdDrag, Join({Win, {"edge", "short"}}),
         "WIN --edge left|right|top|bottom [--short N]   drags by the caption toward the work area's edge until N (5) short "
         "or on it; prints what rect prints"},
        {"click", CmdClick, Join({Win, Ctl, {"async"}}), "WIN CTL [--async]   a button as the user clicks it"},
        {"check", CmdCheck, Join({Win, Ctl}), "WIN CTL   ticks a check box (clicks it unless ticked)"},
        {"uncheck", CmdUncheck, Join({Win, Ctl}), "WIN CTL   unticks a check box"},
        {"is-checked", CmdIsChecked, Join({Win, Ctl}), "WIN CTL   prints 1, 0 (or 2: indeterminate)"},
        {"tab", CmdTab, Join({Win, Ctl, {"index", "tab", "async"}}),
         "WIN [CTL] (--index N | --tab CAPTION)   selects a tab as a click does (CTL defaults to the one tab control)"},
        {"pick", CmdPick, Join({Win, Ctl, {"index", "item", "async", "double", "as"}}),
         "WIN CTL (--index N | --item TEXT) [--double]   selects a list box or combo box line"},
        {"list-items", CmdListItems, Join({Win, Ctl, {"as"}}), "WIN CTL   lines of a list box or combo box, tab captions"},
        {"get-index", CmdGetIndex, Join({Win, Ctl, {"as"}}), "WIN CTL   selected index (-1 none; one line per selection)"},
        {"read-box", CmdReadBox, Join({Win, {"text", "text-part"}}),
         "[--window CAPTION] [--text T | --text-part T]   prints caption=, text=, buttons= of a message box"},
        {"answer-box", CmdAnswerBox, Join({Win, {"text", "text-part", "button", "no-wait"}}),
         "[--window CAPTION] [--text T | --text-part T] --button ok|cancel|yes|no|abort|retry|ignore|close"},
        {"answer-file", CmdAnswerFile, Join({Win, {"path", "button"}}),
         "[--window CAPTION] (--path WINPATH | --button cancel)   fills in and confirms the open-file dialog"},
        {"menu-pick", CmdMenuPick, {"pid", "index", "close", "timeout"},
         "(--index N | --close) [--pid P]   chooses item N of the open popup menu (separators not counted)"},
        {"tray-list", CmdTrayList, {}, "   icons in Wine's notification area: index, handle, tip"},
        {"tray-click", CmdTrayClick, {"index", "tip", "button", "timeout"},
         "(--index N | --tip TEXT) [--button left|right|double]   clicks a tray icon"},
        {"tray-balloon", CmdTrayBalloon, {"index", "tip", "timeout"},
         "(--index N | --tip TEXT) [--timeout MS]   waits for the icon's balloon; prints text="},
        {"hold-file", CmdHoldFile, {"path", "ms"},
         "--path WINPATH [--ms N]   opens the file with no sharing, prints \"held\", keeps it for N ms (default: until killed)"},
        {"run-watching", CmdRunWatching, Join({Win, {"path", "args"}}),
         "WIN --path WINPATH [--args TEXT] [--timeout MS]   starts the program and looks at the top-level "
         "windows matching WIN (hidden ones too) until it ends; prints most= (the most at one look), own= (how "
         "many the program made), looks=, exit="},
        {"count-processes", CmdCountProcesses, {"exe"}, "--exe NAME.exe   number of processes of that file name"},
        {"wait-process", CmdWaitProcess, {"exe", "timeout"},
         "--exe NAME.exe [--timeout MS]   until a process of that file name runs with a readable path, as a "
         "process list sees it"},
        {"lock-key", CmdLockKey, {"key"},
         "--key HKLM|HKCU\\PATH   lets everyone read the key and nobody write to it (its access list)"},
        {"unlock-key", CmdUnlockKey, {"key"}, "--key HKLM|HKCU\\PATH   lets everyone read and write the key again"},
        {"set-value", CmdSetValue, {"key", "name", "data"},
         "--key HKLM|HKCU\\PATH --name NAME --data TEXT   writes a text value by its wide name (the key made if missing)"},
        {"list-values", CmdListValues, {"key"},
         "--key HKLM|HKCU\\PATH   NAME=DATA per value by wide names, in the registry's order (nothing: no key)"},
    };
    return table;
}

void PrintHelp() {
    PrintLine("usage: sxdriver COMMAND [OPTIONS]");
    PrintLine("WIN: --window|-w CAPTION, --window-part|-W TEXT, --class|-k CLASS, --pid N, --handle 0xHWND");
    PrintLine("CTL: --id|-i N, --text|-t TEXT, --text-part|-T TEXT, --ctl-class|-c CLASS, --name|-n NAME, --nth N");
    PrintLine("every command: --timeout MS (finding: 10000, wait-window/wait-text: 20000)");
    for (const TCommandInfo& command : CommandTable()) PrintLine(std::string("  ") + command.Name + " " + command.Help);
}

}  // namespace

int main() {
    // Binary stdout: text mode would end our lines with "\r\n", and bash's $(...) keeps the "\r".
    _setmode(_fileno(stdout), _O_BINARY);
    try {
        TArgs args(ProgramArguments());
        std::string name = ToUtf8(args.Command());
        if (name.empty() || name == "help" || args.Flag("help")) {
            PrintHelp();
            return name.empty() ? 2 : 0;
        }
        for (const TCommandInfo& command : CommandTable()) {
            if (name != command.Name) continue;
            args.CheckAllowed(command.Options);
            return command.Run(args);
        }
        throw EUsage("unknown command \"" + name + "\" (sxdriver help lists them)");
    } catch (const EUsage& e) {
        std::fprintf(stderr, "sxdriver: %s\n", e.what());
        return 2;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "sxdriver: %s\n", e.what());
        return 1;
    }
}
