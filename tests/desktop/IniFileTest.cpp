// tests/desktop/IniFileTest.cpp -- TIniFile on real files in a temp folder of each test, removed in TearDown()
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <vector>

#include "desktop/IniFile.h"
#include "desktop/StringList.h"
#include "desktop/SysUtils.h"

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteAll(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

// Another process rewrites the file, as an editor or a second copy of the program would.
void RewriteFromOtherProcess(const std::string& source, const std::string& target) {
    std::string command = "cmd.exe /c type \"" + source + "\" > \"" + target + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process))
        << GetLastError();
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_EQ(code, 0u);
}

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        FFolder = std::string(temp) + "SentinoxIniTest-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + "-" +
                  std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(FFolder.c_str(), nullptr);
        FFile = FFolder + "settings.snx";
    }
    void TearDown() override {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((FFolder + "*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                std::string path = FFolder + found.cFileName;
                DeleteFileA(path.c_str());
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(FFolder.c_str());
    }

    std::string FFolder, FFile;
};

}  // namespace

TEST_F(IniFileTest, CreatingAndReadingTouchNothingOnDisk) {
    TIniFile ini(FFile);
    EXPECT_EQ(ini.FileName(), FFile);
    EXPECT_EQ(ini.ReadString("list", "0", "defval"), "defval");
    EXPECT_EQ(ini.ReadInteger("application", "update", -1), -1);
    EXPECT_FALSE(ini.SectionExists("list"));
    EXPECT_FALSE(ini.ValueExists("list", "0"));
    TStringList keys;
    ini.ReadSection("list", keys);
    EXPECT_EQ(keys.Count(), 0);
    ini.DeleteKey("list", "0");
    EXPECT_FALSE(FileExists(FFile));
}

TEST_F(IniFileTest, ValuesRoundTripInPlainProfileText) {
    {
        TIniFile ini(FFile);
        ini.WriteString("application", "version", "3.0.6");
        ini.WriteInteger("application", "update", 5);
        ini.WriteInteger("numbers", "negative", -17);
        ini.WriteBool("settings", "sett_autorun", true);
        ini.WriteBool("settings", "sett_autoscan", false);
        ini.WriteString("list", "0", "C:\\Program Files\\Some App\\app.exe");
    }
    TIniFile ini(FFile);
    EXPECT_EQ(ini.ReadString("application", "version", ""), "3.0.6");
    EXPECT_EQ(ini.ReadInteger("application", "update", 0), 5);
    EXPECT_EQ(ini.ReadInteger("numbers", "negative", 0), -17);
    EXPECT_TRUE(ini.ReadBool("settings", "sett_autorun", false));
    EXPECT_FALSE(ini.ReadBool("settings", "sett_autoscan", true));
    EXPECT_EQ(ini.ReadString("LIST", "0", ""), "C:\\Program Files\\Some App\\app.exe") << "sections ignore case";

    std::string text = ReadAll(FFile);
    EXPECT_NE(text.find("[application]\r\nversion=3.0.6\r\nupdate=5\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("sett_autorun=1\r\nsett_autoscan=0\r\n"), std::string::npos) << text;

    const std::string longValue(5000, 'v');
    ini.WriteString("big", "value", longValue);
    EXPECT_EQ(ini.ReadString("big", "value", ""), longValue);
}

TEST_F(IniFileTest, ABrokenNumberReadsAsTheFallbackAndStaysInTheFile) {
    struct Case {
        const char* stored;
        int integer;       // ReadInteger with fallback 99
        bool boolFromTrue; // ReadBool with fallback true
    };
    const Case cases[] = {
        {"yes", 99, true}, {"1x", 99, true},  {"", 99, true},          {"0x", 99, true},
        {"12345678901", 99, true},            {"0x10", 16, true},      {"-5", -5, true},
        {"2", 2, true},    {"0", 0, false},   {"1", 1, true},
    };
    TIniFile ini(FFile);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("stored: \"") + c.stored + "\"");
        ini.WriteString("settings", "key", c.stored);
        EXPECT_EQ(ini.ReadInteger("settings", "key", 99), c.integer);
        EXPECT_EQ(ini.ReadBool("settings", "key", true), c.boolFromTrue);
        EXPECT_EQ(ini.ReadString("settings", "key", "absent"), c.stored) << "reading changed the value";
    }
    EXPECT_FALSE(ini.ReadBool("settings", "absent", false));
    EXPECT_TRUE(ini.ReadBool("settings", "absent", true));
}

TEST_F(IniFileTest, SectionsAndKeysAreListedAndRemoved) {
    WriteAll(FFile, "[list]\r\n0=a\r\n1=b\r\n3=d\r\n[empty]\r\n[other]\r\nx=1\r\n");
    TIniFile ini(FFile);
    TStringList names;
    ini.ReadSection("list", names);
    EXPECT_EQ(names.Text(), "0\r\n1\r\n3\r\n");
    ini.ReadSections(names);
    EXPECT_EQ(names.Text(), "list\r\nempty\r\nother\r\n");
    EXPECT_TRUE(ini.SectionExists("empty")) << "a section without keys exists";
    EXPECT_TRUE(ini.SectionExists("LIST"));
    EXPECT_FALSE(ini.SectionExists("missing"));
    EXPECT_TRUE(ini.ValueExists("list", "3"));
    EXPECT_FALSE(ini.ValueExists("list", "2"));
    EXPECT_FALSE(ini.ValueExists("other", "0"));

    ini.DeleteKey("list", "1");
    ini.DeleteKey("list", "7");  // absent: nothing to do
    ini.ReadSection("list", names);
    EXPECT_EQ(names.Text(), "0\r\n3\r\n");
    ini.EraseSection("list");
    EXPECT_FALSE(ini.SectionExists("list"));
    EXPECT_EQ(ini.ReadString("other", "x", ""), "1");
    ini.EraseSection("list");  // absent: nothing to do
}

// One read of a whole section must give each key what a read of that key gives: the list
// files' readers look at all slots that way and must not see a hand-edited file otherwise.
TEST_F(IniFileTest, ASectionReadGivesEveryKeyWhatReadStringGives) {
    WriteAll(FFile, "[list]\r\n"
                    "0=\"C:\\Program Files\\a.exe\"\r\n"  // quotes go, as ReadString drops them
                    "1=  spaced value  \r\n"
                    " 2 = x\r\n"
                    "3=first\r\n"
                    "3=second\r\n"                           // the first of two counts
                    "4\r\n"                                   // no "=": no value
                    "5=\r\n"
                    "6='single'\r\n"
                    "7=\"unbalanced\r\n"
                    "8=\"\r\n"
                    "Key=upper\r\n"
                    "key=lower\r\n"                           // keys ignore letter case
                    "[other]\r\n"
                    "9=elsewhere\r\n");
    TIniFile ini(FFile);
    const std::vector<TIniValue> values = ini.ReadSectionValues("LIST");
    std::string keys;
    for (const TIniValue& value : values) {
        keys += value.Key + "|";
        EXPECT_EQ(ini.ReadString("list", value.Key, "<fallback>"), value.Value) << "key " << value.Key;
    }
    EXPECT_EQ(keys, "0|1|2|3|5|6|7|8|Key|");
    EXPECT_EQ(ini.ReadString("list", "4", "<fallback>"), "<fallback>");
    EXPECT_TRUE(ini.ReadSectionValues("missing").empty());
    EXPECT_TRUE(TIniFile(FFolder + "absent.snx").ReadSectionValues("list").empty());

    // Longer than any first guess at the buffer.
    std::string big = "[big]\r\n";
    for (int i = 0; i < 300; ++i) big += std::to_string(i) + "=" + std::string(100, 'a' + i % 26) + "\r\n";
    WriteAll(FFile, big);
    const std::vector<TIniValue> many = ini.ReadSectionValues("big");
    ASSERT_EQ(many.size(), 300u);
    EXPECT_EQ(many[299].Key, "299");
    EXPECT_EQ(many[299].Value, std::string(100, 'a' + 299 % 26));
}

TEST_F(IniFileTest, AnEditByAnotherProcessIsSeenAtTheNextRead) {
    TIniFile ini(FFile);
    ini.WriteString("application", "update", "5");
    ASSERT_EQ(ini.ReadInteger("application", "update", -1), 5);

    // Same size, same second: only the file itself can tell the two versions apart.
    WriteAll(FFolder + "edit1.txt", "[application]\r\nupdate=6\r\n");
    RewriteFromOtherProcess(FFolder + "edit1.txt", FFile);
    EXPECT_EQ(ini.ReadInteger("application", "update", -1), 6);

    WriteAll(FFolder + "edit2.txt", "[application]\r\nupdate=6\r\n[list]\r\n0=C:\\added.exe\r\n");
    RewriteFromOtherProcess(FFolder + "edit2.txt", FFile);
    TStringList keys;
    ini.ReadSection("list", keys);
    EXPECT_EQ(keys.Text(), "0\r\n");
    EXPECT_EQ(ini.ReadString("list", "0", "defval"), "C:\\added.exe");
    ASSERT_EQ(ini.ReadSectionValues("list").size(), 1u);
    EXPECT_EQ(ini.ReadSectionValues("list")[0].Value, "C:\\added.exe");

    // Our write after theirs keeps their lines.
    ini.WriteString("list", "1", "C:\\ours.exe");
    std::string text = ReadAll(FFile);
    EXPECT_NE(text.find("0=C:\\added.exe"), std::string::npos) << text;
    EXPECT_NE(text.find("1=C:\\ours.exe"), std::string::npos) << text;
}

TEST_F(IniFileTest, AFailedWriteThrowsNamingTheFileAndLosesNothing) {
    WriteAll(FFile, "[list]\r\n0=keep me\r\n");
    TIniFile ini(FFile);
    {
        // Another program holds the file open for reading and lets nobody write.
        HANDLE lock = CreateFileA(FFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(lock, INVALID_HANDLE_VALUE);
        try {
            ini.WriteString("list", "1", "new");
            ADD_FAILURE() << "writing a locked file did not throw";
        } catch (const EIniFileError& e) {
            EXPECT_NE(e.Message().find(FFile), std::string::npos) << e.Message();
            EXPECT_NE(e.Code(), 0u);
        }
        EXPECT_THROW(ini.WriteBool("list", "2", true), EIniFileError);
        EXPECT_THROW(ini.EraseSection("list"), EIniFileError);
        EXPECT_THROW(ini.DeleteKey("list", "0"), EIniFileError);
        EXPECT_EQ(ini.ReadString("list", "0", "defval"), "keep me");
        CloseHandle(lock);
    }
    EXPECT_EQ(ReadAll(FFile), "[list]\r\n0=keep me\r\n");
    EXPECT_EQ(ini.ReadString("list", "1", "defval"), "defval");
    ini.WriteString("list", "1", "after the lock");
    EXPECT_EQ(ReadAll(FFile), "[list]\r\n0=keep me\r\n1=after the lock\r\n");

    TIniFile nowhere(FFolder + "no such folder\\settings.snx");
    try {
        nowhere.WriteInteger("application", "update", 5);
        ADD_FAILURE() << "writing into a missing folder did not throw";
    } catch (const EIniFileError& e) {
        EXPECT_NE(e.Message().find("no such folder\\settings.snx"), std::string::npos) << e.Message();
    }
}
