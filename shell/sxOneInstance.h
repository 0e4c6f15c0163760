// shell/sxOneInstance.h -- TsxOneInstance: keeps a second copy of the program from running
//
// At the end of its owner's loading it tests two named mutexes built from the application
// title (or the upper-cased program path) plus Identifier: "<base>.OneInstance.CriticalSection"
// serialises two instances started together, "<base>.OneInstance.Default" stays owned by the
// first instance for its whole life. A second instance optionally tells the user, brings the
// first forward and asks the application to end before its main window is shown.
#pragma once
#include <windows.h>

#include <string>

#include "desktop/Component.h"
#include "desktop/Events.h"

using TsxOneInstanceShowMessage = TBoundMethod<void(TObject* sender, bool& terminate)>;

class TsxOneInstance : public TComponent {
public:
    explicit TsxOneInstance(TComponent* owner) : TComponent(owner) {}

    bool ActivatePrevInstance() const noexcept { return FActivatePrevInstance; }
    void SetActivatePrevInstance(bool value) noexcept { FActivatePrevInstance = value; }
    bool ExeNameAsIdentifier() const noexcept { return FExeNameAsIdentifier; }
    void SetExeNameAsIdentifier(bool value) noexcept { FExeNameAsIdentifier = value; }
    const std::string& Message() const noexcept { return FMessage; }
    void SetMessage(const std::string& value) { FMessage = value; }   // empty: the built-in text
    const std::string& Identifier() const noexcept { return FIdentifier; }
    void SetIdentifier(const std::string& value) { FIdentifier = value; }
    bool ShowMessage() const noexcept { return FShowMessage; }
    void SetShowMessage(bool value) noexcept { FShowMessage = value; }
    const TsxOneInstanceShowMessage& OnShowMessage() const noexcept { return FOnShowMessage; }
    void SetOnShowMessage(const TsxOneInstanceShowMessage& value) { FOnShowMessage = value; }

    std::string MutexBaseName() const;    // "<title or PATH><Identifier>.OneInstance." with "\" as "/"
    virtual bool IsAnotherInstance();     // true: another instance runs (or the mutexes failed)
    virtual bool CheckInstance();         // true: another instance was found and handled
    virtual void ActivatePrevious();
    virtual void ShowAlreadyRunning();    // OnShowMessage, or the notice box
    void Loaded() override;               // runs CheckInstance

private:
    bool FActivatePrevInstance = true;
    bool FExeNameAsIdentifier = false;
    std::string FMessage;
    std::string FIdentifier;
    bool FShowMessage = false;
    TsxOneInstanceShowMessage FOnShowMessage;
    bool FTerminate = false;
};

// The application's window helpers: the other process's application window of the same
// class and title (0 when none), and bringing it (or its last active popup) forward.
HWND FindPrevInstanceWindow();
bool ActivatePrevInstanceWindow();

// The test a guard with every property at its default makes, for a program body to run before
// it builds a window: a second instance then brings the first forward and ends before any window
// of its own (a guard in a window description finds out only once that window exists). True:
// another instance runs, and the application was asked to end. The first instance keeps the
// instance mutex; a guard that tests again later in the same thread finds no other instance.
bool CheckOneInstance();

// Releases and closes the instance mutex this process owns, if any; also runs at program end.
// Call it on the thread that ran the test (mutex ownership is per thread).
void ReleaseOneInstanceMutex();

// Registers TsxOneInstance for window descriptions.
void RegisterOneInstanceClass();
