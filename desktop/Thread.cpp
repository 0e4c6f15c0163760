// desktop/Thread.cpp -- TThread and Synchronize
//
// Synchronize must be served in every message loop of the GUI thread: our own,
// the modal loops of DialogBox and MessageBoxA, menu tracking, and TThread::WaitFor.
// A worker therefore hands the call over with SendMessageA to a message-only window
// created on the GUI thread. Windows (and Wine) deliver a message sent from another
// thread inside any GetMessage, PeekMessage or modal loop of the receiving thread,
// so no loop has to know about us. The window procedure runs the method inside its
// one try/catch and parks the exception in the request; the worker, released when
// SendMessageA returns, rethrows it. Nothing crosses the window procedure.
//
// Threads: the GUI thread (chosen once, owns the window) and any number of workers.
// gGuiLock guards the choice; afterwards gGuiThreadId and gSyncWindow are only read.
#include "Thread.h"

#include <process.h>

#include "SyncObjs.h"
#include "UtilityWindow.h"

namespace {

constexpr UINT WM_SYNCHRONIZE = WM_APP + 0x100;
constexpr char SyncWindowClass[] = "SentinoxThreadSync";

struct TSyncRequest {
    TThreadMethod Method;
    std::exception_ptr Error;
    bool Ran = false;
};

// Guards the choice of the GUI thread: taken by InitGuiThread only.
TCriticalSection& GuiLock() {
    static TCriticalSection lock;
    return lock;
}
std::atomic<DWORD> gGuiThreadId{0};
std::atomic<HWND> gSyncWindow{nullptr};

LRESULT ServeSyncRequest(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_SYNCHRONIZE) return DefWindowProcA(gSyncWindow.load(), message, wParam, lParam);
    auto* request = reinterpret_cast<TSyncRequest*>(lParam);
    request->Ran = true;
    try {
        request->Method();
    } catch (...) {
        request->Error = std::current_exception();
    }
    return 0;
}

int NativePriority(TThreadPriority priority) {
    switch (priority) {
    case tpIdle: return THREAD_PRIORITY_IDLE;
    case tpLowest: return THREAD_PRIORITY_LOWEST;
    case tpLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case tpNormal: return THREAD_PRIORITY_NORMAL;
    case tpHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case tpHighest: return THREAD_PRIORITY_HIGHEST;
    case tpTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
    }
    return THREAD_PRIORITY_NORMAL;
}

}  // namespace

void TThread::InitGuiThread() {
    TCriticalSectionGuard guard(GuiLock());
    DWORD self = GetCurrentThreadId();
    if (gSyncWindow.load()) {
        if (gGuiThreadId.load() == self) return;
        throw EThread("TThread::InitGuiThread: another thread is already the GUI thread");
    }
    // Lives as long as the program: workers may call in until its very end.
    auto* window = new TUtilityWindow(SyncWindowClass, TUtilityWindowKind::MessageOnly, &ServeSyncRequest);
    gGuiThreadId = self;
    gSyncWindow = window->Handle();
}

bool TThread::IsGuiThread() { return gSyncWindow.load() && gGuiThreadId.load() == GetCurrentThreadId(); }

void TThread::Synchronize(TThreadMethod method) {
    if (!method) return;
    if (!gSyncWindow.load()) InitGuiThread();
    if (IsGuiThread()) {
        method();
        return;
    }
    TSyncRequest request;
    request.Method = method;
    SendMessageA(gSyncWindow.load(), WM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&request));
    if (!request.Ran) throw EThread("TThread::Synchronize: the GUI thread no longer serves calls");
    if (request.Error) std::rethrow_exception(request.Error);
}

TThread::TThread(bool createSuspended) : FSuspended(true) {
    if (!gSyncWindow.load()) InitGuiThread();
    // Always born suspended, so that every field is set before ThreadProc can look.
    unsigned id = 0;
    FHandle.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &ThreadProc, this, CREATE_SUSPENDED, &id)));
    if (!FHandle.IsValid()) throw EWin32Error("TThread: _beginthreadex", GetLastError());
    FThreadID = id;
    if (!createSuspended) Resume();
}

TThread::~TThread() {
    if (!FHandle.IsValid() || FFinished || GetCurrentThreadId() == FThreadID) return;
    Terminate();
    try {
        while (FSuspended) Resume();
        WaitFor();
    } catch (...) {
        // A destructor cannot report; a failed wait leaves the thread to the process end.
    }
}

unsigned __stdcall TThread::ThreadProc(void* parameter) {
    auto* thread = static_cast<TThread*>(parameter);
    // The thread edge: nothing thrown by Execute or OnTerminate goes further.
    try {
        if (!thread->Terminated()) thread->Execute();
    } catch (...) {
        thread->FFatalException = std::current_exception();
    }
    bool freeThread = thread->FFreeOnTerminate;
    unsigned result = static_cast<unsigned>(thread->FReturnValue);
    try {
        if (thread->FOnTerminate) Synchronize(TThreadMethod(thread, &TThread::CallOnTerminate));
    } catch (...) {
        if (!thread->FFatalException) thread->FFatalException = std::current_exception();
    }
    // From here on the object may be deleted by its owner: touch nothing but locals.
    thread->FFinished = true;
    if (freeThread) delete thread;
    return result;
}

void TThread::CallOnTerminate() { FOnTerminate(this); }

void TThread::Resume() {
    DWORD previous = ResumeThread(FHandle.Get());
    if (previous == static_cast<DWORD>(-1)) throw EWin32Error("TThread.Resume: ResumeThread", GetLastError());
    if (previous <= 1) FSuspended = false;
}

void TThread::Suspend() {
    bool was = FSuspended.exchange(true);
    if (SuspendThread(FHandle.Get()) == static_cast<DWORD>(-1)) {
        FSuspended = was;
        throw EWin32Error("TThread.Suspend: SuspendThread", GetLastError());
    }
}

DWORD TThread::WaitFor() {
    if (GetCurrentThreadId() == FThreadID) throw EThread("TThread.WaitFor: a thread cannot wait for itself");
    HANDLE handle = FHandle.Get();
    if (IsGuiThread()) {
        // The worker may be inside Synchronize (OnTerminate at the latest): keep serving it.
        for (;;) {
            MSG message;
            PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
            DWORD r = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0) break;
            if (r != WAIT_OBJECT_0 + 1) throw EWin32Error("TThread.WaitFor: MsgWaitForMultipleObjects", GetLastError());
        }
    } else if (WaitForSingleObject(handle, INFINITE) == WAIT_FAILED) {
        throw EWin32Error("TThread.WaitFor: WaitForSingleObject", GetLastError());
    }
    DWORD code = 0;
    GetExitCodeThread(handle, &code);
    return code;
}

TThreadPriority TThread::Priority() const {
    int native = GetThreadPriority(FHandle.Get());
    for (TThreadPriority p : {tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical})
        if (NativePriority(p) == native) return p;
    return tpNormal;
}

void TThread::SetPriority(TThreadPriority value) {
    if (!SetThreadPriority(FHandle.Get(), NativePriority(value)))
        throw EWin32Error("TThread.SetPriority: SetThreadPriority", GetLastError());
}
