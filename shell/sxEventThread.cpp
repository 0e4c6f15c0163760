// shell/sxEventThread.cpp -- TsxEventThread
#include "sxEventThread.h"

TsxEventThread::TsxEventThread(bool createSuspended) : TsxThread(createSuspended) {}

TsxEventThread::~TsxEventThread() {
    // A self-freeing thread runs this on itself, after its body: nothing to wait for.
    if (Finished() || GetCurrentThreadId() == ThreadID()) return;
    Terminate();
    try {
        while (Suspended()) Resume();
        WaitFor();
    } catch (...) {
        // A destructor cannot report; the thread is left to the process end.
    }
}

TNotifyEvent TsxEventThread::OnEvent() const {
    TCriticalSectionGuard guard(FEventLock);
    return FOnEvent;
}

void TsxEventThread::SetOnEvent(const TNotifyEvent& handler) {
    TCriticalSectionGuard guard(FEventLock);
    FOnEvent = handler;
}

void TsxEventThread::Execute() {
    if (Terminated()) return;
    if (Synchronized()) Synchronize(TThreadMethod(this, &TsxEventThread::DoEvent));
    else DoEvent();
}

void TsxEventThread::DoEvent() {
    if (Terminated()) return;
    if (TNotifyEvent handler = OnEvent()) handler(this);
}
