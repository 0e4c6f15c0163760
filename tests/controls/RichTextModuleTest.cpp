// tests/controls/RichTextModuleTest.cpp -- the rich-edit library loaded and the rich-text
// clipboard formats registered, counted starts and stops, a missing library; the control
// family's classes registered for window descriptions
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "controls/RichTextModule.h"
#include "desktop/Classes.h"

namespace {

std::string FormatName(UINT format) {
    char name[128] = {};
    int n = GetClipboardFormatNameA(format, name, sizeof(name));
    return std::string(name, static_cast<size_t>(n > 0 ? n : 0));
}

UINT CurrentErrorMode() {
    UINT mode = SetErrorMode(0);
    SetErrorMode(mode);
    return mode;
}

TEST(RichTextModule, StartLoadsTheLibraryAndRegistersTheClipboardFormats) {
    SetErrorMode(SEM_FAILCRITICALERRORS);
    ASSERT_EQ(GetModuleHandleA("riched20.dll"), nullptr);
    StartRichTextModule();
    EXPECT_EQ(CurrentErrorMode(), static_cast<UINT>(SEM_FAILCRITICALERRORS));
    ASSERT_NE(RichEditModule(), nullptr);
    EXPECT_EQ(RichEditModule(), GetModuleHandleA("riched20.dll"));
    EXPECT_EQ(RichEditVersion(), 3);         // the second library on an NT system of major version 5 or later
    const TRichTextClipboardFormats& f = RichTextClipboardFormats();
    const std::pair<UINT, const char*> formats[] = {
        {f.EmbeddedObject, "Embedded Object"}, {f.LinkSource, "Link Source"}, {f.RichText, "Rich Text Format"},
        {f.RichTextWithoutObjects, "Rich Text Format Without Objects"}};
    for (const auto& [id, name] : formats) {
        EXPECT_GE(id, 0xC000u) << name;
        EXPECT_EQ(FormatName(id), name);
        EXPECT_EQ(RegisterClipboardFormatA(name), id);
    }

    StartRichTextModule();                   // a second start changes nothing, and needs a second stop
    StopRichTextModule();
    EXPECT_NE(GetModuleHandleA("riched20.dll"), nullptr);
    StopRichTextModule();
    EXPECT_EQ(RichEditModule(), nullptr);
    EXPECT_EQ(GetModuleHandleA("riched20.dll"), nullptr);
    StopRichTextModule();                    // one stop too many is harmless
    SetErrorMode(0);
}

TEST(RichTextModule, MissingLibrariesLeaveNoModuleAndVersionOne) {
    TRichEditLibrary none = LoadRichEditLibrary("sx-no-such-riched20.dll", "sx-no-such-riched32.dll");
    EXPECT_EQ(none.Module, nullptr);
    EXPECT_EQ(none.Version, 1);
    TRichEditLibrary first = LoadRichEditLibrary("sx-no-such-riched20.dll", "riched32.dll");
    ASSERT_NE(first.Module, nullptr);
    EXPECT_EQ(first.Version, 1);
    FreeLibrary(first.Module);
}

TEST(ControlFamily, EveryClassIsRegisteredUnderItsCustomAndItsPublishedName) {
    const char* const family[] = {"Edit", "ComboBox", "ImageListBox", "Image", "GroupBox", "ScrollBar", "DatePanel"};
    for (const char* name : family) {
        const TClassInfo* custom = FindClassInfo(std::string("TsxCustom") + name);
        const TClassInfo* published = FindClassInfo(std::string("Tsx") + name);
        ASSERT_NE(custom, nullptr) << name;
        ASSERT_NE(published, nullptr) << name;
        EXPECT_TRUE(published->InheritsFrom(custom->Name()));
    }
    EXPECT_NE(FindClassInfo("TPanel"), nullptr);
    EXPECT_NE(FindClassInfo("TUpDown"), nullptr);
}

} // namespace
