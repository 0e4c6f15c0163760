// desktop/DescriptionReader.cpp -- tokenizer and builder for window descriptions
#include "DescriptionReader.h"

#include <windows.h>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "Controls.h"

namespace {

class TParser {
public:
    explicit TParser(const std::string& text) : FText(text) {}

    [[noreturn]] void Fail(const std::string& what) const {
        throw EDescriptionError(Format("Description line %d: ", FLine) + what);
    }
    int Line() const { return FLine; }

    void SkipBlanks() {
        for (;;) {
            while (FPos < FText.size() && std::isspace(static_cast<unsigned char>(FText[FPos]))) {
                if (FText[FPos] == '\n') ++FLine;
                ++FPos;
            }
            if (FPos + 1 < FText.size() && FText[FPos] == '/' && FText[FPos + 1] == '/') {
                while (FPos < FText.size() && FText[FPos] != '\n') ++FPos;
                continue;
            }
            return;
        }
    }
    bool AtEnd() { SkipBlanks(); return FPos >= FText.size(); }
    char Peek() { SkipBlanks(); return FPos < FText.size() ? FText[FPos] : '\0'; }
    void Expect(char c) {
        if (Peek() != c) Fail(std::string("'") + c + "' expected");
        ++FPos;
    }
    bool Accept(char c) {
        if (Peek() != c) return false;
        ++FPos;
        return true;
    }

    // Identifiers may be dotted: Font.Name, Items.Strings.
    std::string Ident() {
        SkipBlanks();
        size_t b = FPos;
        while (FPos < FText.size() && (std::isalnum(static_cast<unsigned char>(FText[FPos])) || FText[FPos] == '_' ||
                                       (FText[FPos] == '.' && FPos > b)))
            ++FPos;
        if (b == FPos) Fail("identifier expected");
        return FText.substr(b, FPos - b);
    }
    bool PeekWord(const char* word) {
        SkipBlanks();
        size_t n = std::strlen(word);
        if (FText.compare(FPos, n, word) != 0) return false;
        size_t after = FPos + n;
        return after >= FText.size() || !(std::isalnum(static_cast<unsigned char>(FText[after])) || FText[after] == '_');
    }

    std::string StringValue() {
        std::string s;
        for (;;) {
            SkipBlanks();
            bool any = false;
            while (FPos < FText.size() && (FText[FPos] == '\'' || FText[FPos] == '#')) {
                any = true;
                if (FText[FPos] == '\'') {
                    ++FPos;
                    for (;;) {
                        if (FPos >= FText.size() || FText[FPos] == '\n') Fail("unterminated string");
                        if (FText[FPos] == '\'') {
                            if (FPos + 1 < FText.size() && FText[FPos + 1] == '\'') { s += '\''; FPos += 2; continue; }
                            ++FPos;
                            break;
                        }
                        s += FText[FPos++];
                    }
                } else {
                    ++FPos;
                    size_t b = FPos;
                    while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
                    if (b == FPos) Fail("character code expected after #");
                    int code = std::atoi(FText.substr(b, FPos - b).c_str());
                    if (code > 255) Fail("character code above 255");
                    s += static_cast<char>(code);
                }
            }
            if (!any) Fail("string expected");
            if (!Accept('+')) return s;
        }
    }

    TPropValue Value() {
        TPropValue v;
        char c = Peek();
        if (c == '\'' || c == '#') {
            v.Kind = TPropValue::TKind::String;
            v.Str = StringValue();
        } else if (c == '-' || c == '$' || std::isdigit(static_cast<unsigned char>(c))) {
            Number(v);
        } else if (c == '[') {
            ++FPos;
            v.Kind = TPropValue::TKind::Set;
            if (!Accept(']')) {
                do v.Items.push_back(Ident()); while (Accept(','));
                Expect(']');
            }
        } else if (c == '(') {
            ++FPos;
            v.Kind = TPropValue::TKind::List;
            while (!Accept(')')) v.Items.push_back(StringValue());
        } else if (c == '{') {
            ++FPos;
            v.Kind = TPropValue::TKind::Binary;
            int nibbles = 0, byte = 0;
            for (;;) {
                if (FPos >= FText.size()) Fail("unterminated binary data");
                char h = FText[FPos++];
                if (h == '}') break;
                if (h == '\n') { ++FLine; continue; }
                if (std::isspace(static_cast<unsigned char>(h))) continue;
                if (!std::isxdigit(static_cast<unsigned char>(h))) Fail("hex digit expected in binary data");
                byte = byte * 16 + (std::isdigit(static_cast<unsigned char>(h)) ? h - '0' : (std::toupper(h) - 'A' + 10));
                if (++nibbles == 2) { v.Data.push_back(static_cast<unsigned char>(byte)); nibbles = 0; byte = 0; }
            }
            if (nibbles) Fail("odd number of hex digits in binary data");
        } else if (c == '<') {
            Fail("collections are not supported");
        } else {
            v.Kind = TPropValue::TKind::Ident;
            v.Str = Ident();
        }
        return v;
    }

private:
    void Number(TPropValue& v) {
        size_t b = FPos;
        bool negative = FText[FPos] == '-';
        if (negative) ++FPos;
        if (FPos < FText.size() && FText[FPos] == '$') {
            ++FPos;
            size_t h = FPos;
            while (FPos < FText.size() && std::isxdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
            if (h == FPos) Fail("hex digits expected");
            v.Kind = TPropValue::TKind::Integer;
            v.Int = static_cast<long long>(std::strtoull(FText.substr(h, FPos - h).c_str(), nullptr, 16));
            if (negative) v.Int = -v.Int;
            return;
        }
        while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
        bool isFloat = false;
        if (FPos < FText.size() && FText[FPos] == '.' && FPos + 1 < FText.size() &&
            std::isdigit(static_cast<unsigned char>(FText[FPos + 1]))) {
            isFloat = true;
            ++FPos;
            while (FPos < FText.size() && std::isdigit(static_cast<unsigned char>(FText[FPos]))) ++FPos;
        }
        std::string digits = FText.substr(b, FPos - b);
        if (digits == "-" || digits.empty()) Fail("number expected");
        if (isFloat) {
            v.Kind = TPropValue::TKind::Float;
            v.Float = std::strtod(digits.c_str(), nullptr);
        } else {
            v.Kind = TPropValue::TKind::Integer;
            v.Int = std::strtoll(digits.c_str(), nullptr, 10);
        }
    }

    const std::string& FText;
    size_t FPos = 0;
    int FLine = 1;
};

class TBuilder {
public:
    TBuilder(TParser& parser, TComponent* root, const TClassInfo& rootClass) : FParser(parser) {
        FContext.Root = root;
        FContext.RootClass = &rootClass;
    }

    void ReadRoot() {
        if (!FParser.PeekWord("object")) FParser.Fail("'object' expected");
        FParser.Ident();
        std::string name = FParser.Ident();
        FParser.Expect(':');
        std::string cls = FParser.Ident();
        TComponent* root = FContext.Root;
        if (!FContext.RootClass->InheritsFrom(cls))
            FParser.Fail("description of " + cls + " applied to " + FContext.RootClass->Name());
        root->BeginLoading();
        root->SetName(name);
        FLoaded.push_back(root);
        ReadBody(root, *FContext.RootClass, name);
        if (!FParser.AtEnd()) FParser.Fail("text after the final 'end'");
        if (auto* control = dynamic_cast<TControl*>(root)) control->CreateMissingWindows();
        BindFields();
        for (TComponent* c : FLoaded) c->Loaded();
    }

private:
    void ReadBody(TComponent* component, const TClassInfo& info, const std::string& path) {
        for (;;) {
            if (FParser.AtEnd()) FParser.Fail("'end' expected for " + path);
            if (FParser.PeekWord("end")) { FParser.Ident(); return; }
            if (FParser.PeekWord("object")) { ReadChild(component, path); continue; }
            std::string prop = FParser.Ident();
            FParser.Expect('=');
            TPropValue value = FParser.Value();
            const TPropertySetter* setter = info.FindProperty(prop);
            if (!setter) FParser.Fail("property " + info.Name() + "." + prop + " does not exist (" + path + ")");
            FContext.Where = path + "." + prop;
            try {
                (*setter)(component, value, FContext);
            } catch (const EDescriptionError& e) {
                FParser.Fail(FContext.Where + ": " + e.Message());
            }
        }
    }

    void ReadChild(TComponent* container, const std::string& path) {
        FParser.Ident();
        std::string name = FParser.Ident();
        FParser.Expect(':');
        std::string cls = FParser.Ident();
        const TClassInfo* info = FindClassInfo(cls);
        if (!info) FParser.Fail("Class " + cls + " not found (" + path + "." + name + ")");
        TComponent* child = nullptr;
        try {
            child = info->Create(FContext.Root);
        } catch (const EDescriptionError& e) {
            FParser.Fail(e.Message());
        }
        child->BeginLoading();
        child->SetName(name);
        if (auto* control = dynamic_cast<TControl*>(child)) {
            if (auto* parent = dynamic_cast<TControl*>(container)) control->SetParent(parent);
        } else {
            try {
                child->SetParentComponent(container);
            } catch (const EDescriptionError& e) {
                FParser.Fail(e.Message());
            }
        }
        FLoaded.push_back(child);
        ReadBody(child, *info, FContext.RootClass->Name() + "." + name);
    }

    void BindFields() {
        for (const TClassInfo* c = FContext.RootClass; c; c = c->Parent())
            BindFieldsOf(*c);
    }

    void BindFieldsOf(const TClassInfo& info) {
        for (const auto& [field, assign] : info.Fields()) {
            TComponent* component = FContext.Root->FindComponent(field);
            if (!component)
                throw EDescriptionError(FContext.RootClass->Name() + ": component " + field + " is not in the description");
            if (!assign(FContext.Root, component))
                throw EDescriptionError(FContext.RootClass->Name() + ": component " + field + " has the wrong class");
        }
    }

    TParser& FParser;
    TLoadContext FContext;
    std::vector<TComponent*> FLoaded;
};

} // namespace

void LoadDescription(TComponent* root, const TClassInfo& rootClass, const std::string& text) {
    TParser parser(text);
    TBuilder(parser, root, rootClass).ReadRoot();
}

std::string DescriptionResource(const std::string& className) {
    std::string name = UpperCaseAscii(className);
    HRSRC res = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!res) throw EDescriptionError("Resource " + name + " not found");
    HGLOBAL data = LoadResource(nullptr, res);
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!bytes) throw EDescriptionError("Resource " + name + " cannot be loaded");
    return std::string(bytes, SizeofResource(nullptr, res));
}

std::string BinaryValueText(const std::vector<unsigned char>& data) {
    constexpr size_t BytesPerLine = 32;
    static const char digits[] = "0123456789ABCDEF";
    std::string text = "{";
    for (size_t i = 0; i < data.size(); ++i) {
        if (i % BytesPerLine == 0) text += "\n  ";
        text += digits[data[i] >> 4];
        text += digits[data[i] & 15];
    }
    text += "}";
    return text;
}
