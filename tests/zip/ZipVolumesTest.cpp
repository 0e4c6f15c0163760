// tests/zip/ZipVolumesTest.cpp -- split and spanned archives told apart, named and requested
#include "ZipArchiver.h"
#include "ZipTestSupport.h"
#include "ZpException.h"

#include <gtest/gtest.h>

namespace {

class ZipVolumesTest : public ::testing::Test {
protected:
    zt::TScratch FScratch;
    TZipArchiver FZip;
    std::vector<int> FFailures;

    ZipVolumesTest() {
        FZip.BaseDir = FScratch.Dir();
        FZip.OnProcessFileFailure = [this](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int native, int,
                                           const std::string&, TZpAction& action) {
            FFailures.push_back(native);
            action = fxaIgnore;
        };
    }

    void ExpectTreeExtracted() {
        for (const std::string& f : zt::SourceFiles())
            EXPECT_TRUE(zt::ReadFile(FScratch.Path() / f) == zt::ReadFile(zt::DataPath("src/" + f))) << f;
    }
};

} // namespace

TEST_F(ZipVolumesTest, InfoZipSplitArchiveIsFoundAndExtracted) {
    FZip.FileName = zt::Data("split.zip");
    FZip.OpenArchive(2);
    EXPECT_EQ(FZip.SpanningMode(), smSplitting);
    EXPECT_FALSE(FZip.SpanningOptions.AdvancedNaming);
    EXPECT_EQ(FZip.VolumeInfo.LastVolumeNumber, 4);
    FZip.ExtractFiles("*.*");
    FZip.CloseArchive();
    EXPECT_TRUE(FFailures.empty());
    ExpectTreeExtracted();
}

TEST_F(ZipVolumesTest, AdvancedNamesAreFoundToo) {
    FZip.FileName = zt::Data("advanced/split.zip");
    FZip.OpenArchive(2);
    EXPECT_EQ(FZip.SpanningMode(), smSplitting);
    EXPECT_TRUE(FZip.SpanningOptions.AdvancedNaming);
    FZip.ExtractFiles("*.*");
    EXPECT_TRUE(FFailures.empty());
    ExpectTreeExtracted();
}

TEST_F(ZipVolumesTest, SpannedDisksAreRequestedThroughTheEvents) {
    std::vector<int> asked;
    auto disk = [](int n) { return zt::Data("disk" + std::to_string(n) + "/span.zip"); };
    FZip.OnRequestFirstVolume = [&](TZpBaseArchiver*, std::string& name, bool&) {
        asked.push_back(1);
        name = disk(1);
    };
    FZip.OnRequestMiddleVolume = [&](TZpBaseArchiver*, int number, std::string& name, bool&) {
        asked.push_back(number);
        name = disk(number);
    };
    FZip.OnRequestLastVolume = [&](TZpBaseArchiver*, std::string& name, bool&) {
        asked.push_back(5);
        name = disk(5);
    };
    FZip.FileName = disk(5);
    FZip.OpenArchive(2);
    EXPECT_EQ(FZip.SpanningMode(), smSpanning);
    FZip.ExtractFiles("*.*");
    EXPECT_TRUE(FFailures.empty());
    ExpectTreeExtracted();
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 1);   // the first item lies on the first disk
}

TEST_F(ZipVolumesTest, MissingOrRefusedVolumesEndInNativeError45) {
    // Opening or extracting; every failure, raised or reported, must be the refused volume.
    auto expectOnly45 = [this](const std::string& archive) {
        FFailures.clear();
        FZip.FileName = archive;
        try {
            FZip.OpenArchive(2);
            FZip.ExtractFiles("*.*");
        } catch (const EZpException& e) {
            FFailures.push_back(e.NativeCode());
        }
        FZip.CloseArchive();
        ASSERT_FALSE(FFailures.empty()) << archive;
        for (int code : FFailures) EXPECT_EQ(code, 45) << archive;
    };
    // Without handlers or a UI, each disk request is cancelled.
    expectOnly45(zt::Data("disk5/span.zip"));
    zt::fs::path copy = FScratch.Path() / "copy";
    zt::fs::create_directories(copy);
    for (const char* f : {"split.z01", "split.z03", "split.z04", "split.zip"})
        zt::fs::copy_file(zt::DataPath(f), copy / f);
    FZip.BaseDir = (FScratch.Path() / "out").string();
    expectOnly45((copy / "split.zip").string());
}

TEST_F(ZipVolumesTest, VolumeNamesFollowTheNamingRules) {
    TZipArchiver zip;
    zip.SetSpanningMode(smSplitting);
    zip.SpanningOptions.AdvancedNaming = false;
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.zip", 0, false), "C:\\u\\name.Z01");
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.zip", 1, false), "C:\\u\\name.Z02");
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.zip", -1, false), "C:\\u\\name.zip");
    zip.SpanningOptions.AdvancedNaming = true;
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.zip", 0, false), "C:\\u\\name_001.zip");
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.zip", 11, false), "C:\\u\\name_012.zip");
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.exe", 0, false), "C:\\u\\name.exe");
    EXPECT_EQ(zip.VolumeName("C:\\u\\name.exe", -1, false), "C:\\u\\name.ZIP");
    zip.SetSpanningMode(smSpanning);
    EXPECT_EQ(zip.VolumeName("A:\\name.zip", 2, false), "A:\\name_003.zip");
    zip.SpanningOptions.AdvancedNaming = false;
    EXPECT_EQ(zip.VolumeName("A:\\name.zip", 2, false), "A:\\name.zip");
    TZpBaseArchiver base;
    base.SetSpanningMode(smSplitting);
    base.SpanningOptions.AdvancedNaming = false;
    EXPECT_EQ(base.VolumeName("C:\\u\\name.zip", 0, false), "C:\\u\\name.F01");
}
