// tests/zip/ZpPlatformTest.cpp -- the platform seam: files found whatever the letter case of their names
#include "ZipTestSupport.h"
#include "ZpPlatform.h"
#include "ZpTypes.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

// The engine's own form of a path below the scratch folder.
std::string EnginePath(const zt::TScratch& scratch, const std::string& relative) {
    std::string s = scratch / relative;
    for (char& c : s)
        if (c == '/') c = '\\';
    return s;
}

} // namespace

// Many files made, renamed and removed one after another in one folder: each change of the engine's
// own must be seen by the next lookup under any case, and a file another program makes must be seen too.
TEST(ZpPlatformTest, NamesAreFoundWhateverTheirCaseThroughEveryChange) {
    zt::TScratch scratch;
    auto path = [&](const std::string& relative) { return EnginePath(scratch, relative); };
    ASSERT_TRUE(zp::platform::CreateDir(path("Items")));
    for (int i = 0; i < 50; ++i) {
        std::string n = std::to_string(i);
        std::string temp;
        ASSERT_TRUE(zp::platform::CreateTempFile(path("items"), "~sx", temp)) << i;
        ASSERT_EQ(zp::platform::FileAttributes(path("ITEMS\\File" + n + ".TXT")), -1) << i;
        ASSERT_TRUE(zp::platform::MoveReplacing(temp, path("items\\File" + n + ".txt"))) << i;
        EXPECT_TRUE(zp::platform::FileExists(path("ITEMS\\FILE" + n + ".TXT"))) << i;
        EXPECT_FALSE(zp::platform::FileExists(temp)) << i;
    }
    // A rename onto another case of an existing name replaces that file, it does not add one.
    std::unique_ptr<TZpStream> made = zp::platform::OpenFile(path("items\\new.txt"), fmCreate);
    ASSERT_TRUE(made);
    made->Write("new", 3);
    made.reset();
    ASSERT_TRUE(zp::platform::MoveReplacing(path("ITEMS\\NEW.TXT"), path("Items\\FILE7.TXT")));
    EXPECT_EQ(zt::ReadFile(scratch.Path() / "Items" / "File7.txt"), "new");
    EXPECT_FALSE(zp::platform::FileExists(path("items\\new.txt")));
    std::vector<zp::platform::TFolderEntry> entries;
    ASSERT_TRUE(zp::platform::ListFolder(path("items"), entries));
    EXPECT_EQ(entries.size(), 50u);

    ASSERT_TRUE(zp::platform::RemoveFile(path("items\\file3.TXT")));
    EXPECT_FALSE(zp::platform::FileExists(path("Items\\File3.txt")));
    EXPECT_EQ(zp::platform::FileAttributes(path("items\\file3.txt")), -1);

    // Another program's change: the folder's time set well back first, so the change moves it on.
    // (Wine does not set a folder's time; Win32 finds any case by itself, there is nothing to keep.)
    std::error_code ignored;
    zt::fs::last_write_time(scratch.Path() / "Items", zt::fs::file_time_type::clock::now() - std::chrono::hours(48), ignored);
    EXPECT_FALSE(zp::platform::FileExists(path("items\\foreign.txt")));
    zt::WriteFile(scratch.Path() / "Items" / "Foreign.Txt", "theirs");
    EXPECT_TRUE(zp::platform::FileExists(path("ITEMS\\FOREIGN.TXT")));
    EXPECT_GE(zp::platform::FileAttributes(path("items\\foreign.txt")), 0);
}

// A read that fails is told from one that meets the end of the file.
TEST(ZpPlatformTest, FailedReadKeepsTheSystemErrorWhereTheEndOfDataHasNone) {
    zt::TScratch scratch;
    zt::WriteFile(scratch.Path() / "data.bin", "12345");
    char buffer[16];
    std::unique_ptr<TZpStream> readable = zp::platform::OpenFile(EnginePath(scratch, "data.bin"), fmOpenRead);
    ASSERT_TRUE(readable);
    EXPECT_EQ(readable->Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(readable->ReadError(), 0);
    EXPECT_EQ(readable->Read(buffer, sizeof buffer), 0u);
    EXPECT_EQ(readable->ReadError(), 0);
    // Opened for writing only: the system refuses the read itself.
    std::unique_ptr<TZpStream> writeOnly = zp::platform::OpenFile(EnginePath(scratch, "data.bin"), fmOpenWrite);
    ASSERT_TRUE(writeOnly);
    EXPECT_EQ(writeOnly->Read(buffer, sizeof buffer), 0u);
    EXPECT_NE(writeOnly->ReadError(), 0);
}
