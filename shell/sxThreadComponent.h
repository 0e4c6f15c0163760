// shell/sxThreadComponent.h -- TsxThreadComponent: runs OnExecute once on a worker thread of its own,
// with what that worker raises shown on the GUI thread
#pragma once
#include <exception>
#include <string>
#include <utility>
#include <vector>

#include "desktop/Application.h"
#include "desktop/Component.h"
#include "desktop/Events.h"
#include "desktop/SyncObjs.h"
#include "shell/sxEventThread.h"

// A method run on the GUI thread with one argument, for SynchronizeWithArgument.
using TsxArgumentMethod = TBoundMethod<void(void* argument)>;

class TsxCustomThreadComponent : public TComponent {
public:
    explicit TsxCustomThreadComponent(TComponent* owner);  // outside design mode: a suspended thread
    ~TsxCustomThreadComponent() override;  // unbinds, stops and waits for every thread it made

    void Loaded() override;  // Suspended False starts the thread
    TsxEventThread* Thread() const noexcept { return FThread; }  // owned; null in design mode

    virtual void Execute();  // a fresh thread runs OnExecute once more; the current one is let finish
    virtual void Synchronize(const TThreadMethod& method);
    // Skipped while another such call is pending.
    virtual void SynchronizeWithArgument(void* argument, const TsxArgumentMethod& method);

protected:
    // In design mode these read and write the component's copies, at run time the live
    // thread; while the description is read, Suspended and Synchronized go to the copies.
    TThreadPriority Priority() const;
    void SetPriority(TThreadPriority value);
    int ReturnValue() const;
    void SetReturnValue(int value);
    bool Suspended() const;
    void SetSuspended(bool value);  // at run time only False acts: it starts the thread
    bool Synchronized() const;
    void SetSynchronized(bool value);
    TNotifyEvent OnExecute() const;
    void SetOnExecute(const TNotifyEvent& value);  // Sender = this component; runs on the worker unless Synchronized
    const TExceptionEvent& OnException() const noexcept { return FOnException; }
    void SetOnException(const TExceptionEvent& value) { FOnException = value; }  // on the GUI thread
    TNotifyEvent OnTerminate() const;
    void SetOnTerminate(const TNotifyEvent& value);
    TNotifyEvent OnFinish() const;
    void SetOnFinish(const TNotifyEvent& value);

    bool IsLive() const noexcept { return FThread && !IsDesigning(); }
    virtual void DoExecute(TObject* sender);
    // OnException, or a message box on the application window naming the thread and the exception.
    virtual void HandleException(const std::exception_ptr& error);
    virtual TsxEventThread* CreateThread();  // NewThread with the copies applied and the event bound
    virtual TsxEventThread* NewThread();     // suspended
    bool SuspendedCopy() const noexcept { return FSuspended; }
    void RecreateThread();  // for a descendant's constructor, once its CreateThread is in place
    // Suspended applied to and read from a live thread; the timer holds its ticks instead.
    virtual void ApplySuspended(bool suspended);
    virtual bool IsThreadSuspended() const;

private:
    void HandleExceptionArgument(void* argument);
    void RunPendingCall();
    void FreeThread(TsxEventThread* thread);

    TThreadPriority FPriority = tpNormal;
    int FReturnValue = 0;
    bool FSuspended = true;
    bool FSynchronized = false;
    TNotifyEvent FOnTerminate, FOnFinish;
    TExceptionEvent FOnException;
    mutable TCriticalSection FLock;  // guards FOnExecute and the pending call: workers read them
    TNotifyEvent FOnExecute;
    TsxArgumentMethod FPendingMethod;
    void* FPendingArgument = nullptr;
    TsxEventThread* FThread = nullptr;      // owned
    std::vector<TsxEventThread*> FRetired;  // owned; replaced by Execute, freed once they ended
};

class TsxThreadComponent : public TsxCustomThreadComponent {
public:
    using TsxCustomThreadComponent::TsxCustomThreadComponent;
    using TsxCustomThreadComponent::Priority;
    using TsxCustomThreadComponent::SetPriority;
    using TsxCustomThreadComponent::ReturnValue;
    using TsxCustomThreadComponent::SetReturnValue;
    using TsxCustomThreadComponent::Suspended;
    using TsxCustomThreadComponent::SetSuspended;
    using TsxCustomThreadComponent::Synchronized;
    using TsxCustomThreadComponent::SetSynchronized;
    using TsxCustomThreadComponent::OnException;
    using TsxCustomThreadComponent::SetOnException;
    using TsxCustomThreadComponent::OnExecute;
    using TsxCustomThreadComponent::SetOnExecute;
    using TsxCustomThreadComponent::OnTerminate;
    using TsxCustomThreadComponent::SetOnTerminate;
    using TsxCustomThreadComponent::OnFinish;
    using TsxCustomThreadComponent::SetOnFinish;
};

// The names of the thread priorities in window descriptions.
const std::vector<std::pair<std::string, TThreadPriority>>& ThreadPriorityNames();
// Registers TsxCustomThreadComponent and TsxThreadComponent for window descriptions.
void RegisterThreadComponentClasses();
