// desktop/ApplicationEvents.h -- TCustomApplicationEvents/TApplicationEvents: the application's
// events (OnIdle, OnException, OnMessage, OnMinimize, OnRestore) for components of a window
//
// The first component put in the application-events layer saves the application's handlers
// and installs the layer's dispatchers; each event then reaches the handler of every
// registered component, the most recently created first, and finally the saved handler.
// When the last component goes, the saved handlers come back, for each event only while the
// application still holds the layer's own dispatcher (someone may have chained in front).
#pragma once
#include "Application.h"
#include "Component.h"
#include "Events.h"

// The application's five event handlers taken together: what a chaining layer saves, installs
// and puts back.
struct TApplicationHandlers {
    TIdleEvent OnIdle;
    TExceptionEvent OnException;
    TMessageEvent OnMessage;
    TNotifyEvent OnMinimize, OnRestore;

    static TApplicationHandlers Of(const TApplication& app);
    void InstallIn(TApplication& app) const;
    // Puts these back for each event where app still holds the handler of own.
    void RestoreWhereStill(const TApplicationHandlers& own, TApplication& app) const;
};

// A layer in front of the application's handlers: Install saves the handlers it finds and puts
// its own dispatchers in their place; Uninstall puts the saved ones back, for each event only
// while the application still holds the dispatcher (someone may have chained in front since).
class TApplicationHandlerChain {
public:
    virtual ~TApplicationHandlerChain() = default;
    bool IsInstalled() const noexcept { return FApp != nullptr; }

protected:
    void Install(TApplication& app);
    void Uninstall();                 // nothing to put back when the application is gone or another
    TApplication* App() const noexcept { return FApp; }
    const TApplicationHandlers& Saved() const noexcept { return FSaved; }

    virtual void DoIdle(TObject* sender, bool& done) = 0;
    virtual void DoException(TObject* sender, const std::exception& error) = 0;
    virtual void DoMessage(MSG& msg, bool& handled) = 0;
    virtual void DoMinimize(TObject* sender) = 0;
    virtual void DoRestore(TObject* sender) = 0;

private:
    TApplicationHandlers Own();

    TApplication* FApp = nullptr;     // while installed
    TApplicationHandlers FSaved;
};

class TCustomApplicationEvents : public TComponent {
public:
    explicit TCustomApplicationEvents(TComponent* owner);   // registers with the layer
    ~TCustomApplicationEvents() override;                   // leaves it

    const TIdleEvent& OnIdle() const noexcept { return FOnIdle; }
    void SetOnIdle(const TIdleEvent& value) { FOnIdle = value; }
    const TExceptionEvent& OnException() const noexcept { return FOnException; }
    void SetOnException(const TExceptionEvent& value) { FOnException = value; }
    const TMessageEvent& OnMessage() const noexcept { return FOnMessage; }
    void SetOnMessage(const TMessageEvent& value) { FOnMessage = value; }
    const TNotifyEvent& OnMinimize() const noexcept { return FOnMinimize; }
    void SetOnMinimize(const TNotifyEvent& value) { FOnMinimize = value; }
    const TNotifyEvent& OnRestore() const noexcept { return FOnRestore; }
    void SetOnRestore(const TNotifyEvent& value) { FOnRestore = value; }

private:
    TIdleEvent FOnIdle;
    TExceptionEvent FOnException;
    TMessageEvent FOnMessage;
    TNotifyEvent FOnMinimize, FOnRestore;
};

// The one that window descriptions name; its events are published.
class TApplicationEvents : public TCustomApplicationEvents {
public:
    using TCustomApplicationEvents::TCustomApplicationEvents;
};

// Components registered with the layer right now (for tests and diagnostics).
int ApplicationEventsCount();

// Registers TApplicationEvents for window descriptions; safe to call more than once.
void RegisterApplicationEventsClasses();
