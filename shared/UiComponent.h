// shared/UiComponent.h -- TUiComponent: the base of the Ui family's non-visual components
#pragma once
#include <string>

#include "desktop/Component.h"

class TUiComponent : public TComponent {
public:
    explicit TUiComponent(TComponent* owner) : TComponent(owner) {}

    // Stored for the designer's "about" box; has no effect.
    const std::string& AboutInfo() const noexcept { return FAboutInfo; }
    void SetAboutInfo(const std::string& value) { FAboutInfo = value; }

private:
    std::string FAboutInfo;
};
