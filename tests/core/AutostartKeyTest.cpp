// tests/core/AutostartKeyTest.cpp -- command-line normalisation, the slot rule between the
// White and Black Lists, and reading and cleaning an autostart key
//
// Registry tests work in HKCU\Software\SentinoxTest\AutostartKey\<test>, deleted in TearDown;
// list files live in a folder of their own under %TEMP%.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>

#include "SleeperProcesses.h"
#include "WideValues.h"
#include "core/AutostartKey.h"
#include "desktop/IniFile.h"
#include "desktop/Registry.h"

namespace {

using TName = TAutostartKey::TValueName;

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

struct TTextCase {
    const wchar_t* Text;
    const char* Expected;
};

// Code page 1252 holds "\u00E9" but neither "\u0100" (its best fit is "A") nor "\u4E2D".
const TTextCase TextCases[] = {
    {L"C:\\Apps\\tool.exe -x", "C:\\Apps\\tool.exe -x"},
    {L"C:\\Caf\u00E9\\tool.exe", "C:\\Caf\xE9" "\\tool.exe"},
    {L"", ""},
    {L"x?", "x?"},
    {L"x\u4E2D", "x<U+4E2D>"},
    {L"C:\\\u0100\\a.exe", "C:\\<U+0100>\\a.exe"},
    {L"C:\\\u00E9\u4E2D\\a.exe", "C:\\\xE9" "<U+4E2D>\\a.exe"},
    // A pair of surrogates is one character; a lone one is kept as it is.
    {L"x\U0001F600y", "x<U+1F600>y"},
    {L"x\xD800y", "x<U+D800>y"},
    // Text that reads like an escape has its "<" escaped, so it stays apart from the character.
    {L"x<U+4E2D>", "x<U+003C>U+4E2D>"},
    {L"x<u+4e2d>", "x<U+003C>u+4e2d>"},
    {L"<U+", "<U+003C>U+"},
    {L"a<b> <U", "a<b> <U"},
};

TEST(AutostartText, IsTheAnsiTextWhereItConvertsAndEscapesWhatItCannotHold) {
    if (GetACP() != 1252) GTEST_SKIP() << "the cases are written for code page 1252, this is " << GetACP();
    for (const TTextCase& c : TextCases)
        EXPECT_EQ(c.Expected, AutostartText(c.Text)) << "case giving " << c.Expected;
}

TEST(AutostartText, NeverGivesTwoTextsTheSameForm) {
    const std::wstring texts[] = {L"x?", L"x\u4E2D", L"x\u4E01", L"x<U+4E2D>", L"x<U+003C>U+4E2D>", L"xA", L"x\u0100"};
    for (const std::wstring& a : texts)
        for (const std::wstring& b : texts)
            if (a != b) {
                EXPECT_NE(AutostartText(a), AutostartText(b)) << AutostartText(a);
            }
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
        std::vector<std::string> names;
        for (const TAutostartKey::TValueName& name : key.Names()) names.push_back(name.Text());
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
    ASSERT_TRUE(key.ReadCommandLine(TName(L"quoted"), commandLine));
    EXPECT_EQ(R"(C:\Program Files\Tool\tool.exe)", commandLine);
    ASSERT_TRUE(key.ReadCommandLine(TName(L"expand"), commandLine));
    EXPECT_EQ(R"(%SystemRoot%\helper.exe)", commandLine);
    for (const wchar_t* name : {L"number", L"bytes", L"empty", L"quotes only"})
        EXPECT_FALSE(key.ReadCommandLine(TName(name), commandLine)) << TName(name).Text();
}

TEST_F(AutostartKeyTest, AValueOfAnyLengthIsReadWhole) {
    // Around the length one query reads, and far past it.
    for (const size_t folderLength : {1023u, 1024u, 1025u, 1026u, 5000u}) {
        const std::string folder = "C:\\" + std::string(folderLength, 'a');
        FRegistry.WriteString("long", folder + "\\tool.exe -x");
        TAutostartKey key(HKEY_CURRENT_USER, FPath);
        std::string commandLine;
        ASSERT_TRUE(key.ReadCommandLine(TName(L"long"), commandLine)) << folderLength;
        EXPECT_EQ(folder + "\\tool.exe", commandLine) << folderLength;
    }
}

TEST_F(AutostartKeyTest, AValueDeletedAfterTheNamesWereTakenIsSkipped) {
    FRegistry.WriteString("going", R"(C:\a.exe)");
    TAutostartKey key(HKEY_CURRENT_USER, FPath);
    ASSERT_EQ(1u, key.Names().size());
    FRegistry.DeleteValue("going");
    std::string commandLine;
    EXPECT_FALSE(key.ReadCommandLine(TName(L"going"), commandLine));
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

// Names and command lines the ANSI code page cannot hold: read as "?" they would be one value.
class AutostartKeyWideTest : public AutostartKeyTest {
protected:
    void SetUp() override {
        AutostartKeyTest::SetUp();
        ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, FPath, L"x?", L"C:\\Apps\\Good\\good.exe"));
        ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, FPath, L"x\u4E2D", L"\"C:\\Apps\\Evil\\evil.exe\" -hide"));
        ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, FPath, L"x\u4E01", L"C:\\Apps\\\u4E2D\\tool.exe"));
        ASSERT_TRUE(WriteWideString(HKEY_CURRENT_USER, FPath, L"lossy", L"C:\\Apps\\?\\tool.exe"));
    }
    std::string CommandLineOf(const TAutostartKey& key, const TName& name) {
        std::string commandLine;
        EXPECT_TRUE(key.ReadCommandLine(name, commandLine)) << name.Text();
        return commandLine;
    }
    const std::string NonAnsiTool = "C:\\Apps\\" + AutostartText(L"\u4E2D") + "\\tool.exe";
};

TEST_F(AutostartKeyWideTest, EveryValueIsSeenUnderANameOfItsOwnWithItsOwnCommandLine) {
    const TAutostartKey key(HKEY_CURRENT_USER, FPath);
    std::vector<std::string> expected = {AutostartText(L"x\u4E01"), AutostartText(L"x\u4E2D"), "lossy", "x?"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, ValueNames());
    EXPECT_EQ("C:\\Apps\\Good\\good.exe", CommandLineOf(key, TName(L"x?")));
    EXPECT_EQ("C:\\Apps\\Evil\\evil.exe", CommandLineOf(key, TName(L"x\u4E2D")));
    EXPECT_EQ(NonAnsiTool, CommandLineOf(key, TName(L"x\u4E01")));
    EXPECT_EQ("C:\\Apps\\?\\tool.exe", CommandLineOf(key, TName(L"lossy")));
}

TEST_F(AutostartKeyWideTest, ACommandLineTheCodePageCannotHoldIsNotWhiteByItsLossyForm) {
    TSleeperProcesses folder;   // only its folder
    TIniFile white(folder.Folder() + "TESTER_white.snx"), black(folder.Folder() + "TESTER_black.snx");
    white.WriteString("list", "0", "C:\\Apps\\?\\tool.exe");
    const TAutostartKey key(HKEY_CURRENT_USER, FPath);
    EXPECT_EQ(TListVerdict::New, SortCommandLine(white, black, CommandLineOf(key, TName(L"x\u4E01"))));
    // Decided on as it is: the form it was listed under finds it again.
    black.WriteString("list", "0", NonAnsiTool);
    EXPECT_EQ(TListVerdict::Black, SortCommandLine(white, black, CommandLineOf(key, TName(L"x\u4E01"))));
}

TEST_F(AutostartKeyWideTest, RemovesTheMatchingValueByItsOwnName) {
    TAutostartKey key(HKEY_CURRENT_USER, FPath, true);
    EXPECT_EQ(1, key.RemoveValuesContaining("C:\\Apps\\Evil\\evil.exe"));
    EXPECT_EQ(1, key.RemoveValuesContaining(NonAnsiTool));
    const std::map<std::wstring, std::wstring> expected = {{L"x?", L"C:\\Apps\\Good\\good.exe"},
                                                           {L"lossy", L"C:\\Apps\\?\\tool.exe"}};
    EXPECT_EQ(expected, WideValues(HKEY_CURRENT_USER, FPath));
}

TEST(AutostartKeyPath, NamesRunAndRunOnce) {
    EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion\\Run", AutostartKeyPath(false));
    EXPECT_EQ("Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", AutostartKeyPath(true));
}

} // namespace
