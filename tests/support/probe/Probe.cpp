// tests/support/probe/Probe.cpp -- sxprobe.exe: a window of plain Win32 controls that logs what it receives
//
// The driver's own system test drives it: every notification a control
// would give a program is appended as a line to the list box "log" (id 199),
// so the test sees exactly what arrived, in order.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

enum : int {
    IdGo = 101, IdTabs = 102, IdPanel = 110, IdHidden = 111, IdHiddenBox = 112, IdVisibleBox = 113,
    IdList = 120, IdBoxBtn = 130, IdOpenBtn = 131, IdMenuBtn = 132, IdEdit = 140, IdLog = 199,
};
constexpr UINT TrayMessage = WM_APP + 1;
constexpr UINT ProbeMessage = WM_APP + 2;

HWND gMain, gLog;
UINT gTaskbarCreated;

void Log(const std::string& line) { SendMessageA(gLog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str())); }

HWND Child(HWND parent, const char* cls, const char* text, DWORD style, int x, int y, int w, int h, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void OnCommand(int id, int code, HWND control) {
    char line[400];
    if (id == IdList && (code == LBN_SELCHANGE || code == LBN_DBLCLK)) {
        std::snprintf(line, sizeof line, "%s %d", code == LBN_SELCHANGE ? "list" : "dbl",
                      static_cast<int>(SendMessageA(control, LB_GETCURSEL, 0, 0)));
    } else if (id == IdEdit && code == EN_CHANGE) {
        char text[200] = {};
        GetWindowTextA(control, text, sizeof text);
        std::snprintf(line, sizeof line, "edit %s", text);
    } else if (code != BN_CLICKED) {
        return;
    } else if (id == IdBoxBtn) {
        int answer = MessageBoxA(gMain, "Question?\rSecond line", "Probe Box", MB_YESNO | MB_ICONQUESTION);
        std::snprintf(line, sizeof line, "box %s", answer == IDYES ? "yes" : answer == IDNO ? "no" : "other");
    } else if (id == IdOpenBtn) {
        char path[MAX_PATH] = {};
        OPENFILENAMEA ofn = {};
        ofn.lStructSize = sizeof ofn;
        ofn.hwndOwner = gMain;
        ofn.lpstrFilter = "Win32 Applications\0*.exe\0";
        ofn.lpstrFile = path;
        ofn.nMaxFile = MAX_PATH;
        ofn.lpstrInitialDir = "C:\\";
        ofn.Flags = OFN_FILEMUSTEXIST | OFN_EXPLORER;
        std::snprintf(line, sizeof line, "file %s", GetOpenFileNameA(&ofn) ? path : "cancel");
    } else if (id == IdMenuBtn) {
        HMENU menu = CreatePopupMenu();
        AppendMenuA(menu, MF_STRING, 1, "First");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuA(menu, MF_STRING, 2, "Second");
        AppendMenuA(menu, MF_STRING, 3, "Third");
        SetForegroundWindow(gMain);
        int chosen = TrackPopupMenu(menu, TPM_RETURNCMD, 100, 100, 0, gMain, nullptr);
        DestroyMenu(menu);
        std::snprintf(line, sizeof line, "menu %d", chosen);
    } else {
        LRESULT check = SendMessageA(control, BM_GETCHECK, 0, 0);
        std::snprintf(line, sizeof line, "clicked %d check %d", id, static_cast<int>(check));
    }
    Log(line);
}

LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    // Like a page of a page control: hands its children's notifications up.
    if (msg == WM_COMMAND || msg == WM_NOTIFY) return SendMessageA(GetParent(hwnd), msg, wp, lp);
    return DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    char line[100];
    switch (msg) {
    case WM_COMMAND:
        OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp));
        return 0;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lp);
        if (header->idFrom == IdTabs && (header->code == TCN_SELCHANGE || header->code == TCN_SELCHANGING)) {
            std::snprintf(line, sizeof line, "%s %d", header->code == TCN_SELCHANGE ? "tab" : "leaving",
                          static_cast<int>(SendMessageA(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
            Log(line);
        }
        return 0;
    }
    case TrayMessage:
        std::snprintf(line, sizeof line, "tray 0x%04x", static_cast<unsigned>(LOWORD(lp)));
        Log(line);
        return 0;
    case ProbeMessage:
        std::snprintf(line, sizeof line, "app %u %ld", static_cast<unsigned>(wp), static_cast<long>(lp));
        Log(line);
        return 0;
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        if (msg == gTaskbarCreated && msg != 0) {
            Log("taskbar created");
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
}

void AddTabs(HWND tabs) {
    const char* captions[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(captions[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    gTaskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SxProbe";
    RegisterClassA(&wc);
    wc.lpfnWndProc = PanelProc;
    wc.lpszClassName = "SxProbePanel";
    RegisterClassA(&wc);

    gMain = CreateWindowExA(0, "SxProbe", "Driver Probe", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 600, 460, nullptr,
                            nullptr, instance, nullptr);
    HWND go = Child(gMain, "BUTTON", "&Go", BS_PUSHBUTTON, 10, 10, 80, 24, IdGo);
    SetPropA(go, "SentinoxName", reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(GlobalAddAtomA("goBtn"))));
    AddTabs(Child(gMain, WC_TABCONTROLA, "", 0, 100, 10, 300, 30, IdTabs));
    HWND panel = Child(gMain, "SxProbePanel", "", 0, 10, 50, 200, 60, IdPanel);
    Child(panel, "BUTTON", "Hidden", BS_PUSHBUTTON, 0, 0, 80, 24, IdHidden);
    Child(panel, "BUTTON", "Hidden box", BS_AUTOCHECKBOX, 90, 0, 100, 24, IdHiddenBox);
    ShowWindow(panel, SW_HIDE);
    Child(gMain, "BUTTON", "Visible box", BS_AUTOCHECKBOX, 220, 50, 120, 24, IdVisibleBox);
    HWND list = Child(gMain, "LISTBOX", "", LBS_NOTIFY | WS_BORDER, 10, 120, 150, 80, IdList);
    for (const char* item : {"alpha", "Black && White", "gamma"})
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    Child(gMain, "BUTTON", "Box", BS_PUSHBUTTON, 170, 120, 60, 24, IdBoxBtn);
    Child(gMain, "BUTTON", "Open", BS_PUSHBUTTON, 240, 120, 60, 24, IdOpenBtn);
    Child(gMain, "BUTTON", "Menu", BS_PUSHBUTTON, 310, 120, 60, 24, IdMenuBtn);
    Child(gMain, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, 170, 160, 200, 24, IdEdit);
    gLog = Child(gMain, "LISTBOX", "", WS_BORDER | WS_VSCROLL, 10, 210, 560, 200, IdLog);

    NOTIFYICONDATAA tray = {};
    tray.cbSize = sizeof tray;
    tray.hWnd = gMain;
    tray.uID = 1;
    tray.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    tray.uCallbackMessage = TrayMessage;
    tray.hIcon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
    lstrcpyA(tray.szTip, "Probe Tip");
    Log(Shell_NotifyIconA(NIM_ADD, &tray) ? "tray added" : "tray refused");

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    Shell_NotifyIconA(NIM_DELETE, &tray);
    return 0;
}
