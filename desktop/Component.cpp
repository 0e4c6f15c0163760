// desktop/Component.cpp -- owner tree and free notification
#include "Component.h"

#include <algorithm>

#include "SysUtils.h"

TComponent::TComponent(TComponent* owner) {
    if (owner) {
        owner->InsertComponent(this);
        if (owner->IsDesigning()) FState |= csDesigning;
    }
}

TComponent::~TComponent() {
    FState |= csDestroying;
    auto notifies = FFreeNotifies;
    FFreeNotifies.clear();
    for (TComponent* c : notifies) {
        c->Notification(this, TOperation::opRemove);
        auto& theirs = c->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
    while (!FComponents.empty()) {
        TComponent* last = FComponents.back();
        delete last;   // its destructor removes it from FComponents
    }
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const std::string& name) { FName = name; }

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : FComponents)
        if (SameTextAscii(c->FName, name)) return c;
    return nullptr;
}

void TComponent::SetDesigning(bool value) {
    if (value) FState |= csDesigning; else FState &= ~csDesigning;
    for (TComponent* c : FComponents) c->SetDesigning(value);
}

void TComponent::Loaded() { FState &= ~csLoading; }

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    if (std::find(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this) == component->FFreeNotifies.end())
        component->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component), FFreeNotifies.end());
    if (component)
        component->FFreeNotifies.erase(std::remove(component->FFreeNotifies.begin(), component->FFreeNotifies.end(), this),
                                       component->FFreeNotifies.end());
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == TOperation::opRemove)
        for (TComponent* c : FComponents) if (c != component) c->Notification(component, operation);
}

void TComponent::InsertComponent(TComponent* component) {
    component->FOwner = this;
    FComponents.push_back(component);
}

void TComponent::RemoveComponent(TComponent* component) {
    FComponents.erase(std::remove(FComponents.begin(), FComponents.end(), component), FComponents.end());
    component->FOwner = nullptr;
    Notification(component, TOperation::opRemove);
}
