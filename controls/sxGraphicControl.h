// controls/sxGraphicControl.h -- TsxGraphicControl: the family's base for controls that draw
// themselves entirely (every control here is a window; this one has no standard class behind it)
#pragma once
#include <string>

#include "FxControl.h"

class TsxGraphicControl : public TFxControl {
public:
    explicit TsxGraphicControl(TComponent* owner) : TFxControl(owner) {}
    const std::string& About() const noexcept { return FAbout; }
    void SetAbout(const std::string& value) { FAbout = value; }

private:
    std::string FAbout;
};
