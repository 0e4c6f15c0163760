// tests/support/driver/Commands.h -- the driver's commands, one function each
//
// Each returns the process exit code (0 done) and throws EDriver when it
// cannot do its job, EUsage when called wrongly.
#pragma once

#include "Args.h"

#include <windows.h>

constexpr DWORD DefaultFindTimeoutMs = 10000;   // a window or control that should be there by now
constexpr DWORD DefaultWaitTimeoutMs = 20000;   // wait-window: a program starting in a fresh prefix
constexpr DWORD DefaultHandlerTimeoutMs = 5000; // a synchronous click waits this long for its handler

DWORD TimeoutMs(const TArgs& args, DWORD fallback);

// Windows
int CmdListWindows(const TArgs& args);
int CmdCountWindows(const TArgs& args);
int CmdWaitWindow(const TArgs& args);
int CmdReadText(const TArgs& args);
int CmdWaitText(const TArgs& args);
int CmdSetText(const TArgs& args);
int CmdIsVisible(const TArgs& args);
int CmdIsEnabled(const TArgs& args);
int CmdRect(const TArgs& args);
int CmdScreen(const TArgs& args);
int CmdPost(const TArgs& args);
int CmdDrag(const TArgs& args);
int CmdClose(const TArgs& args);
int CmdHoldFile(const TArgs& args);

// Processes
int CmdRunWatching(const TArgs& args);
int CmdCountProcesses(const TArgs& args);
int CmdWaitProcess(const TArgs& args);

// Registry keys
int CmdLockKey(const TArgs& args);
int CmdUnlockKey(const TArgs& args);
int CmdSetValue(const TArgs& args);
int CmdListValues(const TArgs& args);

// Controls
int CmdClick(const TArgs& args);
int CmdCheck(const TArgs& args);
int CmdUncheck(const TArgs& args);
int CmdIsChecked(const TArgs& args);
int CmdTab(const TArgs& args);
int CmdPick(const TArgs& args);
int CmdListItems(const TArgs& args);
int CmdGetIndex(const TArgs& args);

// Dialogs, menus, tray
int CmdReadBox(const TArgs& args);
int CmdAnswerBox(const TArgs& args);
int CmdAnswerFile(const TArgs& args);
int CmdMenuPick(const TArgs& args);
int CmdTrayList(const TArgs& args);
int CmdTrayClick(const TArgs& args);
int CmdTrayBalloon(const TArgs& args);
