// tests/updater/UpdateNumbersTest.cpp -- the version rule and the two files it reads
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <string>

#include "updater/UpdateNumbers.h"

namespace {

struct TVerdictCase {
    int Remote, Local;
    TUpdateVerdict Expected;
};

TEST(UpdateNumbers, UpdateIsDueExactlyWhenTheInstallationIsLowerAndBothAreKnown) {
    const TVerdictCase cases[] = {
        {6, 5, TUpdateVerdict::Due},          {5, 5, TUpdateVerdict::UpToDate},
        {4, 5, TUpdateVerdict::UpToDate},     {1, 0, TUpdateVerdict::Due},
        {0, 0, TUpdateVerdict::UpToDate},     {-1, 5, TUpdateVerdict::RemoteUnknown},
        {-1, -1, TUpdateVerdict::RemoteUnknown}, {6, -1, TUpdateVerdict::LocalUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.Expected, CompareUpdateNumbers(c.Remote, c.Local)) << c.Remote << " vs " << c.Local;
}

class UpdateFiles : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        FPath = std::string(temp) + "sx_updatenumbers.ini";
    }
    void TearDown() override { DeleteFileA(FPath.c_str()); }
    void Write(const std::string& text) { std::ofstream(FPath, std::ios::binary) << text; }
    std::string FPath;
};

TEST_F(UpdateFiles, ReadsOnlyAWholeNumberOfItsOwnSection) {
    const std::pair<const char*, int> remote[] = {
        {"[sentinox]\r\nupdate=6\r\n", 6},
        {"[Sentinox]\r\nUPDATE=7\r\n", 7},                 // the profile API ignores case
        {"[application]\r\nupdate=6\r\n", -1},             // the settings' section, not the list's
        {"[sentinox]\r\nupdate=six\r\n", -1},
        {"[sentinox]\r\nversion=6\r\n", -1},
        {"<html><body>404 Not Found</body></html>", -1},   // an error page saved as the list
        {"", -1},
    };
    for (const auto& [text, expected] : remote) {
        Write(text);
        EXPECT_EQ(expected, ReadRemoteUpdateNumber(FPath)) << text;
    }
    Write("[application]\r\nversion=3.0.6\r\nupdate=5\r\n");
    EXPECT_EQ(5, ReadLocalUpdateNumber(FPath));
    Write("[application]\r\nversion=3.0.6\r\n");
    EXPECT_EQ(-1, ReadLocalUpdateNumber(FPath));
    DeleteFileA(FPath.c_str());
    EXPECT_EQ(-1, ReadLocalUpdateNumber(FPath)) << "no settings file";
    EXPECT_EQ(-1, ReadRemoteUpdateNumber(FPath)) << "no list";
}

TEST(UpdateNumbers, SettingsFileIsNamedByTheUpperCasedUserKeyAsTheMainProgramNamesIt) {
    EXPECT_EQ("C:\\users\\me\\Documents\\JOHN_DOE2.snx", SettingsFileName("C:\\users\\me\\Documents\\", "john_Doe2"));
}

} // namespace
