// desktop/Component.h -- TComponent: owner tree, Name, state and the load step
#pragma once
#include <string>
#include <vector>

#include "Object.h"

enum TComponentStateFlag : unsigned {
    csLoading = 1,     // properties are being set from a window description
    csDesigning = 2,   // the component only stores values; it never acts
    csDestroying = 4,
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;               // frees every owned component, newest first
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const noexcept { return FOwner; }
    const std::string& Name() const noexcept { return FName; }
    virtual void SetName(const std::string& name);
    int ComponentCount() const noexcept { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int index) const { return FComponents.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(const std::string& name) const;   // case-insensitive, like names in descriptions

    unsigned ComponentState() const noexcept { return FState; }
    bool IsLoading() const noexcept { return (FState & csLoading) != 0; }
    bool IsDesigning() const noexcept { return (FState & csDesigning) != 0; }
    bool IsDestroying() const noexcept { return (FState & csDestroying) != 0; }
    void SetDesigning(bool value);

    // Called by the description reader once every property of the window is set.
    virtual void Loaded();
    void BeginLoading() noexcept { FState |= csLoading; }
    // Called by the description reader for a child block that is not a control, with the
    // component whose block it sits in (menu items nest this way); the default ignores it.
    virtual void SetParentComponent(TComponent* parent) { (void)parent; }

    // Asks to be told (Notification with opRemove) when component is freed.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

protected:
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);

    TComponent* FOwner = nullptr;
    std::string FName;
    unsigned FState = 0;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
};
