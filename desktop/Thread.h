// desktop/Thread.h -- TThread: a worker thread with Synchronize to the GUI thread
#pragma once
#include <windows.h>

#include <atomic>
#include <exception>

#include "Events.h"
#include "Handle.h"
#include "Object.h"
#include "SysUtils.h"

class EThread : public Exception {
public:
    using Exception::Exception;
};

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TThread : public TObject {
public:
    // false starts the thread as this constructor returns, before a derived
    // constructor has run: a derived class passes true and calls Start() at the
    // end of its own constructor, or leaves that to whoever creates it.
    explicit TThread(bool createSuspended);  // throws EWin32Error
    // A thread still running is asked to terminate (and resumed if suspended) and
    // waited for. A derived class whose Execute uses its own members must do the
    // same in its own destructor (Terminate, then WaitFor): they are gone by the time this one runs.
    ~TThread() override;

    // Makes the calling thread the GUI thread that serves Synchronize. The application
    // object calls it at start; otherwise the thread that creates the first TThread becomes it.
    static void InitGuiThread();
    static bool IsGuiThread();

    // Runs method on the GUI thread and returns once it has run; its exception is
    // rethrown here. On the GUI thread the method runs at once.
    static void Synchronize(TThreadMethod method);

    void Resume();   // also starts a thread created suspended
    void Start() { Resume(); }
    void Suspend();
    bool Suspended() const noexcept { return FSuspended; }
    void SetSuspended(bool value) { value ? Suspend() : Resume(); }
    void Terminate() noexcept { FTerminated = true; }
    bool Terminated() const noexcept { return FTerminated; }
    bool Finished() const noexcept { return FFinished; }
    // Waits for the end and gives ReturnValue; on the GUI thread it keeps serving
    // Synchronize meanwhile. Not for a FreeOnTerminate thread: it may be gone.
    DWORD WaitFor();

    int ReturnValue() const noexcept { return FReturnValue; }
    void SetReturnValue(int value) noexcept { FReturnValue = value; }
    bool FreeOnTerminate() const noexcept { return FFreeOnTerminate; }
    void SetFreeOnTerminate(bool value) noexcept { FFreeOnTerminate = value; }  // the thread deletes itself after OnTerminate
    TNotifyEvent OnTerminate() const noexcept { return FOnTerminate; }
    void SetOnTerminate(TNotifyEvent handler) noexcept { FOnTerminate = handler; }  // runs on the GUI thread after Execute
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority value);  // throws EWin32Error
    HANDLE Handle() const noexcept { return FHandle.Get(); }  // owned
    DWORD ThreadID() const noexcept { return FThreadID; }
    // What escaped Execute (or OnTerminate); null when nothing did.
    std::exception_ptr FatalException() const noexcept { return FFatalException; }

protected:
    virtual void Execute() = 0;

private:
    static unsigned __stdcall ThreadProc(void* parameter);
    void CallOnTerminate();

    THandle FHandle;
    DWORD FThreadID = 0;
    std::atomic<bool> FTerminated{false};
    std::atomic<bool> FFinished{false};
    std::atomic<bool> FSuspended;
    std::atomic<bool> FFreeOnTerminate{false};
    int FReturnValue = 0;
    TNotifyEvent FOnTerminate;
    std::exception_ptr FFatalException;
};
