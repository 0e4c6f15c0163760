// process/Kill.h -- Kill: ends every running process of one executable file name; StopProgram on top of it
//
// One routine for both programs: the main program stops unwanted software with it,
// the updater stops the main program before unpacking over it. So it lives below both,
// in a library of its own (sxprocess) that needs nothing but Win32 and desktop's handle guard.
#pragma once
#include <string>

// Bound on how long Kill waits for the terminated processes to be gone. TerminateProcess
// only starts the end; a caller that copies or deletes the file next needs it unlocked.
constexpr unsigned long KillWaitMs = 5000;

// Asks every process whose executable file name equals the file-name part of exeName
// (the text after the last "\" or ":"), ignoring letter case, to end, whatever folder it
// runs from; then waits up to waitMs for all of them to be gone (0: no wait).
// True: at least one process matched, every one of them was terminated and, when waiting,
// every one ended in time. A match on the calling process itself is ended last.
bool Kill(const std::string& exeName, unsigned long waitMs = KillWaitMs);

// Whether a process of that executable file name runs now, compared as Kill compares; true
// when the system cannot say. An empty name names no program: false.
bool IsProgramRunning(const std::string& exeName);

// Kill, or else nothing of that file name runs any more: a program that ended by itself, or
// together with an earlier copy, is stopped rather than "could not be stopped".
bool StopProgram(const std::string& exeName);

// The lower-cased file-name part of a path, the key Kill compares by.
std::string KillKey(const std::string& exeName);
