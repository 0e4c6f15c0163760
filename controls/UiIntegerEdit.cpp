// controls/UiIntegerEdit.cpp -- bounds, the key filter and the paste check
#include "UiIntegerEdit.h"

#include <climits>

#include "UiCharTables.h"
#include "UiStrUtils.h"
#include "desktop/SysUtils.h"
#include "ControlPropertiesP.h"

bool TryParseInt32(const std::string& text, int& valueOut) {
    size_t i = 0;
    bool negative = !text.empty() && text[0] == '-';
    if (negative) i = 1;
    if (i >= text.size()) return false;
    long long v = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        if (c < '0' || c > '9') return false;
        v = v * 10 + (c - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    valueOut = static_cast<int>(v);
    return true;
}

TUiIntegerEdit::TUiIntegerEdit(TComponent* owner) : TUiCustomEdit(owner) {
    SetAlignment(TAlignment::taRightJustify);
    SetCaption("");
}

int TUiIntegerEdit::Value() const {
    int v = 0;
    return TryParseInt32(Caption(), v) ? v : 0;
}

void TUiIntegerEdit::SetValue(int value) {
    int r = value;
    if (FHasMaxValue && FMaxValue < value) r = FMaxValue;
    // Tested against the value asked for, so with crossed bounds the lower one wins.
    if (FHasMinValue && value < FMinValue) r = FMinValue;
    SetCaption(IntToStr(r));
}

bool TUiIntegerEdit::IsValidValue(long long value) const {
    return (!FHasMaxValue || value <= FMaxValue) && (!FHasMinValue || value >= FMinValue);
}

bool TUiIntegerEdit::IsValidText(const std::string& text) const {
    int v = 0;
    if (!text.empty() && text != "-" && !TryParseInt32(text, v)) return false;
    return IsValidValue(v);
}

void TUiIntegerEdit::KeyPress(char& key) {
    if (static_cast<unsigned char>(key) < 32) {
        if (key == '\r') { key = 0; return; }
        TUiCustomEdit::KeyPress(key);
        return;
    }
    if (!IsDigitChar(key) && key != '-') { key = 0; return; }
    if (key == '-' && ((FHasMinValue && FMinValue >= 0) || SelStart() != 0)) { key = 0; return; }
    if (!IsValidText(ChangedText(Caption(), SelStart(), SelLength(), key))) { key = 0; return; }
    TUiCustomEdit::KeyPress(key);
}

bool TUiIntegerEdit::AcceptsPaste(const std::string& clipboardText) {
    std::string text = Caption();
    int start = SelStart(), length = SelLength();
    std::string result = ChangedText(text, start, length, '\0');
    result.insert(static_cast<size_t>(start) <= result.size() ? static_cast<size_t>(start) : result.size(), clipboardText);
    return IsValidText(result);
}

// ---- for window descriptions

namespace {

using namespace controls_internal;

const std::vector<std::pair<std::string, TEditBorderStyle>> BorderStyles = {
    {"bsNone", TEditBorderStyle::bsNone}, {"bsSingle", TEditBorderStyle::bsSingle}};

TUiClipBoardCommands ClipBoardCommands(const TPropValue& v, const TLoadContext& ctx) {
    return static_cast<TUiClipBoardCommands>(Flags<TUiClipBoardCommand>(
        v, ctx, {{"caCopy", caCopy}, {"caCut", caCut}, {"caPaste", caPaste}, {"caUndo", caUndo}}, "clipboard command"));
}

} // namespace

void RegisterUiIntegerEditClass() {
    using namespace controls_internal;
    TClassRegistration<TUiIntegerEdit>("TUiIntegerEdit", "TEdit")
        .Enum<TAlignment>("Alignment", &TUiIntegerEdit::SetAlignment, AlignmentNames())
        .Enum<TEditBorderStyle>("BorderStyle", &TUiIntegerEdit::SetBorderStyle, BorderStyles)
        .Custom("ClipBoardCommands", [](TUiIntegerEdit& e, const TPropValue& v, TLoadContext& ctx) {
            e.SetClipBoardCommands(ClipBoardCommands(v, ctx));
        })
        .Custom("DisabledColor", ColorProperty(&TUiIntegerEdit::SetDisabledColor))
        .Custom("DisabledTextColor", ColorProperty(&TUiIntegerEdit::SetDisabledTextColor))
        .Bool("HasMaxValue", &TUiIntegerEdit::SetHasMaxValue)
        .Bool("HasMinValue", &TUiIntegerEdit::SetHasMinValue)
        .Int("MaxValue", &TUiIntegerEdit::SetMaxValue)
        .Int("MinValue", &TUiIntegerEdit::SetMinValue)
        .Bool("ReadOnly", &TUiIntegerEdit::SetReadOnly)
        .Int("Value", &TUiIntegerEdit::SetValue)
        .Int("SelStart", &TUiIntegerEdit::SetSelStart)
        .Int("SelLength", &TUiIntegerEdit::SetSelLength)
        .Event<TUiKeyPressEvent>("OnKeyPress", &TUiIntegerEdit::SetOnKeyPress)
        .Ignore("AutoSelect")
        .Ignore("AutoSize")
        .Ignore("CharCase")
        .Ignore("HideSelection");
}
