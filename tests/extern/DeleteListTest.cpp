// tests/extern/DeleteListTest.cpp -- what del.exe counts as an absolute path, and that nothing
// else is deleted, however the working folder lies
//
// The list and its files live in a folder of their own under %TEMP%, which is also the working
// folder while a list is worked through.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

#include "DeleteList.h"

namespace {

struct TPathCase {
    const char* Path;
    bool Absolute;
};

const TPathCase PathCases[] = {
    {R"(C:\victims\one.exe)", true},
    {R"(c:\one.exe)", true},
    {R"(C:/victims/one.exe)", true},
    {R"(C:\)", true},
    {R"(\\server\share\one.exe)", true},
    {R"(//server/share/one.exe)", true},
    {R"(\\?\C:\victims\one.exe)", true},
    {R"(C:\victims\..\one.exe)", true},
    {"canary.exe", false},
    {R"(..\other\x.dll)", false},
    {R"(.\canary.exe)", false},
    {R"(\victims\rooted.exe)", false},   // the root of whatever drive is current
    {"C:rel.exe", false},                // the current folder of drive C:
    {"C:", false},
    {R"(1:\x.exe)", false},
    {R"(\\server)", false},
    {R"(\\server\)", false},
    {R"(\\\share\x.exe)", false},
    {"", false},
};

TEST(IsAbsolutePath, OnlyADriveWithItsRootOrAServerWithAShare) {
    for (const TPathCase& c : PathCases) EXPECT_EQ(c.Absolute, IsAbsolutePath(c.Path)) << c.Path;
}

class DeleteListTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        FFolder = std::string(temp) + "sxdel." + std::to_string(GetCurrentProcessId()) + "\\";
        ASSERT_TRUE(CreateDirectoryA(FFolder.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        ASSERT_TRUE(CreateDirectoryA((FFolder + "work").c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
        GetCurrentDirectoryA(MAX_PATH, FPrevious);
        ASSERT_TRUE(SetCurrentDirectoryA((FFolder + "work").c_str()));
    }
    void TearDown() override {
        SetCurrentDirectoryA(FPrevious);
        for (const std::string& file : FFiles) DeleteFileA(file.c_str());
        RemoveDirectoryA((FFolder + "work").c_str());
        RemoveDirectoryA(FFolder.c_str());
    }
    std::string File(const std::string& relative) {
        const std::string path = FFolder + relative;
        std::ofstream(path, std::ios::binary) << relative;
        FFiles.push_back(path);
        return path;
    }
    static bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

    std::string FFolder;
    char FPrevious[MAX_PATH] = {};
    std::vector<std::string> FFiles;
};

TEST_F(DeleteListTest, RelativeEntriesStayListedAndTheirNamesakesStay) {
    const std::string canary = File("work\\canary.exe"), above = File("x.dll"), absolute = File("one.exe");
    const std::string listFile = File("TESTER_delete.snx");
    WritePrivateProfileStringA("list", "0", "canary.exe", listFile.c_str());
    WritePrivateProfileStringA("list", "3", "..\\x.dll", listFile.c_str());
    WritePrivateProfileStringA("list", "7", absolute.c_str(), listFile.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, listFile.c_str());

    TDeleteList list(listFile);
    const std::vector<TDeleteList::TKeptPath> kept = list.DeleteAll();
    ASSERT_EQ(2u, kept.size());
    EXPECT_EQ("canary.exe", kept[0].Path);
    EXPECT_EQ("..\\x.dll", kept[1].Path);
    for (const TDeleteList::TKeptPath& entry : kept) EXPECT_EQ("not an absolute path", entry.Reason) << entry.Path;
    EXPECT_TRUE(Exists(canary));
    EXPECT_TRUE(Exists(above));
    EXPECT_FALSE(Exists(absolute));
    EXPECT_EQ((std::vector<std::string>{"canary.exe", "..\\x.dll"}), list.ReadPaths()) << "kept from slot 0 on";
}

} // namespace
