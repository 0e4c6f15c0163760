// tests/desktop/SysUtilsTest.cpp -- the file-name parts, the existence tests on a real folder under
// %TEMP%, and the system's version against the platform's other way of asking
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "desktop/SysUtils.h"

namespace {

TEST(SysUtilsTest, FileNameAndFolderPartsSplitAtTheLastBackslashOrColonOnly) {
    const struct {
        const char* Path;
        const char* Name;
        const char* Folder;
    } cases[] = {
        {"C:\\Program Files\\app.exe", "app.exe", "C:\\Program Files\\"},
        {"C:app.exe", "app.exe", "C:"},
        {"app.exe", "app.exe", ""},
        {"C:\\dir\\", "", "C:\\dir\\"},
        {"dir/sub/app.exe", "dir/sub/app.exe", ""},   // a slash is part of the name
        {"C:\\dir/app.exe -run", "dir/app.exe -run", "C:\\"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNamePart(c.Path), c.Name) << c.Path;
        EXPECT_EQ(FolderPart(c.Path), c.Folder) << c.Path;
        EXPECT_EQ(FolderPart(c.Path) + FileNamePart(c.Path), c.Path) << "the parts make the whole";
    }
}

class ExistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        FFolder = std::string(temp) + "SentinoxSysUtilsTest_" + std::to_string(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr));
        FFile = FFolder + "\\a.txt";
        HANDLE file = CreateFileA(FFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
    void TearDown() override {
        DeleteFileA(FFile.c_str());
        RemoveDirectoryA(FFolder.c_str());
    }
    std::string FFolder, FFile;
};

TEST_F(ExistenceTest, AFileIsNoFolderAndAFolderIsNoFile) {
    const struct {
        std::string Path;
        bool File, Folder;
    } cases[] = {
        {FFile, true, false},
        {FFolder, false, true},
        {FFolder + "\\", false, true},
        {FFolder + "\\missing.txt", false, false},
        {FFile + "\\below-a-file", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileExists(c.Path), c.File) << c.Path;
        EXPECT_EQ(DirectoryExists(c.Path), c.Folder) << c.Path;
    }
}

TEST(SysUtilsTest, TheSystemsVersionAgreesWithGetVersion) {
    const OSVERSIONINFOA& version = OsVersion();
    ASSERT_NE(version.dwPlatformId, 0u);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    const DWORD packed = GetVersion();
#pragma GCC diagnostic pop
    EXPECT_EQ(version.dwMajorVersion, LOBYTE(LOWORD(packed)));
    EXPECT_EQ(version.dwMinorVersion, HIBYTE(LOWORD(packed)));
    // The top bit of GetVersion is set on the 95 family only.
    EXPECT_EQ(version.dwPlatformId == VER_PLATFORM_WIN32_NT, (packed & 0x80000000u) == 0);
    EXPECT_EQ(&OsVersion(), &version) << "asked once";
}

} // namespace
