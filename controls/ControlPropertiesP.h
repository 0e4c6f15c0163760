// controls/ControlPropertiesP.h -- for controls/*.cpp only: the value readers and name tables
// that the property tables of several controls share
#pragma once
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "FxTypes.h"
#include "desktop/Classes.h"
#include "desktop/EnumNames.h"
#include "desktop/FontProperties.h"
#include "desktop/Graphics.h"
#include "desktop/SysUtils.h"

namespace controls_internal {

inline const std::vector<std::pair<std::string, TVerticalAlignment>>& VerticalAlignmentNames() {
    static const std::vector<std::pair<std::string, TVerticalAlignment>> names = {
        {"vaTop", TVerticalAlignment::vaTop}, {"vaCenter", TVerticalAlignment::vaCenter},
        {"vaBottom", TVerticalAlignment::vaBottom}};
    return names;
}

inline const std::vector<std::pair<std::string, TTextLayout>>& LayoutNames() {
    static const std::vector<std::pair<std::string, TTextLayout>> names = {
        {"tlTop", TTextLayout::tlTop}, {"tlCenter", TTextLayout::tlCenter}, {"tlBottom", TTextLayout::tlBottom}};
    return names;
}

// Colours are stored as decimal numbers; the names of the full colour table are accepted too.
inline TColor Color(const TPropValue& v, const TLoadContext& ctx) {
    if (v.Kind == TPropValue::TKind::Integer) return static_cast<TColor>(v.Int);
    TColor c;
    if (IdentToColor(v.AsIdent(), c)) return c;
    throw EDescriptionError(ctx.Where + ": unknown colour " + v.Str);
}

template <class C>
auto ColorProperty(void (C::*set)(TColor)) {
    return [set](C& c, const TPropValue& v, TLoadContext& ctx) { (c.*set)(Color(v, ctx)); };
}

// A set of flags as a description writes it: [caCopy, caPaste].
template <class F>
unsigned Flags(const TPropValue& v, const TLoadContext& ctx, std::initializer_list<std::pair<const char*, F>> names,
               const char* what) {
    unsigned set = 0;
    for (const std::string& s : v.AsSet()) {
        bool known = false;
        for (const auto& [n, flag] : names)
            if (SameTextAscii(n, s)) { set |= flag; known = true; }
        if (!known) throw EDescriptionError(ctx.Where + ": unknown " + what + " " + s);
    }
    return set;
}

// The published settings both hot-track buttons share.
template <class B>
void AddHotTrackButtonProperties(TClassRegistration<B>& r) {
    r.String("AboutInfo", &B::SetAboutInfo)
        .Bool("HotTrack", &B::SetHotTrack)
        .Custom("HintColor", ColorProperty(&B::SetHintColor))
        .Custom("DropDownMenu", [](B& b, const TPropValue& v, TLoadContext&) { b.SetDropDownMenuName(v.AsIdent()); })
        .template Event<TNotifyEvent>("OnMouseEnter", &B::SetOnMouseEnter)
        .template Event<TNotifyEvent>("OnMouseLeave", &B::SetOnMouseLeave)
        .template Event<TNotifyEvent>("OnParentColorChange", &B::SetOnParentColorChange);
    AddFontProperties<B>(r, "HotTrackFont", [](B& b) -> TFont& { return b.HotTrackFont(); });
}

} // namespace controls_internal
