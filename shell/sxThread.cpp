// shell/sxThread.cpp -- TsxThread and the monitors' locks
#include "sxThread.h"

TsxThread::TsxThread(bool createSuspended) : TThread(createSuspended) {}

void TsxThread::Finish() {
    Terminate();
    FFinishRequested = true;
    if (FOnFinish) Synchronize(TThreadMethod(this, &TsxThread::DoFinish));
}

void TsxThread::DoFinish() { FOnFinish(this); }

// Never destroyed: a self-freeing worker may still be ending while the runtime runs
// its exit handlers, and it must not find a deleted critical section then.
TCriticalSection& RegistryMonitorLock() {
    static TCriticalSection* lock = new TCriticalSection;
    return *lock;
}

TCriticalSection& FolderMonitorLock() {
    static TCriticalSection* lock = new TCriticalSection;
    return *lock;
}
