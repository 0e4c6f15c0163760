// desktop/FontProperties.cpp -- font values as descriptions write them
#include "FontProperties.h"

#include "Controls.h"

namespace {

unsigned FontStyleFromValue(const TPropValue& value, const TLoadContext& context) {
    static const std::pair<const char*, TFontStyle> names[] = {
        {"fsBold", fsBold}, {"fsItalic", fsItalic}, {"fsUnderline", fsUnderline}, {"fsStrikeOut", fsStrikeOut}};
    unsigned style = 0;
    for (const std::string& s : value.AsSet()) {
        bool known = false;
        for (const auto& [n, flag] : names)
            if (SameTextAscii(n, s)) { style |= flag; known = true; }
        if (!known) throw EDescriptionError(context.Where + ": unknown font style " + s);
    }
    return style;
}

} // namespace

void SetFontProperty(TFont& font, const std::string& member, const TPropValue& value, const TLoadContext& context) {
    if (member == "Name") font.SetName(value.AsString());
    else if (member == "Height") font.SetHeight(value.AsInteger());
    else if (member == "Size") font.SetSize(value.AsInteger());
    else if (member == "Color") font.SetColor(ColorFromValue(value));
    else if (member == "Style") font.SetStyle(FontStyleFromValue(value, context));
    // The fonts made here always use the default character set and pitch.
    else if (member != "Charset" && member != "Pitch") throw EDescriptionError(context.Where + ": unknown font property " + member);
}
