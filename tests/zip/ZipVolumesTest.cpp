// tests/zip/ZipVolumesTest.cpp -- split and spanned archives told apart, named and requested
#include "ZipArchiver.h"
#include "ZipTestSupport.h"
#include "ZpException.h"
#include "ZpPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

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

// The first of 7-Zip's volumes on its own: the items that lie wholly in it are extracted, and the one
// its end cuts off is reported as failed, not dropped unseen.
TEST_F(ZipVolumesTest, LoneFirstVolumeReportsTheItemItsEndCutsOff) {
    zt::fs::path lone = FScratch.Path() / "lone" / "x.zip.001";
    zt::fs::create_directories(lone.parent_path());
    zt::fs::copy_file(zt::DataPath("7z-volumes.zip.001"), lone);
    std::vector<std::string> failed;
    FZip.OnProcessFileFailure = [&](TZpBaseArchiver*, const std::string& name, TZpProcessOperation, int native, int,
                                    const std::string&, TZpAction& action) {
        failed.push_back(name + " " + std::to_string(native));
        action = fxaIgnore;
    };
    FZip.FileName = lone.string();
    FZip.OpenArchive(2);
    FZip.ExtractFiles("*.*");
    FZip.CloseArchive();
    EXPECT_EQ(failed, std::vector<std::string>{"sub\\data.bin 8"});
    for (const char* f : {"hello.txt", "readonly.txt", "empty.txt"})
        EXPECT_TRUE(zt::ReadFile(FScratch.Path() / f) == zt::ReadFile(zt::DataPath(std::string("src/") + f))) << f;
    EXPECT_FALSE(zt::fs::exists(FScratch.Path() / "sub" / "data.bin"));
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

TEST_F(ZipVolumesTest, NewSplitArchiveIsWrittenInVolumesThatPeersJoin) {
    for (bool advanced : {false, true}) {
        SCOPED_TRACE(advanced ? "advanced naming" : "plain naming");
        zt::fs::path dir = FScratch.Path() / (advanced ? "advanced" : "plain");
        zt::fs::create_directories(dir);
        TZipArchiver zip;
        zip.SetSpanningMode(smSplitting);
        zip.SpanningOptions.AdvancedNaming = advanced;
        zip.SpanningOptions.VolumeSize = vsCustom;
        zip.SpanningOptions.SetCustomVolumeSize(65536);
        zip.Options.FlushBuffers = false;
        zip.FileName = (dir / "new.zip").string();
        zip.OpenArchive(fmCreate);
        zip.BaseDir = zt::Data("src");
        zip.AddFiles("*.*");
        zip.CloseArchive();
        std::vector<std::string> volumes;
        for (auto& e : zt::fs::directory_iterator(dir)) {
            volumes.push_back(e.path().filename().string());
            EXPECT_LE(zt::fs::file_size(e.path()), 65536u) << e.path();
        }
        ASSERT_GE(volumes.size(), 5u);
        EXPECT_EQ(std::count(volumes.begin(), volumes.end(), "new.zip"), 1);
        EXPECT_EQ(std::count(volumes.begin(), volumes.end(), advanced ? "new_001.zip" : "new.Z01"), 1);

        TZipArchiver reader;
        reader.FileName = zip.FileName;
        reader.BaseDir = (dir / "out").string();
        reader.OpenArchive(2);
        EXPECT_EQ(reader.SpanningMode(), smSplitting);
        EXPECT_EQ(reader.SpanningOptions.AdvancedNaming, advanced);
        reader.ExtractFiles("*.*");
        reader.CloseArchive();
        for (const std::string& f : zt::SourceFiles())
            EXPECT_TRUE(zt::ReadFile(dir / "out" / f) == zt::ReadFile(zt::DataPath("src/" + f))) << f;
        if (advanced) continue;

        // 7-Zip reads the volumes (it looks for lower-case .z01 beside .zip), the item that spans them all included.
        // (Info-ZIP's own joining, zip -s 0, fails on any item spanning more than two volumes, its own ones too.)
        zt::fs::path peer = dir / "peer";
        zt::fs::create_directories(peer);
        for (const std::string& v : volumes) {
            std::string lower = v;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            zt::fs::copy_file(dir / v, peer / lower);
        }
        std::string output;
        std::string command = "cd '" + zt::HostPath(peer) + "' && 7z t -bd new.zip && 7z x -so new.zip sub/data.bin | cmp - '" +
                              zt::HostPath(zt::DataPath("src/sub/data.bin")) + "'";
        EXPECT_EQ(zt::RunHost(command, &output), 0) << output;
    }
}

TEST_F(ZipVolumesTest, SpannedArchiveAsksForBlankDisksAndWaitsOutAFullOne) {
    std::vector<int> blank, full;
    TZipArchiver zip;
    zip.SetSpanningMode(smSpanning);
    zip.SpanningOptions.VolumeSize = vsCustom;
    zip.SpanningOptions.SetCustomVolumeSize(100000);
    zip.Options.FlushBuffers = false;
    zip.FileName = (FScratch.Path() / "span.zip").string();
    zip.OnRequestBlankVolume = [&](TZpBaseArchiver*, int number, std::string& name, bool&) {
        blank.push_back(number);
        zt::fs::path disk = FScratch.Path() / ("disk" + std::to_string(number));
        zt::fs::create_directories(disk);
        name = (disk / ("span_00" + std::to_string(number) + ".zip")).string();
    };
    zip.OnDiskFull = [&](TZpBaseArchiver*, int number, const std::string&, bool& cancel) {
        full.push_back(number);
        zp::platform::LimitDiskSpace(-1);   // another disk, with room
        cancel = false;
    };
    zp::platform::LimitDiskSpace(60000);   // less than any volume needs
    zip.OpenArchive(fmCreate);
    zp::platform::LimitDiskSpace(-1);
    zip.BaseDir = zt::Data("src");
    zip.AddFiles("*.*");
    zip.CloseArchive();
    EXPECT_EQ(full, std::vector<int>{1});
    ASSERT_GE(blank.size(), 4u);
    EXPECT_EQ(blank[0], 1);
    EXPECT_EQ(blank[1], 1);   // asked again after the full disk
    EXPECT_EQ(blank.back(), static_cast<int>(blank.size()) - 1);

    // Gathered in one folder, the disks' files are the volumes of an archive split with advanced names.
    zt::fs::path all = FScratch.Path() / "all";
    zt::fs::create_directories(all);
    int disks = blank.back();
    for (int n = 1; n < disks; ++n) {
        std::string name = "span_00" + std::to_string(n) + ".zip";
        zt::fs::copy_file(FScratch.Path() / ("disk" + std::to_string(n)) / name, all / name);
    }
    zt::fs::copy_file(FScratch.Path() / ("disk" + std::to_string(disks)) / "span.zip", all / "span.zip");
    FZip.FileName = (all / "span.zip").string();
    FZip.OpenArchive(2);
    EXPECT_EQ(FZip.SpanningMode(), smSplitting);
    FZip.ExtractFiles("*.*");
    FZip.CloseArchive();
    EXPECT_TRUE(FFailures.empty());
    ExpectTreeExtracted();

    // Without a handler the blank disk is asked for by a dialog; closed, it ends the creation.
    TZipArchiver refused;
    refused.SetSpanningMode(smSpanning);
    refused.FileName = (FScratch.Path() / "refused.zip").string();
    EXPECT_EQ(zt::NativeError([&] { refused.OpenArchive(fmCreate); }), 45);
    EXPECT_FALSE(refused.Active());
}

// Info-ZIP joins the volumes (zip -s 0) and tests the result, and Python's zipfile reads it back
// byte for byte. The items are smaller than a volume and many cross a volume's end, their headers
// too; Info-ZIP 3.0's join itself breaks any item over more than two volumes, its own sets' too.
TEST_F(ZipVolumesTest, SplitSetJoinedByInfoZipIsReadByItAndByPython) {
    zt::fs::path src = FScratch.Path() / "src", dir = FScratch.Path() / "set";
    zt::fs::create_directories(dir);
    uint32_t seed = 12345;
    auto next = [&] { return seed = seed * 1103515245u + 12345u; };
    for (int i = 0; i < 24; ++i) {
        size_t size = i % 4 == 0 ? 7 : 9000 + 2100 * static_cast<size_t>(i);   // up to about 57 KiB
        std::string bytes(size, '\0');
        for (char& c : bytes) c = static_cast<char>(i % 2 ? next() >> 16 : 'a' + next() % 5);
        zt::WriteFile(src / (i % 3 ? "sub" : "") / ("item" + std::to_string(i) + std::string(i % 7, 'n') + ".bin"), bytes);
    }
    TZipArchiver zip;
    zip.SetSpanningMode(smSplitting);
    zip.SpanningOptions.AdvancedNaming = false;   // .Z01 ...: the naming Info-ZIP knows
    zip.SpanningOptions.VolumeSize = vsCustom;
    zip.SpanningOptions.SetCustomVolumeSize(65536);
    zip.Options.FlushBuffers = false;
    zip.FileName = (dir / "set.zip").string();
    zip.OpenArchive(fmCreate);
    zip.BaseDir = src.string();
    zip.AddFiles("*.*");
    zip.CloseArchive();
    // Info-ZIP on the host looks for lower-case .z01 beside .zip.
    std::vector<zt::fs::path> volumes;
    for (auto& e : zt::fs::directory_iterator(dir)) volumes.push_back(e.path());
    ASSERT_GE(volumes.size(), 6u);
    for (const zt::fs::path& v : volumes) {
        std::string name = v.filename().string();
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        // By way of another name: under Wine a change of case alone is no rename.
        zt::fs::rename(v, dir / (name + ".renamed"));
        zt::fs::rename(dir / (name + ".renamed"), dir / name);
    }
    ASSERT_TRUE(zt::fs::exists(dir / "set.z01"));

    zt::WriteFile(FScratch.Path() / "check.py",
                  "import os, sys, zipfile\n"
                  "z = zipfile.ZipFile(sys.argv[1])\n"
                  "assert z.testzip() is None\n"
                  "names = [n for n in z.namelist() if not n.endswith('/')]\n"
                  "for n in names:\n"
                  "    assert z.read(n) == open(os.path.join(sys.argv[2], n), 'rb').read(), n\n"
                  "print(len(names))\n");
    std::string output;
    // zip asks on and on for a volume it misses: no input for it, and bounds on its time and output.
    std::string command = "ulimit -f 20000 && cd '" + zt::HostPath(dir) +
                          "' && timeout 120 zip -s 0 set.zip --out joined.zip < /dev/null && unzip -t joined.zip && python3 '" +
                          zt::HostPath(FScratch.Path() / "check.py") + "' joined.zip '" + zt::HostPath(src) + "'";
    ASSERT_EQ(zt::RunHost(command, &output), 0) << output;
    EXPECT_NE(output.find("No errors detected"), std::string::npos) << output;
    EXPECT_NE(output.find("\n24\n"), std::string::npos) << output;
}
