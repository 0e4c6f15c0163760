// desktop/ApplicationEvents.cpp -- the application-events layer
#include "ApplicationEvents.h"

#include <algorithm>
#include <vector>

#include "Classes.h"

TApplicationHandlers TApplicationHandlers::Of(const TApplication& app) {
    return {app.OnIdle, app.OnException, app.OnMessage, app.OnMinimize, app.OnRestore};
}

void TApplicationHandlers::InstallIn(TApplication& app) const {
    app.OnIdle = OnIdle;
    app.OnException = OnException;
    app.OnMessage = OnMessage;
    app.OnMinimize = OnMinimize;
    app.OnRestore = OnRestore;
}

void TApplicationHandlers::RestoreWhereStill(const TApplicationHandlers& own, TApplication& app) const {
    if (app.OnIdle == own.OnIdle) app.OnIdle = OnIdle;
    if (app.OnException == own.OnException) app.OnException = OnException;
    if (app.OnMessage == own.OnMessage) app.OnMessage = OnMessage;
    if (app.OnMinimize == own.OnMinimize) app.OnMinimize = OnMinimize;
    if (app.OnRestore == own.OnRestore) app.OnRestore = OnRestore;
}

void TApplicationHandlerChain::Install(TApplication& app) {
    FApp = &app;
    FSaved = TApplicationHandlers::Of(app);
    Own().InstallIn(app);
}

void TApplicationHandlerChain::Uninstall() {
    if (FApp && FApp == Application) FSaved.RestoreWhereStill(Own(), *FApp);
    FApp = nullptr;
}

TApplicationHandlers TApplicationHandlerChain::Own() {
    return {TIdleEvent(this, &TApplicationHandlerChain::DoIdle),
            TExceptionEvent(this, &TApplicationHandlerChain::DoException),
            TMessageEvent(this, &TApplicationHandlerChain::DoMessage),
            TNotifyEvent(this, &TApplicationHandlerChain::DoMinimize),
            TNotifyEvent(this, &TApplicationHandlerChain::DoRestore)};
}

namespace {

class TAppEventsLayer : public TApplicationHandlerChain {
public:
    void Add(TCustomApplicationEvents* component) {
        FMembers.push_back(component);
        if (FMembers.size() == 1 && Application) Install(*Application);
    }

    void Remove(TCustomApplicationEvents* component) {
        FMembers.erase(std::remove(FMembers.begin(), FMembers.end(), component), FMembers.end());
        if (FMembers.empty()) Uninstall();
    }

    int Count() const { return static_cast<int>(FMembers.size()); }

private:
    // A handler may free components: walk a copy, skipping those that left meanwhile.
    template <class F>
    void ForEachNewestFirst(F call) {
        auto members = FMembers;
        for (auto it = members.rbegin(); it != members.rend(); ++it)
            if (std::find(FMembers.begin(), FMembers.end(), *it) != FMembers.end()) call(**it);
    }

    void DoIdle(TObject* sender, bool& done) override {
        ForEachNewestFirst([&](TCustomApplicationEvents& c) { if (c.OnIdle()) c.OnIdle()(sender, done); });
        if (Saved().OnIdle) Saved().OnIdle(sender, done);
    }

    void DoException(TObject* sender, const std::exception& error) override {
        bool handled = false;
        ForEachNewestFirst([&](TCustomApplicationEvents& c) {
            if (c.OnException()) { c.OnException()(sender, error); handled = true; }
        });
        if (Saved().OnException) { Saved().OnException(sender, error); handled = true; }
        if (!handled && App()) App()->ShowException(error);
    }

    void DoMessage(MSG& msg, bool& handled) override {
        ForEachNewestFirst([&](TCustomApplicationEvents& c) { if (c.OnMessage()) c.OnMessage()(msg, handled); });
        if (Saved().OnMessage) Saved().OnMessage(msg, handled);
    }

    void DoMinimize(TObject* sender) override {
        ForEachNewestFirst([&](TCustomApplicationEvents& c) { if (c.OnMinimize()) c.OnMinimize()(sender); });
        if (Saved().OnMinimize) Saved().OnMinimize(sender);
    }

    void DoRestore(TObject* sender) override {
        ForEachNewestFirst([&](TCustomApplicationEvents& c) { if (c.OnRestore()) c.OnRestore()(sender); });
        if (Saved().OnRestore) Saved().OnRestore(sender);
    }

    std::vector<TCustomApplicationEvents*> FMembers;
};

TAppEventsLayer& Layer() {
    static TAppEventsLayer layer;
    return layer;
}

} // namespace

TCustomApplicationEvents::TCustomApplicationEvents(TComponent* owner) : TComponent(owner) { Layer().Add(this); }

TCustomApplicationEvents::~TCustomApplicationEvents() { Layer().Remove(this); }

int ApplicationEventsCount() { return Layer().Count(); }

void RegisterApplicationEventsClasses() {
    if (FindClassInfo("TApplicationEvents")) return;
    TClassRegistration<TCustomApplicationEvents>("TCustomApplicationEvents", "TComponent", true);
    TClassRegistration<TApplicationEvents>("TApplicationEvents", "TCustomApplicationEvents")
        .Event<TIdleEvent>("OnIdle", &TApplicationEvents::SetOnIdle)
        .Event<TExceptionEvent>("OnException", &TApplicationEvents::SetOnException)
        .Event<TMessageEvent>("OnMessage", &TApplicationEvents::SetOnMessage)
        .Event<TNotifyEvent>("OnMinimize", &TApplicationEvents::SetOnMinimize)
        .Event<TNotifyEvent>("OnRestore", &TApplicationEvents::SetOnRestore);
}
