// desktop/Classes.h -- the class registry: how a window description names classes,
// properties, handlers and fields
//
// Every class a description may name is registered with a factory and a table
// of property setters; a form class also lists its handler methods (bound to
// "OnX = name" lines) and its component fields (filled from "object name: ...").
// Registration is explicit (RegisterXxxClasses at program start), because
// static registrars in a static library are dropped by the linker.
#pragma once
#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <typeindex>
#include <utility>
#include <vector>

#include "Component.h"
#include "Events.h"
#include "SysUtils.h"

// A description that cannot be applied: a missing class, property, handler or field, or a bad value.
class EDescriptionError : public Exception {
public:
    using Exception::Exception;
};

// One value as written in a description.
struct TPropValue {
    enum class TKind { Integer, Float, String, Ident, Set, List, Binary };
    TKind Kind = TKind::Integer;
    long long Int = 0;
    double Float = 0;
    std::string Str;                    // String and Ident
    std::vector<std::string> Items;     // Set elements, List strings
    std::vector<unsigned char> Data;    // Binary

    int AsInteger() const;              // each throws EDescriptionError on the wrong kind
    bool AsBool() const;
    const std::string& AsString() const;
    const std::string& AsIdent() const;
    const std::vector<std::string>& AsList() const;
    const std::vector<std::string>& AsSet() const;
};

class TClassInfo;

// What a setter sees besides the value: the root being loaded and where we are.
struct TLoadContext {
    TComponent* Root = nullptr;
    const TClassInfo* RootClass = nullptr;
    std::string Where;                  // "Teditor.Button1.OnClick", for messages
};

using TPropertySetter = std::function<void(TComponent* target, const TPropValue& value, TLoadContext& context)>;

class TClassInfo {
public:
    TClassInfo(std::string name, const TClassInfo* parent, std::function<TComponent*(TComponent*)> factory);

    const std::string& Name() const noexcept { return FName; }
    const TClassInfo* Parent() const noexcept { return FParent; }
    bool InheritsFrom(const std::string& name) const;
    TComponent* Create(TComponent* owner) const;       // throws for an abstract class
    const TPropertySetter* FindProperty(const std::string& name) const;   // searches the ancestors too

    void AddProperty(const std::string& name, TPropertySetter setter);
    // Handler methods: made into a bound method of the root, checked against the event's type.
    void AddHandler(const std::string& name, std::type_index signature, std::function<std::any(TComponent*)> bind);
    std::any BindHandler(const std::string& name, std::type_index signature, TComponent* root, const std::string& where) const;
    // Component fields of a form: assigned when the description names the component.
    void AddField(const std::string& name, std::function<bool(TComponent* root, TComponent* component)> assign);
    const std::map<std::string, std::function<bool(TComponent*, TComponent*)>>& Fields() const { return FFields; }

private:
    struct THandler {
        std::type_index Signature;
        std::function<std::any(TComponent*)> Bind;
    };
    std::string FName;
    const TClassInfo* FParent;
    std::function<TComponent*(TComponent*)> FFactory;
    std::map<std::string, TPropertySetter> FProperties;
    std::map<std::string, THandler> FHandlers;
    std::map<std::string, std::function<bool(TComponent*, TComponent*)>> FFields;
};

// The registry. Registering a name twice replaces nothing and returns the first.
TClassInfo& RegisterClassInfo(std::unique_ptr<TClassInfo> info);
const TClassInfo* FindClassInfo(const std::string& name);
const TClassInfo& RequireClassInfo(const std::string& name);   // throws EDescriptionError naming the class

// Typed registration: TClassRegistration<TButton>("TButton", "TControl").Bool("Default", &TButton::SetDefault) ...
template <class C>
class TClassRegistration {
public:
    TClassRegistration(const std::string& name, const std::string& parent, bool abstractClass = false) {
        const TClassInfo* p = parent.empty() ? nullptr : &RequireClassInfo(parent);
        std::function<TComponent*(TComponent*)> factory;
        if constexpr (std::is_constructible_v<C, TComponent*>) {
            if (!abstractClass) factory = [](TComponent* owner) -> TComponent* { return new C(owner); };
        }
        FInfo = &RegisterClassInfo(std::make_unique<TClassInfo>(name, p, factory));
    }

    TClassRegistration& Custom(const std::string& prop, std::function<void(C&, const TPropValue&, TLoadContext&)> set) {
        FInfo->AddProperty(prop, [set](TComponent* t, const TPropValue& v, TLoadContext& c) { set(*static_cast<C*>(t), v, c); });
        return *this;
    }
    TClassRegistration& Int(const std::string& prop, void (C::*set)(int)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext&) { (c.*set)(v.AsInteger()); });
    }
    TClassRegistration& Bool(const std::string& prop, void (C::*set)(bool)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext&) { (c.*set)(v.AsBool()); });
    }
    TClassRegistration& String(const std::string& prop, void (C::*set)(const std::string&)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext&) { (c.*set)(v.AsString()); });
    }
    TClassRegistration& Strings(const std::string& prop, void (C::*set)(const std::vector<std::string>&)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext&) { (c.*set)(v.AsList()); });
    }
    TClassRegistration& Binary(const std::string& prop, void (C::*set)(const std::vector<unsigned char>&)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            (c.*set)(v.Data);
        });
    }
    template <class E>
    TClassRegistration& Enum(const std::string& prop, void (C::*set)(E), std::vector<std::pair<std::string, E>> names) {
        return Custom(prop, [set, names](C& c, const TPropValue& v, TLoadContext& ctx) {
            const std::string& id = v.AsIdent();
            for (const auto& [n, e] : names)
                if (SameTextAscii(n, id)) { (c.*set)(e); return; }
            throw EDescriptionError(ctx.Where + ": unknown value " + id);
        });
    }
    template <class E>
    TClassRegistration& Event(const std::string& prop, void (C::*set)(const E&)) {
        return Custom(prop, [set](C& c, const TPropValue& v, TLoadContext& ctx) {
            std::any bound = ctx.RootClass->BindHandler(v.AsIdent(), typeid(E), ctx.Root, ctx.Where);
            (c.*set)(std::any_cast<E>(bound));
        });
    }
    // Design-time values that run-time code has no use for.
    TClassRegistration& Ignore(const std::string& prop) {
        FInfo->AddProperty(prop, [](TComponent*, const TPropValue&, TLoadContext&) {});
        return *this;
    }
    template <class... Args>
    TClassRegistration& Handler(const std::string& name, void (C::*method)(Args...)) {
        using TEvent = TBoundMethod<void(Args...)>;
        FInfo->AddHandler(name, typeid(TEvent), [method](TComponent* root) {
            return std::any(TEvent(static_cast<C*>(root), method));
        });
        return *this;
    }
    template <class F>
    TClassRegistration& Field(const std::string& name, F* C::*field) {
        FInfo->AddField(name, [field](TComponent* root, TComponent* component) {
            F* typed = dynamic_cast<F*>(component);
            if (!typed) return false;
            static_cast<C*>(root)->*field = typed;
            return true;
        });
        return *this;
    }

    TClassInfo& Info() const { return *FInfo; }

private:
    TClassInfo* FInfo;
};

// A [set] of identifiers as a bit mask, names compared ignoring case; an unknown name is a description error.
unsigned SetMask(const TPropValue& value, const TLoadContext& context,
                 const std::vector<std::pair<const char*, unsigned>>& names);

// An integer that may not be negative (intervals, counts); a negative one is a description error.
unsigned NonNegative(const TPropValue& value, const TLoadContext& context);

// Registers TComponent and the classes of this library; safe to call more than once.
void RegisterDesktopClasses();
