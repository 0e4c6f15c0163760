// desktop/FontProperties.h -- the sub-properties of a font in a window description
// ("Font.Name", "HotTrackFont.Height", ...), for every font a class carries
#pragma once
#include <functional>
#include <string>

#include "Classes.h"
#include "Graphics.h"

// member: Name, Height, Size, Color or Style; Charset and Pitch are accepted and left at
// their defaults. Throws EDescriptionError for another member or a bad value.
void SetFontProperty(TFont& font, const std::string& member, const TPropValue& value, const TLoadContext& context);

template <class C>
void AddFontProperties(TClassRegistration<C>& registration, const std::string& prefix, std::function<TFont&(C&)> font) {
    for (const char* member : {"Name", "Height", "Size", "Color", "Style", "Charset", "Pitch"})
        registration.Custom(prefix + "." + member, [font, m = std::string(member)](C& c, const TPropValue& v, TLoadContext& ctx) {
            SetFontProperty(font(c), m, v, ctx);
        });
}
