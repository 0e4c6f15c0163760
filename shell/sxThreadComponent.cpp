// shell/sxThreadComponent.cpp -- TsxCustomThreadComponent
//
// The component owns its threads and waits for them when it is freed (TThread::WaitFor
// keeps serving Synchronize meanwhile). A thread replaced by Execute is not ended by
// force, which could leave what it was doing half done: it is asked to stop, kept in
// FRetired and freed once it has ended.
#include "sxThreadComponent.h"

#include <cxxabi.h>

#include <cstdlib>
#include <string>
#include <typeinfo>
#include <utility>

#include "desktop/Classes.h"
#include "desktop/SysUtils.h"

namespace {

std::string ClassNameOf(const std::exception& error) {
    const char* mangled = typeid(error).name();
    int status = 0;
    char* readable = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && readable ? readable : mangled;
    std::free(readable);
    return name;
}

}  // namespace

TsxCustomThreadComponent::TsxCustomThreadComponent(TComponent* owner) : TComponent(owner) {
    // Virtual calls reach only this class's CreateThread here: a descendant with threads
    // of its own calls RecreateThread in its constructor.
    if (!IsDesigning()) FThread = CreateThread();
}

TsxCustomThreadComponent::~TsxCustomThreadComponent() {
    for (TsxEventThread* retired : FRetired) FreeThread(retired);
    FRetired.clear();
    if (FThread) FreeThread(std::exchange(FThread, nullptr));
}

void TsxCustomThreadComponent::FreeThread(TsxEventThread* thread) {
    thread->SetOnEvent(nullptr);
    thread->Terminate();
    // Its destructor resumes or wakes it and waits for its end.
    delete thread;
}

TsxEventThread* TsxCustomThreadComponent::NewThread() { return new TsxEventThread(true); }

TsxEventThread* TsxCustomThreadComponent::CreateThread() {
    TsxEventThread* thread = NewThread();
    thread->SetSynchronized(FSynchronized);
    thread->SetOnTerminate(FOnTerminate);
    thread->SetOnFinish(FOnFinish);
    thread->SetOnEvent(TNotifyEvent(this, &TsxCustomThreadComponent::DoExecute));
    return thread;
}

void TsxCustomThreadComponent::RecreateThread() {
    if (IsDesigning()) return;
    if (FThread) FreeThread(std::exchange(FThread, nullptr));
    FThread = CreateThread();
}

void TsxCustomThreadComponent::Loaded() {
    TComponent::Loaded();
    if (!IsLive()) return;
    FThread->SetSynchronized(FSynchronized);
    if (FPriority != tpNormal) FThread->SetPriority(FPriority);
    ApplySuspended(FSuspended);
}

void TsxCustomThreadComponent::ApplySuspended(bool suspended) {
    if (!suspended && FThread->Suspended()) FThread->Start();
}

bool TsxCustomThreadComponent::IsThreadSuspended() const { return FThread->Suspended(); }

void TsxCustomThreadComponent::Execute() {
    if (IsDesigning()) return;
    TsxEventThread* fresh = CreateThread();
    try {
        if (FThread) {
            fresh->SetPriority(FThread->Priority());
            fresh->SetOnTerminate(FThread->OnTerminate());
        }
    } catch (...) {
        delete fresh;
        throw;
    }
    if (FThread) {
        FThread->Terminate();
        FRetired.push_back(FThread);
    }
    FThread = fresh;
    // Those that ended meanwhile go now; a suspended one never started and ends as it is resumed.
    for (auto it = FRetired.begin(); it != FRetired.end();) {
        if ((*it)->Finished() || (*it)->Suspended()) {
            FreeThread(*it);
            it = FRetired.erase(it);
        } else {
            ++it;
        }
    }
    FThread->Start();
}

void TsxCustomThreadComponent::DoExecute(TObject*) {
    TNotifyEvent handler = OnExecute();
    if (!handler) return;
    try {
        handler(this);
    } catch (...) {
        std::exception_ptr error = std::current_exception();
        SynchronizeWithArgument(&error, TsxArgumentMethod(this, &TsxCustomThreadComponent::HandleExceptionArgument));
    }
}

void TsxCustomThreadComponent::HandleExceptionArgument(void* argument) {
    HandleException(*static_cast<std::exception_ptr*>(argument));
}

void TsxCustomThreadComponent::HandleException(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::exception& e) {
        if (FOnException) {
            FOnException(this, e);
            return;
        }
        std::string text = Format("Thread %s raised exception class %s with message \"%s\".", Name().c_str(),
                                  ClassNameOf(e).c_str(), e.what());
        HWND window = Application ? Application->Handle() : nullptr;
        std::string caption = Application ? Application->Title() : std::string();
        MessageBoxA(window, text.c_str(), caption.c_str(), MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
    } catch (...) {
        HandleException(std::make_exception_ptr(Exception("an exception of unknown type")));
    }
}

void TsxCustomThreadComponent::Synchronize(const TThreadMethod& method) {
    if (!IsDesigning()) TThread::Synchronize(method);
}

void TsxCustomThreadComponent::SynchronizeWithArgument(void* argument, const TsxArgumentMethod& method) {
    if (IsDesigning()) return;
    {
        TCriticalSectionGuard guard(FLock);
        if (FPendingMethod) return;
        FPendingMethod = method;
        FPendingArgument = argument;
    }
    struct TClear {
        TsxCustomThreadComponent* Self;
        ~TClear() {
            TCriticalSectionGuard guard(Self->FLock);
            Self->FPendingMethod = nullptr;
            Self->FPendingArgument = nullptr;
        }
    } clear{this};
    TThread::Synchronize(TThreadMethod(this, &TsxCustomThreadComponent::RunPendingCall));
}

void TsxCustomThreadComponent::RunPendingCall() {
    TsxArgumentMethod method;
    void* argument = nullptr;
    {
        TCriticalSectionGuard guard(FLock);
        method = FPendingMethod;
        argument = FPendingArgument;
    }
    method(argument);
}

// ---- properties --------------------------------------------------------------

TThreadPriority TsxCustomThreadComponent::Priority() const { return IsLive() ? FThread->Priority() : FPriority; }

void TsxCustomThreadComponent::SetPriority(TThreadPriority value) {
    FPriority = value;
    if (IsLive()) FThread->SetPriority(value);
}

int TsxCustomThreadComponent::ReturnValue() const { return IsLive() ? FThread->ReturnValue() : FReturnValue; }

void TsxCustomThreadComponent::SetReturnValue(int value) {
    FReturnValue = value;
    if (IsLive()) FThread->SetReturnValue(value);
}

bool TsxCustomThreadComponent::Suspended() const {
    return IsLive() && !IsLoading() ? IsThreadSuspended() : FSuspended;
}

void TsxCustomThreadComponent::SetSuspended(bool value) {
    FSuspended = value;
    if (IsLive() && !IsLoading()) ApplySuspended(value);
}

bool TsxCustomThreadComponent::Synchronized() const {
    return IsLive() && !IsLoading() ? FThread->Synchronized() : FSynchronized;
}

void TsxCustomThreadComponent::SetSynchronized(bool value) {
    FSynchronized = value;
    if (IsLive() && !IsLoading()) FThread->SetSynchronized(value);
}

TNotifyEvent TsxCustomThreadComponent::OnExecute() const {
    TCriticalSectionGuard guard(FLock);
    return FOnExecute;
}

void TsxCustomThreadComponent::SetOnExecute(const TNotifyEvent& value) {
    TCriticalSectionGuard guard(FLock);
    FOnExecute = value;
}

TNotifyEvent TsxCustomThreadComponent::OnTerminate() const { return IsLive() ? FThread->OnTerminate() : FOnTerminate; }

void TsxCustomThreadComponent::SetOnTerminate(const TNotifyEvent& value) {
    FOnTerminate = value;
    if (IsLive()) FThread->SetOnTerminate(value);
}

TNotifyEvent TsxCustomThreadComponent::OnFinish() const { return IsLive() ? FThread->OnFinish() : FOnFinish; }

void TsxCustomThreadComponent::SetOnFinish(const TNotifyEvent& value) {
    FOnFinish = value;
    if (IsLive()) FThread->SetOnFinish(value);
}

const std::vector<std::pair<std::string, TThreadPriority>>& ThreadPriorityNames() {
    static const std::vector<std::pair<std::string, TThreadPriority>> names = {
        {"tpIdle", tpIdle}, {"tpLowest", tpLowest}, {"tpLower", tpLower}, {"tpNormal", tpNormal},
        {"tpHigher", tpHigher}, {"tpHighest", tpHighest}, {"tpTimeCritical", tpTimeCritical}};
    return names;
}

void RegisterThreadComponentClasses() {
    TClassRegistration<TsxCustomThreadComponent>("TsxCustomThreadComponent", "TComponent", true).Ignore("About");
    TClassRegistration<TsxThreadComponent>("TsxThreadComponent", "TsxCustomThreadComponent")
        .Enum<TThreadPriority>("Priority", &TsxThreadComponent::SetPriority, ThreadPriorityNames())
        .Int("ReturnValue", &TsxThreadComponent::SetReturnValue)
        .Bool("Suspended", &TsxThreadComponent::SetSuspended)
        .Bool("Synchronized", &TsxThreadComponent::SetSynchronized)
        .Event<TExceptionEvent>("OnException", &TsxThreadComponent::SetOnException)
        .Event<TNotifyEvent>("OnExecute", &TsxThreadComponent::SetOnExecute)
        .Event<TNotifyEvent>("OnTerminate", &TsxThreadComponent::SetOnTerminate)
        .Event<TNotifyEvent>("OnFinish", &TsxThreadComponent::SetOnFinish);
}
