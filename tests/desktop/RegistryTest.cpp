// tests/desktop/RegistryTest.cpp -- keys under HKCU\Software\SentinoxTest\<test>-<pid>, deleted in TearDown()
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "desktop/Registry.h"
#include "desktop/StringList.h"

namespace {

// Checks go through the raw API, so TRegistry is never its own witness.
bool RawKeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

void RawDeleteTree(const std::string& path) {
    // RegDeleteTreeA is newer than our headers' API level; advapi32 of Wine and Vista+ has it.
    using DeleteTree = LONG(WINAPI*)(HKEY, LPCSTR);
    auto deleteTree = reinterpret_cast<DeleteTree>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("advapi32.dll"), "RegDeleteTreeA")));
    ASSERT_NE(deleteTree, nullptr);
    deleteTree(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\SentinoxTest");  // refused while other tests still use it
}

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
}

void ExpectRegistryError(const std::function<void()>& call, const std::string& expectedPart) {
    try {
        call();
        ADD_FAILURE() << "no ERegistryException; expected \"" << expectedPart << "\"";
    } catch (const ERegistryException& e) {
        EXPECT_NE(e.Message().find(expectedPart), std::string::npos) << e.Message();
    }
}

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPath = std::string("Software\\SentinoxTest\\") + ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                "-" + std::to_string(GetCurrentProcessId());
        RawDeleteTree(FPath);
    }
    void TearDown() override { RawDeleteTree(FPath); }

    std::string FPath;
};

}  // namespace

TEST_F(RegistryTest, OpenKeyOnAMissingKeyIsFalseUnlessItMayCreate) {
    TRegistry registry;
    EXPECT_EQ(registry.RootKey(), HKEY_CURRENT_USER);
    EXPECT_FALSE(registry.OpenKey(FPath, false));
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_FALSE(registry.KeyExists(FPath));
    EXPECT_FALSE(RawKeyExists(FPath)) << "a failed open created the key";

    ASSERT_TRUE(registry.OpenKey(FPath, true));
    EXPECT_NE(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), FPath);
    EXPECT_TRUE(RawKeyExists(FPath));
    registry.CloseKey();
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_TRUE(registry.OpenKeyReadOnly(FPath));
}

TEST_F(RegistryTest, RelativePathsGoBelowTheOpenKeyAndABackslashStartsAtTheRoot) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FPath, true));
    ASSERT_TRUE(registry.OpenKey("Sub\\Deeper\\", true));
    EXPECT_EQ(registry.CurrentPath(), FPath + "\\Sub\\Deeper");
    EXPECT_TRUE(RawKeyExists(FPath + "\\Sub\\Deeper"));
    ASSERT_TRUE(registry.OpenKey("\\" + FPath + "\\Sub", false));
    EXPECT_EQ(registry.CurrentPath(), FPath + "\\Sub");
    EXPECT_TRUE(registry.KeyExists("Deeper"));
    EXPECT_TRUE(registry.HasSubKeys());
    EXPECT_TRUE(registry.CreateKey("Other"));
    EXPECT_EQ(registry.CurrentPath(), FPath + "\\Sub") << "CreateKey moved the open key";
    EXPECT_TRUE(RawKeyExists(FPath + "\\Sub\\Other"));

    registry.SetRootKey(HKEY_LOCAL_MACHINE);  // closes the open key
    EXPECT_EQ(registry.CurrentKey(), nullptr);
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_FALSE(registry.KeyExists(FPath));
}

TEST_F(RegistryTest, EveryValueTypeReadsBackWhatWasWritten) {
    const std::string longText(10000, 'x');
    const unsigned char bytes[] = {0, 1, 2, 0xFF, 0, 0x80};
    {
        TRegistry registry;
        ASSERT_TRUE(registry.OpenKey(FPath, true));
        registry.WriteString("Path", "C:\\Program Files\\Sentinox\\sentinox.exe -s");
        registry.WriteString("Empty", "");
        registry.WriteString("Long", longText);
        registry.WriteString("", "the default value");
        registry.WriteExpandString("Expand", "%SystemRoot%\\notepad.exe");
        registry.WriteInteger("Minus", -1);
        registry.WriteInteger("Max", 0x7FFFFFFF);
        registry.WriteBool("Flag", true);
        registry.WriteBinaryData("Bytes", bytes, sizeof(bytes));
        registry.SetLazyWrite(false);
    }
    TRegistry registry(KEY_READ);
    ASSERT_TRUE(registry.OpenKey(FPath, false));
    EXPECT_EQ(registry.ReadString("Path"), "C:\\Program Files\\Sentinox\\sentinox.exe -s");
    EXPECT_EQ(registry.ReadString("Empty"), "");
    EXPECT_EQ(registry.ReadString("Long"), longText);
    EXPECT_EQ(registry.ReadString(""), "the default value");
    EXPECT_EQ(registry.ReadString("Expand"), "%SystemRoot%\\notepad.exe") << "must come back unexpanded";
    EXPECT_EQ(registry.ReadInteger("Minus"), -1);
    EXPECT_EQ(registry.ReadInteger("Max"), 0x7FFFFFFF);
    EXPECT_TRUE(registry.ReadBool("Flag"));
    EXPECT_EQ(registry.ReadBinaryData("Bytes"), std::vector<unsigned char>(bytes, bytes + sizeof(bytes)));
    unsigned char buffer[16] = {};
    EXPECT_EQ(registry.ReadBinaryData("Bytes", buffer, sizeof(buffer)), 6);
    EXPECT_EQ(std::vector<unsigned char>(buffer, buffer + 6), registry.ReadBinaryData("Bytes"));

    EXPECT_EQ(registry.GetDataType("Path"), rdString);
    EXPECT_EQ(registry.GetDataType("Expand"), rdExpandString);
    EXPECT_EQ(registry.GetDataType("Minus"), rdInteger);
    EXPECT_EQ(registry.GetDataType("Bytes"), rdBinary);
    EXPECT_EQ(registry.GetDataType("Missing"), rdUnknown);
    EXPECT_EQ(registry.GetDataSize("Bytes"), 6);
    EXPECT_EQ(registry.GetDataSize("Missing"), -1);

    // Raw writers need not store the terminating null.
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, FPath.c_str(), 0, KEY_SET_VALUE, &raw), ERROR_SUCCESS);
    RegSetValueExA(raw, "Unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
    RegCloseKey(raw);
    EXPECT_EQ(registry.ReadString("Unterminated"), "abc");
}

TEST_F(RegistryTest, AMissingValueOrAnotherTypeIsARegistryErrorNamingTheValue) {
    TRegistry registry;
    ExpectRegistryError([&] { registry.ReadString("Anything"); }, "no key is open");
    ExpectRegistryError([&] { registry.WriteString("Anything", "x"); }, "Failed to set data for 'Anything'");
    ASSERT_TRUE(registry.OpenKey(FPath, true));
    registry.WriteString("Text", "12");
    registry.WriteInteger("Number", 12);
    registry.WriteBinaryData("Bytes", "abcd", 4);

    ExpectRegistryError([&] { registry.ReadString("Missing"); }, "Failed to get data for 'Missing'");
    ExpectRegistryError([&] { registry.ReadInteger("Missing"); }, "Failed to get data for 'Missing'");
    ExpectRegistryError([&] { registry.ReadBinaryData("Missing"); }, "Failed to get data for 'Missing'");
    ExpectRegistryError([&] { registry.ReadInteger("Text"); }, "Invalid data type for 'Text'");
    ExpectRegistryError([&] { registry.ReadBool("Bytes"); }, "Invalid data type for 'Bytes'");
    ExpectRegistryError([&] { registry.ReadString("Number"); }, "Invalid data type for 'Number'");
    ExpectRegistryError([&] { registry.ReadString("Bytes"); }, "Invalid data type for 'Bytes'");
    ExpectRegistryError([&] { registry.ReadBinaryData("Text"); }, "Invalid data type for 'Text'");
    char small[3];
    ExpectRegistryError([&] { registry.ReadBinaryData("Bytes", small, sizeof(small)); }, "'Bytes'");
    EXPECT_EQ(registry.ReadString("Text"), "12") << "a failed read changed the value";

    ASSERT_TRUE(registry.OpenKeyReadOnly("\\" + FPath));
    ExpectRegistryError([&] { registry.WriteString("Text", "changed"); }, "Failed to set data for 'Text'");
    ExpectRegistryError([&] { registry.WriteInteger("New", 1); }, "Failed to set data for 'New'");
    EXPECT_EQ(registry.ReadString("Text"), "12");
    EXPECT_FALSE(registry.ValueExists("New"));
}

TEST_F(RegistryTest, ValueAndKeyNamesAreListedAndDeleted) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FPath, true));
    TStringList names;
    registry.GetValueNames(names);
    EXPECT_EQ(names.Count(), 0);
    registry.WriteString("alpha", "1");
    registry.WriteInteger("Beta", 2);
    registry.WriteString(std::string(200, 'n'), "long name");
    EXPECT_TRUE(registry.CreateKey("KeyOne"));
    EXPECT_TRUE(registry.CreateKey("KeyTwo\\Below"));

    registry.GetValueNames(names);
    names.SetSorted(true);
    EXPECT_EQ(Items(names), (std::vector<std::string>{"alpha", "Beta", std::string(200, 'n')}));
    registry.GetKeyNames(names);
    EXPECT_EQ(Items(names), (std::vector<std::string>{"KeyOne", "KeyTwo"}));

    EXPECT_TRUE(registry.ValueExists("ALPHA")) << "value names ignore letter case";
    EXPECT_TRUE(registry.DeleteValue("alpha"));
    EXPECT_FALSE(registry.DeleteValue("alpha"));
    EXPECT_FALSE(registry.ValueExists("alpha"));
    registry.GetValueNames(names);
    EXPECT_EQ(names.Count(), 2);
}

TEST_F(RegistryTest, DeleteKeyTakesEverySubkeyWithIt) {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey(FPath + "\\Tree\\A\\B", true));
    registry.WriteString("value", "deep");
    ASSERT_TRUE(registry.OpenKey("\\" + FPath + "\\Tree\\C", true));
    registry.CloseKey();

    EXPECT_TRUE(registry.DeleteKey(FPath + "\\Tree"));
    EXPECT_FALSE(RawKeyExists(FPath + "\\Tree"));
    EXPECT_TRUE(RawKeyExists(FPath));
    EXPECT_FALSE(registry.DeleteKey(FPath + "\\Tree")) << "deleting a missing key reported success";

    ASSERT_TRUE(registry.OpenKey(FPath, false));
    EXPECT_FALSE(registry.DeleteKey("")) << "an empty path would name the open key itself";
    EXPECT_TRUE(RawKeyExists(FPath));
}
