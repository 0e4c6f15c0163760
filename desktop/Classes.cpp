// desktop/Classes.cpp -- the class registry and description values
#include "Classes.h"

namespace {

std::map<std::string, std::unique_ptr<TClassInfo>>& Registry() {
    static std::map<std::string, std::unique_ptr<TClassInfo>> registry;
    return registry;
}

const char* KindName(TPropValue::TKind kind) {
    switch (kind) {
    case TPropValue::TKind::Integer: return "an integer";
    case TPropValue::TKind::Float: return "a number";
    case TPropValue::TKind::String: return "a string";
    case TPropValue::TKind::Ident: return "an identifier";
    case TPropValue::TKind::Set: return "a set";
    case TPropValue::TKind::List: return "a list";
    case TPropValue::TKind::Binary: return "binary data";
    }
    return "a value";
}

[[noreturn]] void WrongKind(const TPropValue& v, const char* expected) {
    throw EDescriptionError(std::string(expected) + " expected, found " + KindName(v.Kind));
}

} // namespace

int TPropValue::AsInteger() const {
    if (Kind != TKind::Integer) WrongKind(*this, "an integer");
    return static_cast<int>(Int);
}

bool TPropValue::AsBool() const {
    if (Kind == TKind::Ident) {
        if (SameTextAscii(Str, "True")) return true;
        if (SameTextAscii(Str, "False")) return false;
    }
    WrongKind(*this, "True or False");
}

const std::string& TPropValue::AsString() const {
    if (Kind != TKind::String) WrongKind(*this, "a string");
    return Str;
}

const std::string& TPropValue::AsIdent() const {
    if (Kind != TKind::Ident) WrongKind(*this, "an identifier");
    return Str;
}

const std::vector<std::string>& TPropValue::AsList() const {
    if (Kind != TKind::List) WrongKind(*this, "a list of strings");
    return Items;
}

const std::vector<std::string>& TPropValue::AsSet() const {
    if (Kind != TKind::Set) WrongKind(*this, "a set");
    return Items;
}

TClassInfo::TClassInfo(std::string name, const TClassInfo* parent, std::function<TComponent*(TComponent*)> factory)
    : FName(std::move(name)), FParent(parent), FFactory(std::move(factory)) {}

bool TClassInfo::InheritsFrom(const std::string& name) const {
    for (const TClassInfo* c = this; c; c = c->FParent)
        if (SameTextAscii(c->FName, name)) return true;
    return false;
}

TComponent* TClassInfo::Create(TComponent* owner) const {
    if (!FFactory) throw EDescriptionError("Cannot create an instance of abstract class " + FName);
    return FFactory(owner);
}

const TPropertySetter* TClassInfo::FindProperty(const std::string& name) const {
    std::string key = UpperCaseAscii(name);
    for (const TClassInfo* c = this; c; c = c->FParent) {
        auto it = c->FProperties.find(key);
        if (it != c->FProperties.end()) return &it->second;
    }
    return nullptr;
}

void TClassInfo::AddProperty(const std::string& name, TPropertySetter setter) {
    FProperties[UpperCaseAscii(name)] = std::move(setter);
}

void TClassInfo::AddHandler(const std::string& name, std::type_index signature, std::function<std::any(TComponent*)> bind) {
    FHandlers.insert_or_assign(UpperCaseAscii(name), THandler{signature, std::move(bind)});
}

std::any TClassInfo::BindHandler(const std::string& name, std::type_index signature, TComponent* root,
                                 const std::string& where) const {
    std::string key = UpperCaseAscii(name);
    for (const TClassInfo* c = this; c; c = c->FParent) {
        auto it = c->FHandlers.find(key);
        if (it == c->FHandlers.end()) continue;
        if (it->second.Signature != signature)
            throw EDescriptionError(where + ": handler " + FName + "." + name + " does not fit this event");
        return it->second.Bind(root);
    }
    throw EDescriptionError(where + ": handler " + FName + "." + name + " not found");
}

void TClassInfo::AddField(const std::string& name, std::function<bool(TComponent*, TComponent*)> assign) {
    FFields[name] = std::move(assign);
}

TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> info) {
    auto& registry = Registry();
    std::string key = UpperCaseAscii(info->Name());
    auto it = registry.find(key);
    if (it != registry.end()) return *it->second;
    return *registry.emplace(key, std::move(info)).first->second;
}

const TClassInfo* FindClassInfo(const std::string& name) {
    auto& registry = Registry();
    auto it = registry.find(UpperCaseAscii(name));
    return it == registry.end() ? nullptr : it->second.get();
}

const TClassInfo& RequireClassInfo(const std::string& name) {
    const TClassInfo* info = FindClassInfo(name);
    if (!info) throw EDescriptionError("Class " + name + " not found");
    return *info;
}

unsigned SetMask(const TPropValue& value, const TLoadContext& context,
                 const std::vector<std::pair<const char*, unsigned>>& names) {
    unsigned mask = 0;
    for (const std::string& item : value.AsSet()) {
        bool known = false;
        for (const auto& [name, bit] : names)
            if (SameTextAscii(item, name)) { mask |= bit; known = true; }
        if (!known) throw EDescriptionError(context.Where + ": unknown value " + item);
    }
    return mask;
}

unsigned NonNegative(const TPropValue& value, const TLoadContext& context) {
    int n = value.AsInteger();
    if (n < 0) throw EDescriptionError(context.Where + ": the value cannot be negative");
    return static_cast<unsigned>(n);
}
