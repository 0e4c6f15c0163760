// desktop/Application.h -- TApplication: the hidden application window, the message loop,
// idle processing and the default error display
#pragma once
#include <windows.h>
#include <exception>
#include <functional>
#include <string>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "Graphics.h"

class TForm;

using TExceptionEvent = TBoundMethod<void(TObject* sender, const std::exception& error)>;
using TMessageEvent = TBoundMethod<void(MSG& msg, bool& handled)>;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;                       // frees the forms it owns

    void Initialize();                              // registers the classes, makes the hidden window
    const std::string& Title() const noexcept { return FTitle; }
    void SetTitle(const std::string& title);
    HWND Handle() const noexcept { return FHandle; }
    TForm* MainForm() const noexcept { return FMainForm; }
    TForm* ActiveForm() const noexcept { return FActiveForm; }
    std::string ExeName() const;
    bool ShowMainForm = true;
    // Background of the hints; this library draws no hint window, so controls that change it
    // while hovered (hot-track buttons) only keep it for whoever reads it.
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor value) noexcept { FHintColor = value; }

    // Creates a form owned by the application; the first one becomes the main form.
    template <class F>
    F* CreateForm() {
        F* form = new F(this);
        if (!FMainForm) FMainForm = form;
        return form;
    }

    // Creates a form owned by the application after the main loop's first idle moment, once
    // what waits for an answer then has had it: for a window nothing needs at start.
    template <class F>
    void CreateFormWhenIdle() {
        FFormsWhenIdle.push_back([this] { CreateForm<F>(); });
    }

    void Run();                                     // until Terminate or the main form closes
    void HandleMessage();                           // one message, or idle and wait when there is none
    void ProcessMessages();                         // every pending message, no idle
    void Terminate();                               // no idle event after this
    bool Terminated() const noexcept { return FTerminated; }

    void HandleException(std::exception_ptr error);  // OnException, or a message box with the text
    void ShowException(const std::exception& error);
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize, OnRestore;

    void Minimize();
    void Restore();

    // Bookkeeping for TForm.
    void SetActiveForm(TForm* form) { FActiveForm = form; }
    void ForgetMainForm() { FMainForm = nullptr; }
    // The form's ShowWhenIdle is called after the OnIdle handlers of the next idle moment.
    void ShowFormWhenIdle(TForm* form);
    void ForgetShowWhenIdle(TForm* form);
    void ReleaseForm(TForm* form);                  // freed once the current message is done

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    bool ProcessMessage(MSG& msg);
    void Idle();
    void FreeReleased();
    void CreateFormsWhenIdle();
    void ShowFormsWhenIdle();
    static LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::string FTitle;
    HWND FHandle = nullptr;
    TForm* FMainForm = nullptr;
    TForm* FActiveForm = nullptr;
    bool FTerminated = false;
    bool FHandlingException = false;
    TColor FHintColor = clInfoBk;
    std::vector<TForm*> FReleased;
    std::vector<std::function<void()>> FFormsWhenIdle;
    std::vector<TForm*> FShowsWhenIdle;
    bool FRunning = false;                          // in Run: the main loop, not a form's load step
};

// The program's one application object; set by the program body.
extern TApplication* Application;
