// tests/core/IEButtonTest.cpp -- the Internet Explorer button key under HKEY_LOCAL_MACHINE
#include <gtest/gtest.h>

#include "core/IEButton.h"
#include "desktop/Registry.h"
#include "desktop/StringList.h"

namespace {

class IEButtonTest : public ::testing::Test {
protected:
    void SetUp() override { DeleteButtonKey(); }
    void TearDown() override { DeleteButtonKey(); }
    static void DeleteButtonKey() {
        TRegistry reg;
        reg.SetRootKey(HKEY_LOCAL_MACHINE);
        reg.DeleteKey(std::string("\\") + IEButtonKey);
    }
};

// The button key, open for reading.
class TButtonKey : public TRegistry {
public:
    TButtonKey() : TRegistry(KEY_READ) {
        SetRootKey(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(OpenKeyReadOnly(IEButtonKey));
    }
};

TEST_F(IEButtonTest, ShownWritesTheEightValuesForTheProgram) {
    ASSERT_TRUE(ApplyIEButton(true, "C:\\Program Files\\Sentinox\\sentinox.exe"));
    TButtonKey reg;
    EXPECT_EQ("Remove useless applications with Sentinox", reg.ReadString("ButtonText"));
    EXPECT_EQ("{1FBA04EE-3024-11D2-8F1F-0000F87ABD16}", reg.ReadString("CLSID"));
    EXPECT_EQ("Yes", reg.ReadString("Default Visible"));
    EXPECT_EQ("C:\\Program Files\\Sentinox\\sentinox.exe", reg.ReadString("Exec"));
    EXPECT_EQ("C:\\Program Files\\Sentinox\\sentinox.ico", reg.ReadString("HotIcon"));
    EXPECT_EQ("C:\\Program Files\\Sentinox\\sentinoxbw.ico", reg.ReadString("Icon"));
    EXPECT_EQ("Sentinox", reg.ReadString("MenuStatusBar"));
    EXPECT_EQ("&Sentinox - protection against useless applications.", reg.ReadString("MenuText"));
    EXPECT_EQ(rdString, reg.GetDataType("Exec"));
}

TEST_F(IEButtonTest, HiddenRemovesOnlyTheClsid) {
    ASSERT_TRUE(ApplyIEButton(true, "C:\\S\\sentinox.exe"));
    ASSERT_TRUE(ApplyIEButton(false, "C:\\S\\sentinox.exe"));
    TButtonKey reg;
    EXPECT_FALSE(reg.ValueExists("CLSID"));
    EXPECT_EQ("C:\\S\\sentinox.exe", reg.ReadString("Exec"));
    EXPECT_EQ("Remove useless applications with Sentinox", reg.ReadString("ButtonText"));
}

TEST_F(IEButtonTest, HiddenWithNoKeyLeavesAnEmptyKey) {
    ASSERT_TRUE(ApplyIEButton(false, "C:\\S\\sentinox.exe"));
    TButtonKey reg;
    TStringList names;
    reg.GetValueNames(names);
    EXPECT_EQ(0, names.Count());
}

} // namespace
