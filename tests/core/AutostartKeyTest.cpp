// tests/core/AutostartKeyTest.cpp -- command-line normalisation, the slot rule between the
// White and Black Lists, and reading and cleaning an autostart key
//
// Registry tests work in HKCU\Software\SentinoxTest\AutostartKey\<test>, deleted in TearDown;
// list files live in a folder of their own under %TEMP%.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

#include "SleeperProcesses.h"
#include "core/AutostartKey.h"
#include "desktop/IniFile.h"
#include "desktop/Registry.h"

namespace {

struct TNormalizeCase {
    const char* CommandLine;
    const char* Expected;
};

const TNormalizeCase NormalizeCases[] = {
    {R"("C:\Program Files\Tool\tool.exe" -start /quiet)", R"(C:\Program Files\Tool\tool.exe)"},
    {R"(C:\Tools\tool.exe)", R"(C:\Tools\tool.exe)"},
    // Upper-case extension: no cut, only the quotes go.
    {R"("C:\TOOLS\TOOL.EXE" -min)", R"(C:\TOOLS\TOOL.EXE -min)"},
    // An argument holding "\" moves the cut point into the arguments: the line comes back whole.
    {R"("C:\Tools\tool.exe" /log C:\Temp\log.txt)", R"(C:\Tools\tool.exe /log C:\Temp\log.txt)"},
    {R"(rundll32.exe shell32.dll,Control_RunDLL)", R"(rundll32.exe)"},
    {R"(C:\Windows\rundll32.exe x,y)", R"(C:\Windows\rundll32.exe)"},
    // Drive-relative: the folder part ends at the ":".
    {R"(D:setup.exe /auto)", R"(D:setup.exe)"},
    // The first ".exe" of the name part wins, even inside a longer word.
    {R"(C:\Apps\my.executor.exe)", R"(C:\Apps\my.exe)"},
    {R"(C:\Apps\plain.com -x)", R"(C:\Apps\plain.com -x)"},
    {R"('C:\Single Quoted\app.exe' -a)", R"(C:\Single Quoted\app.exe)"},
    {R"("C:\Mixed'Quotes\app.exe")", R"(C:\MixedQuotes\app.exe)"},
    {R"("")", ""},
    {R"('')", ""},
    {"", ""},
};

TEST(NormalizeCommandLine, CutsAfterTheProgramAndDropsTheQuotes) {
    for (const TNormalizeCase& c : NormalizeCases)
        EXPECT_EQ(c.Expected, NormalizeCommandLine(c.CommandLine)) << "command line: " << c.CommandLine;
}

class SortCommandLineTest : public ::testing::Test {
protected:
    SortCommandLineTest()
        : FWhite(FFolder.Folder() + "TESTER_white.snx"), FBlack(FFolder.Folder() + "TESTER_black.snx") {}
    TSleeperProcesses FFolder;   // only its folder
    TIniFile FWhite, FBlack;
};

TEST_F(SortCommandLineTest, TheLowestSlotDecidesAndTheWhiteListGoesFirstAtOneSlot) {
    struct TSlotCase {
        int WhiteSlot, BlackSlot;   // -1: not on that list
        TListVerdict Expected;
    };
    const TSlotCase cases[] = {
        {5, 2, TListVerdict::Black}, {2, 5, TListVerdict::White}, {3, 3, TListVerdict::White},
        {-1, 0, TListVerdict::Black}, {200, -1, TListVerdict::White}, {-1, 200, TListVerdict::Black},
        {-1, -1, TListVerdict::New},
    };
    const std::string program = "C:\\Apps\\tool.exe";
    for (const TSlotCase& c : cases) {
        for (int slot = 0; slot <= 200; ++slot) {
            FWhite.WriteString("list", std::to_string(slot), slot == c.WhiteSlot ? program : "C:\\w" + std::to_string(slot) + ".exe");
            FBlack.WriteString("list", std::to_string(slot), slot == c.BlackSlot ? program : "C:\\b" + std::to_string(slot) + ".exe");
        }
        EXPECT_EQ(c.Expected, SortCommandLine(FWhite, FBlack, program))
            << "white slot " << c.WhiteSlot << ", black slot " << c.BlackSlot;
    }
}

TEST_F(SortCommandLineTest, ComparesExactlyAndSkipsFreeSlots) {
    FWhite.WriteString("list", "0", "C:\\APPS\\TOOL.EXE");
    FWhite.WriteString("list", "1", "def");          // the scan's free-slot text: free
    FBlack.WriteString("list", "7", "C:\\Apps\\tool.exe");
    EXPECT_EQ(TListVerdict::Black, SortCommandLine(FWhite, FBlack, "C:\\Apps\\tool.exe"));
    EXPECT_EQ(TListVerdict::New, SortCommandLine(FWhite, FBlack, "def"));
    EXPECT_EQ(TListVerdict::New, SortCommandLine(FWhite, FBlack, "C:\\Apps\\tool.exe "));
}

TEST_F(SortCommandLineTest, AnEmptyCommandLineMatchesNoEmptiedSlot) {
    // "3=" reads back as "", not as the free-slot text.
    FWhite.WriteString("list", "3", "");
    FBlack.WriteString("list", "0", "");
    EXPECT_EQ(TListVerdict::New, SortCommandLine(FWhite, FBlack, ""));
}

class AutostartKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        FPath = std::string("Software\\SentinoxTest\\AutostartKey\\") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name();
        FRegistry.SetRootKey(HKEY_CURRENT_USER);
        ASSERT_TRUE(FRegistry.OpenKey(FPath, true));
    }
    void TearDown() override {
        FRegistry.CloseKey();
        FRegistry.DeleteKey("\\Software\\SentinoxTest\\AutostartKey");
    }
    std::vector<std::string> ValueNames() {
        TAutostartKey key(HKEY_CURRENT_USER, FPath);
        std::vector<std::string> names = key.Names();
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string FPath;
    TRegistry FRegistry;
};

TEST_F(AutostartKeyTest, ReadsTextValuesNormalisedAndSkipsWhatIsNoCommandLine) {
    FRegistry.WriteString("quoted", R"("C:\Program Files\Tool\tool.exe" -tray)");
    FRegistry.WriteExpandString("expand", R"(%SystemRoot%\helper.exe /x)");
    FRegistry.WriteInteger("number", 1);
    const unsigned char bytes[] = {'C', ':', '\\', 'a', '.', 'e', 'x', 'e'};
    FRegistry.WriteBinaryData("bytes", bytes, sizeof(bytes));
    FRegistry.WriteString("empty", "");
    FRegistry.WriteString("quotes only", R"("")");

    TAutostartKey key(HKEY_CURRENT_USER, FPath);
    ASSERT_TRUE(key.IsOpen());
    EXPECT_EQ(6u, key.Names().size());
    std::string commandLine = "untouched";
    ASSERT_TRUE(key.ReadCommandLine("quoted", commandLine));
    EXPECT_EQ(R"(C:\Program Files\Tool\tool.exe)", commandLine);
    ASSERT_TRUE(key.ReadCommandLine("expand", commandLine));
    EXPECT_EQ(R"(%SystemRoot%\helper.exe)", commandLine);
    for (const char* name : {"number", "bytes", "empty", "quotes only"})
        EXPECT_FALSE(key.ReadCommandLine(name, commandLine)) << name;
}

TEST_F(AutostartKeyTest, AValueDeletedAfterTheNamesWereTakenIsSkipped) {
    FRegistry.WriteString("going", R"(C:\a.exe)");
    TAutostartKey key(HKEY_CURRENT_USER, FPath);
    ASSERT_EQ(1u, key.Names().size());
    FRegistry.DeleteValue("going");
    std::string commandLine;
    EXPECT_FALSE(key.ReadCommandLine("going", commandLine));
}

TEST_F(AutostartKeyTest, AMissingKeyHasNoValues) {
    TAutostartKey key(HKEY_CURRENT_USER, FPath + "\\absent");
    EXPECT_FALSE(key.IsOpen());
    EXPECT_TRUE(key.Names().empty());
    EXPECT_EQ(0, TAutostartKey(HKEY_CURRENT_USER, FPath + "\\absent", true).RemoveValuesContaining("C:\\a.exe"));
}

TEST_F(AutostartKeyTest, RemovesEveryValueThatContainsThePathIgnoringCaseAndQuotes) {
    FRegistry.WriteString("exact", R"(C:\Bad\bad.exe)");
    FRegistry.WriteString("quoted upper", R"("C:\BAD\BAD.EXE" -silent)");
    FRegistry.WriteString("as argument", R"(C:\Windows\runner.exe C:\bad\Bad.exe)");
    FRegistry.WriteString("other", R"(C:\Good\good.exe)");
    FRegistry.WriteInteger("number", 7);

    TAutostartKey key(HKEY_CURRENT_USER, FPath, true);
    EXPECT_EQ(3, key.RemoveValuesContaining(R"(C:\Bad\bad.exe)"));
    EXPECT_EQ((std::vector<std::string>{"number", "other"}), ValueNames());
}

TEST_F(AutostartKeyTest, AnEmptyPathRemovesNothing) {
    FRegistry.WriteString("a", R"(C:\a.exe)");
    FRegistry.WriteString("b", R"("")");
    TAutostartKey key(HKEY_CURRENT_USER, FPath, true);
    EXPECT_EQ(0, key.RemoveValuesContaining(""));
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), ValueNames());
}

TEST(AutostartKeyPath, NamesRunAndRunOnce) {
    EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion\\Run", AutostartKeyPath(false));
    EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", AutostartKeyPath(true));
}

} // namespace
