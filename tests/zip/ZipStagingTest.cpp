// tests/zip/ZipStagingTest.cpp -- StageExtractedItems: every item decoded, no target replaced
#include "ZipArchiver.h"
#include "ZipBuilder.h"
#include "ZipTestSupport.h"
#include "ZpPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A file named as the engine names it ("\" between parts, on every platform).
std::string ReadEngineFile(const std::string& path) {
    std::unique_ptr<TZpStream> in = zp::platform::OpenFile(path, fmOpenRead);
    if (!in) return "<missing>";
    std::string bytes(static_cast<size_t>(in->Size()), '\0');
    bytes.resize(in->Read(bytes.data(), bytes.size()));
    return bytes;
}

TEST(ZipStagingTest, DecodedItemsWaitBesideTheirTargetsAndAFailedOneLeavesNothing) {
    zt::TScratch scratch;
    TZipBuilder builder;
    builder.Add("a.txt", "new a");
    builder.Add("bad.txt", "check sum does not match").Crc = 0x12345678;
    builder.AddDeflated("sub/b.txt", std::string(3000, 'b'));
    zt::WriteFile(scratch.Path() / "update.zip", builder.Build());
    zt::WriteFile(scratch.Path() / "a.txt", "old a");
    zt::WriteFile(scratch.Path() / "bad.txt", "old bad");

    TZipArchiver zip;
    std::vector<std::string> failed;
    zip.OnProcessFileFailure = [&](TZpBaseArchiver*, const std::string& name, TZpProcessOperation, int, int,
                                   const std::string&, TZpAction& action) {
        failed.push_back(name);
        action = fxaIgnore;
    };
    zip.Options.OverwriteMode = omAlways;
    zip.StageExtractedItems = true;
    const std::string base = scratch.Dir();
    zip.FileName = base + "\\update.zip";
    zip.BaseDir = base;
    zip.OpenArchive(fmOpenReadWrite);
    zip.ExtractFiles("*.*", 10431, "");
    zip.CloseArchive();

    EXPECT_EQ(std::vector<std::string>{"bad.txt"}, failed);
    EXPECT_EQ("old a", zt::ReadFile(scratch.Path() / "a.txt"));
    EXPECT_EQ("old bad", zt::ReadFile(scratch.Path() / "bad.txt"));
    EXPECT_FALSE(zt::fs::exists(scratch.Path() / "sub" / "b.txt"));
    std::vector<TZpStagedItem> staged = zip.TakeStagedItems();
    ASSERT_EQ(2u, staged.size());
    EXPECT_EQ(base + "\\a.txt", staged[0].Target);
    EXPECT_EQ("new a", ReadEngineFile(staged[0].TempPath));
    EXPECT_EQ(base + "\\sub\\b.txt", staged[1].Target);
    EXPECT_EQ(std::string(3000, 'b'), ReadEngineFile(staged[1].TempPath));
    EXPECT_TRUE(zip.TakeStagedItems().empty()) << "handed over once";
    // Besides the targets' old files, only the two staged temporary files: none of the failed item.
    int files = 0;
    for (const auto& entry : zt::fs::recursive_directory_iterator(scratch.Path())) files += entry.is_regular_file();
    EXPECT_EQ(5, files);   // update.zip, a.txt, bad.txt and the two staged
}

} // namespace
