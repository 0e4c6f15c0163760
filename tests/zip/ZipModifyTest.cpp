// tests/zip/ZipModifyTest.cpp -- adding, refreshing, deleting and testing items, and the commit,
// checked by Info-ZIP unzip and 7-Zip as well as by our own extraction
#include "ZipArchiver.h"
#include "ZipTestSupport.h"
#include "ZpException.h"
#include "ZpPlatform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <set>

namespace {

struct TFailure {
    std::string Name;
    int NativeError;
};

// Info-ZIP's test and 7-Zip's test of the whole archive, then every named file unpacked by unzip
// and compared byte for byte with its source. Empty when all passed, else what the tools said.
std::string PeerCheck(const zt::fs::path& archive, const std::string& password, const std::vector<std::string>& files,
                      const zt::fs::path& sources, bool infoZip = true) {
    std::string a = "'" + zt::HostPath(archive) + "'";
    std::string p = password.empty() ? std::string() : " -P '" + password + "'";
    std::string line = "7z t -bd -p'" + (password.empty() ? std::string("none") : password) + "' " + a;
    if (infoZip) {
        line = "unzip -tq" + p + " " + a + " && " + line;
        for (const std::string& f : files)
            line += " && unzip -p" + p + " " + a + " '" + f + "' | cmp - '" + zt::HostPath(sources / f) + "'";
    }
    std::string output;
    int status = zt::RunHost(line, &output);
    return status == 0 ? std::string() : "exit " + std::to_string(status) + ": " + output;
}

std::set<std::string> Names(TZpBaseArchiver& zip) {
    std::set<std::string> names;
    for (int i = 0; i < zip.ItemCount(); ++i) names.insert(zip.Item(i).Name);
    return names;
}

// A source that leaves the disk nearly full once it has been read: its own item still fits,
// the directory after it does not.
class TDiskFillingStream : public TZpMemoryStream {
public:
    explicit TDiskFillingStream(const std::string& text) : TZpMemoryStream(std::vector<uint8_t>(text.begin(), text.end())) {}
    size_t Read(void* buffer, size_t count) override {
        size_t n = TZpMemoryStream::Read(buffer, count);
        if (Position() == Size()) zp::platform::LimitDiskSpace(200);
        return n;
    }
};

class ZipModifyTest : public ::testing::Test {
protected:
    zt::TScratch FScratch;
    TZipArchiver FZip;
    std::vector<TFailure> FFailures;
    TZpAction FAnswer = fxaIgnore;
    std::error_code ignored;

    ZipModifyTest() {
        FZip.Name = "zip";
        FZip.Options.FlushBuffers = false;
        FZip.TempDir = (FScratch.Path() / "temp").string();
        zt::fs::create_directories(FZip.TempDir);
        FZip.OnProcessFileFailure = [this](TZpBaseArchiver*, const std::string& name, TZpProcessOperation, int native,
                                           int, const std::string&, TZpAction& action) {
            FFailures.push_back({name, native});
            action = FAnswer;
        };
    }
    ~ZipModifyTest() override { zp::platform::LimitDiskSpace(-1); }

    std::string Path(const std::string& rel) const { return FScratch / rel; }
    static std::string Sources() { return zt::Data("src"); }

    void Create(const std::string& archive, const std::string& baseDir, const std::string& mask = "*.*") {
        FZip.FileName = archive;
        FZip.OpenArchive(fmCreate);
        FZip.BaseDir = baseDir;
        FZip.AddFiles(mask);
        FZip.CloseArchive();
    }

    std::string CopyFixture(const std::string& fixture) {
        std::string path = Path(fixture);
        // Not copy_file's overwrite option: the mingw runtime refuses it.
        zt::fs::permissions(path, zt::fs::perms::owner_write, zt::fs::perm_options::add, ignored);
        zt::fs::remove(path, ignored);
        zt::fs::copy_file(zt::DataPath(fixture), path);
        return path;
    }

    // A writable copy of the source tree, with its files' times.
    std::string CopyTree() {
        zt::fs::path tree = FScratch.Path() / "tree";
        for (const std::string& f : zt::SourceFiles()) {
            zt::WriteFile(tree / f, zt::ReadFile(zt::DataPath("src/" + f)));
            uint32_t stamp = 0;
            zp::platform::FileDosDateTime(zt::Data("src/" + f), stamp);
            zp::platform::SetFileDosDateTime((tree / f).string(), stamp);
        }
        return tree.string();
    }

    // Our own extraction of the whole archive, compared with the source files.
    void ExpectExtractsTo(const std::string& archive, const std::string& password, const zt::fs::path& sources,
                          const std::vector<std::string>& files) {
        TZipArchiver reader;
        reader.FileName = archive;
        reader.Password = password;
        reader.BaseDir = (FScratch.Path() / "out").string();
        reader.OpenArchive(fmOpenRead | fmShareDenyNone);
        int failures = 0;
        reader.OnProcessFileFailure = [&](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int, int,
                                          const std::string&, TZpAction& action) {
            ++failures;
            action = fxaIgnore;
        };
        reader.ExtractFiles("*.*");
        reader.CloseArchive();
        EXPECT_EQ(failures, 0);
        for (const std::string& f : files)
            EXPECT_TRUE(zt::ReadFile(FScratch.Path() / "out" / f) == zt::ReadFile(sources / f)) << f;
        zt::RemoveTree(FScratch.Path() / "out");
    }

    void ExpectNoTemporaryFilesLeft(const std::string& folder) {
        for (auto& e : zt::fs::directory_iterator(folder))
            EXPECT_NE(e.path().filename().string().rfind("FC", 0), 0u) << "left " << e.path();
    }
};

} // namespace

TEST_F(ZipModifyTest, NewArchivesAreReadByInfoZipAnd7Zip) {
    struct Case {
        const char* archive;
        int mode;
        const char* password;
        TZip64Mode zip64;
        bool oem;
    };
    const Case cases[] = {
        {"stored.zip", 0, "", zmDisabled, true},
        {"fastest.zip", 1, "", zmDisabled, false},
        {"max-encrypted.zip", 9, "s3cret", zmDisabled, true},
        {"zip64.zip", 6, "", zmAlways, true},
        {"stored-encrypted-zip64.zip", 0, "pw", zmAlways, false},
    };
    const std::set<std::string> names = {"emptydir/", "empty.txt", "hello.txt", "readonly.txt", "sub/",
                                         "sub/data.bin", "sub/deep/", "sub/deep/text.txt"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        FZip.SetCompressionMode(c.mode);
        FZip.Password = c.password;
        FZip.Zip64Mode = c.zip64;
        FZip.Options.OEMFileNames = c.oem;
        std::string archive = Path(c.archive);
        Create(archive, Sources());
        EXPECT_TRUE(FFailures.empty());
        EXPECT_EQ(PeerCheck(archive, c.password, zt::SourceFiles(), zt::DataPath("src")), "");
        ExpectExtractsTo(archive, c.password, zt::DataPath("src"), zt::SourceFiles());

        FZip.OpenArchive(fmOpenRead | fmShareDenyNone);
        EXPECT_EQ(Names(FZip), names);
        for (int i = 0; i < FZip.ItemCount(); ++i) {
            const TDirItem& item = FZip.Item(i);
            if (item.Name == "empty.txt") {
                EXPECT_EQ(item.Header.Method, 0);   // nothing to deflate
                EXPECT_EQ(item.CompressedSize(), *c.password ? 12u : 0u);
            }
            if (item.Name == "readonly.txt") {
                EXPECT_TRUE(item.Header.ExternalAttributes & faReadOnly);
            }
            if (item.Name == "sub/deep/text.txt") {
                EXPECT_EQ(item.Header.Method, c.mode ? 8 : 0);
                EXPECT_EQ(item.Zip64, c.zip64 == zmAlways);
                EXPECT_EQ(item.Header.VersionNeeded, c.zip64 == zmAlways ? 45 : c.oem ? 20 : 2836);
                if (c.mode) {
                    EXPECT_LT(item.CompressedSize(), item.UncompressedSize() / 4);
                }
            }
        }
        FZip.CloseArchive();
    }
}

TEST_F(ZipModifyTest, DeletedItemsLeaveNoTraceAndTheOthersStayAsTheyWere) {
    struct Case {
        const char* archive;
        const char* deleted;
        const char* password;
        bool infoZip;   // Info-ZIP reads no AES items
    };
    const Case cases[] = {
        {"info-deflated.zip", "sub/data.bin", "", true},
        {"info-stream.zip", "hello.txt", "", true},           // items with data descriptors
        {"info-zip64.zip", "readonly.txt", "", true},
        {"prefixed.zip", "sub/deep/text.txt", "", true},      // a self-extractor stub in front
        {"7z-aes.zip", "hello.txt", "Secret7", false},        // AES extra fields that must stay
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        std::string archive = CopyFixture(c.archive);
        std::string before = zt::ReadFile(archive);
        FZip.FileName = archive;
        FZip.OpenArchive(2);
        std::set<std::string> names = Names(FZip);
        ASSERT_EQ(names.count(c.deleted), 1u);
        std::map<std::string, std::vector<uint16_t>> extras;
        for (int i = 0; i < FZip.ItemCount(); ++i)
            for (const TZpExtraField& f : FZip.Item(i).ExtraFields) extras[FZip.Item(i).Name].push_back(f.HeaderId);
        for (auto& e : extras) std::sort(e.second.begin(), e.second.end());
        FZip.DeleteFiles(c.deleted);
        FZip.CloseArchive();
        EXPECT_TRUE(FFailures.empty());

        names.erase(c.deleted);
        FZip.OpenArchive(2);
        EXPECT_EQ(Names(FZip), names);
        for (int i = 0; i < FZip.ItemCount(); ++i) {
            std::vector<uint16_t> ids;
            for (const TZpExtraField& f : FZip.Item(i).ExtraFields) ids.push_back(f.HeaderId);
            std::sort(ids.begin(), ids.end());
            EXPECT_EQ(ids, extras[FZip.Item(i).Name]) << FZip.Item(i).Name;
        }
        FZip.CloseArchive();
        std::string after = zt::ReadFile(archive);
        EXPECT_LT(after.size(), before.size());
        if (std::string(c.archive) == "prefixed.zip") {
            EXPECT_EQ(after.substr(0, 1026), before.substr(0, 1026));
        }
        std::vector<std::string> kept;
        for (const std::string& f : zt::SourceFiles())
            if (names.count(f)) kept.push_back(f);
        EXPECT_EQ(PeerCheck(archive, c.password, kept, zt::DataPath("src"), c.infoZip), "");
        std::string listing;
        zt::RunHost("unzip -Z1 '" + zt::HostPath(archive) + "'", &listing);
        if (c.infoZip) {
            EXPECT_EQ(listing.find(c.deleted), std::string::npos) << listing;
        }
    }
}

TEST_F(ZipModifyTest, RefreshingFollowsTheOverwriteMode) {
    std::string tree = CopyTree();
    std::string archive = Path("update.zip");
    Create(archive, tree);
    std::string original = zt::ReadFile(archive);
    const uint32_t future = (60u << 25) | (1u << 21) | (1u << 16);
    const uint32_t past = (5u << 25) | (1u << 21) | (1u << 16);
    zt::WriteFile(zt::fs::path(tree) / "hello.txt", "newer hello");
    zp::platform::SetFileDosDateTime(tree + "/hello.txt", future);
    zt::WriteFile(zt::fs::path(tree) / "sub/deep/text.txt", "older text");
    zp::platform::SetFileDosDateTime(tree + "/sub/deep/text.txt", past);
    struct Case {
        TZpOverwriteMode mode;
        bool hello, text;
    };
    const Case cases[] = {
        {omIfNewer, true, false}, {omIfOlder, false, true}, {omAlways, true, true}, {omNever, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        zt::WriteFile(archive, original);
        FZip.Options.OverwriteMode = c.mode;
        FZip.FileName = archive;
        FZip.OpenArchive(2);
        FZip.BaseDir = tree;
        FZip.UpdateFiles("*.*");
        EXPECT_EQ(FZip.ItemCount(), 7);
        FZip.CloseArchive();
        std::string hello, text;
        zt::RunHost("unzip -p '" + zt::HostPath(archive) + "' hello.txt", &hello);
        zt::RunHost("unzip -p '" + zt::HostPath(archive) + "' sub/deep/text.txt", &text);
        EXPECT_EQ(hello == "newer hello", c.hello);
        EXPECT_EQ(text == "older text", c.text);
        EXPECT_EQ(PeerCheck(archive, "", {"sub/data.bin"}, tree), "");
    }

    // Asked, the handler decides item by item.
    zt::WriteFile(archive, original);
    std::vector<std::string> asked;
    FZip.Options.OverwriteMode = omPrompt;
    FZip.OnConfirmOverwrite = [&](TZpBaseArchiver*, const std::string&, std::string& dest, bool& confirm) {
        asked.push_back(dest);
        confirm = dest == "hello.txt";
    };
    FZip.OpenArchive(2);
    FZip.BaseDir = tree;
    FZip.UpdateFiles("*.txt");
    FZip.CloseArchive();
    EXPECT_EQ(asked.size(), 4u);
    std::string hello;
    zt::RunHost("unzip -p '" + zt::HostPath(archive) + "' hello.txt", &hello);
    EXPECT_EQ(hello, "newer hello");
}

TEST_F(ZipModifyTest, AddingKeepsOneItemPerNameAndNeverTheArchiveItself) {
    std::string tree = CopyTree();
    zt::WriteFile(zt::fs::path(tree) / "sub/hello.txt", "the other hello");
    std::string archive = tree + "/inside.zip";
    FZip.Options.StorePath = spNoPath;
    Create(archive, tree);
    FZip.OpenArchive(2);
    std::set<std::string> names = Names(FZip);
    EXPECT_EQ(names.count("inside.zip"), 0u);
    EXPECT_EQ(names.count("hello.txt"), 1u);
    EXPECT_EQ(FZip.ItemCount(), 7);   // 5 files and 2 folders: hello.txt once, inside.zip never
    FZip.CloseArchive();
    std::string hello;
    zt::RunHost("unzip -p '" + zt::HostPath(archive) + "' hello.txt", &hello);
    EXPECT_EQ(hello, "the other hello");   // the later file of the two replaced the first

    // Added again with omNever, the items keep their data; new names still come in.
    zt::WriteFile(zt::fs::path(tree) / "fresh.txt", "fresh");
    FZip.Options.OverwriteMode = omNever;
    FZip.OpenArchive(2);
    FZip.AddFiles("*.txt");
    EXPECT_EQ(FZip.ItemCount(), 8);
    FZip.CloseArchive();
    zt::RunHost("unzip -p '" + zt::HostPath(archive) + "' hello.txt", &hello);
    EXPECT_EQ(hello, "the other hello");
    EXPECT_EQ(PeerCheck(archive, "", {"fresh.txt"}, tree), "");

    // Masks from the lists, exclusions, no subfolders.
    FZip.Options.StorePath = spRelativePath;
    FZip.Options.Recurse = false;
    FZip.SetFileMasks({"*.txt"});
    FZip.SetExclusionMasks({"fresh*"});
    FZip.FileName = Path("lists.zip");
    FZip.OpenArchive(fmCreate);
    FZip.BaseDir = tree;
    FZip.AddFiles();
    EXPECT_EQ(Names(FZip), (std::set<std::string>{"empty.txt", "hello.txt", "readonly.txt"}));
    FZip.CloseArchive();
}

TEST_F(ZipModifyTest, FailedCommitLeavesTheArchiveUntouched) {
    std::string tree = CopyTree();
    struct Case {
        const char* what;
        std::function<void()> arrange;
        TZpAction answer;
        int raised;   // native error leaving AddFiles, 0 for none
    };
    const Case cases[] = {
        {"disk full, abort", [] { zp::platform::LimitDiskSpace(50000); }, fxaAbort, 0},
        {"disk full, ignore", [] { zp::platform::LimitDiskSpace(50000); }, fxaIgnore, 0},
        {"disk full at the directory",
         [this] { FZip.AddFromStream("last.txt", std::make_shared<TDiskFillingStream>("the last item's data")); },
         fxaIgnore, 46},
        {"cancelled in an item",
         [this] {
             FZip.OnFileProgress = [](TZpBaseArchiver*, const std::string&, double, TZpProcessOperation,
                                      TZpProgressPhase phase, bool& cancel) { cancel = phase == ppProcess; };
         },
         fxaIgnore, 0},
        {"cancelled at the end",
         [this] {
             FZip.OnOverallProgress = [](TZpBaseArchiver*, double, TZpProcessOperation, TZpProgressPhase phase,
                                         bool& cancel) { cancel = phase == ppEnd; };
         },
         fxaIgnore, 0},
        {"source gone, abort", [tree] { zt::fs::remove(zt::fs::path(tree) / "sub/data.bin"); }, fxaAbort, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string archive = CopyFixture("info-deflated.zip");
        std::string before = zt::ReadFile(archive);
        FZip.OnFileProgress = nullptr;
        FZip.OnOverallProgress = nullptr;
        FAnswer = c.answer;
        FZip.FileName = archive;
        FZip.OpenArchive(2);
        FZip.BaseDir = tree;
        FZip.BeginUpdate();
        FZip.DeleteFiles("hello.txt");
        FZip.AddFiles("sub\\*.*");
        c.arrange();
        EXPECT_EQ(zt::NativeError([&] { FZip.EndUpdate(); }), c.raised);
        zp::platform::LimitDiskSpace(-1);
        EXPECT_EQ(FZip.UpdateCount(), 0);
        EXPECT_EQ(FZip.ItemCount(), 8);   // the directory is the old one again
        FZip.CloseArchive();
        EXPECT_TRUE(zt::ReadFile(archive) == before);
        ExpectNoTemporaryFilesLeft(FScratch.Dir());
        ExpectNoTemporaryFilesLeft(FZip.TempDir);
        CopyTree();
    }

    // An archive opened for reading, or marked read-only, takes no changes at all.
    std::string archive = CopyFixture("info-deflated.zip");
    FZip.FileName = archive;
    FZip.OpenArchive(fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(zt::NativeError([&] { FZip.DeleteFiles("hello.txt"); }), 32);
    FZip.CloseArchive();
    zp::platform::ChangeAttributes(archive, faReadOnly);
    FZip.OpenArchive(fmOpenRead | fmShareDenyNone);
    EXPECT_EQ(zt::NativeError([&] { FZip.AddFiles(tree + "/hello.txt"); }), 32);
    FZip.CloseArchive();
    zp::platform::ChangeAttributes(archive, faArchive);
    EXPECT_TRUE(zt::ReadFile(archive) == zt::ReadFile(zt::DataPath("info-deflated.zip")));
}

TEST_F(ZipModifyTest, FailedItemIsLeftOutAndTheRestCommitted) {
    std::string tree = CopyTree();
    std::string archive = CopyFixture("info-deflated.zip");
    FZip.FileName = archive;
    FZip.OpenArchive(2);
    FZip.BaseDir = tree;
    FZip.BeginUpdate();
    FZip.AddFiles("new*.txt");   // nothing yet
    zt::WriteFile(zt::fs::path(tree) / "new1.txt", "one");
    zt::WriteFile(zt::fs::path(tree) / "new2.txt", "two");
    FZip.AddFiles("new*.txt");
    zt::fs::remove(zt::fs::path(tree) / "new1.txt");
    FZip.UpdateFiles("hello.txt");
    FZip.EndUpdate();
    ASSERT_EQ(FFailures.size(), 1u);
    EXPECT_EQ(FFailures[0].NativeError, 33);
    EXPECT_NE(FFailures[0].Name.find("new1.txt"), std::string::npos);
    EXPECT_EQ(FZip.ItemCount(), 9);
    EXPECT_EQ(FZip.FilesProcessed(), 2);
    FZip.CloseArchive();
    EXPECT_EQ(PeerCheck(archive, "", {"new2.txt", "hello.txt", "sub/data.bin"}, tree), "");
}

TEST_F(ZipModifyTest, Zip64IsRefusedWhenDisabled) {
    zt::fs::path big = FScratch.Path() / "tree" / "huge.bin";
    zt::WriteFile(big, "");
    zt::fs::resize_file(big, 0x100000000ull);   // sparse: 4 GiB of nothing on disk
    std::string archive = CopyFixture("info-deflated.zip");
    std::string before = zt::ReadFile(archive);
    FZip.FileName = archive;
    FZip.OpenArchive(2);
    FZip.BaseDir = big.parent_path().string();
    FZip.AddFiles("huge.bin");
    FZip.CloseArchive();
    ASSERT_EQ(FFailures.size(), 1u);
    EXPECT_EQ(FFailures[0].NativeError, 43);
    EXPECT_TRUE(zt::ReadFile(archive) == before);
    zt::fs::remove(big);
}

TEST_F(ZipModifyTest, TestingReportsTheBadItemsOnly) {
    FZip.FileName = zt::Data("damaged-crc.zip");
    FZip.OpenArchive(fmOpenRead | fmShareDenyNone);
    FZip.TestFiles("*.*");
    ASSERT_EQ(FFailures.size(), 1u);
    EXPECT_EQ(FFailures[0].Name, "sub\\deep\\text.txt");
    EXPECT_EQ(FFailures[0].NativeError, 8);
    EXPECT_EQ(FZip.FilesProcessed(), FZip.FilesTotal() - 1);
    FZip.CloseArchive();
    ExpectNoTemporaryFilesLeft(FZip.TempDir);

    FFailures.clear();
    FZip.FileName = zt::Data("info-encrypted.zip");
    FZip.Password = "secret";
    FZip.OpenArchive(fmOpenRead | fmShareDenyNone);
    FZip.TestFiles("*.*");
    EXPECT_TRUE(FFailures.empty());
    EXPECT_EQ(FZip.FilesProcessed(), 8);
    // Not during an update: the items may not be written yet.
    FZip.CloseArchive();
    FZip.FileName = CopyFixture("info-deflated.zip");
    FZip.OpenArchive(2);
    FZip.BeginUpdate();
    EXPECT_EQ(zt::NativeError([&] { FZip.TestFiles("*.*"); }), 26);
    EXPECT_EQ(zt::NativeError([&] { FZip.DeleteItem(99); }), 21);
    FZip.EndUpdate();
    EXPECT_EQ(zt::NativeError([&] { FZip.DeleteItem(0); }), 22);
    EXPECT_EQ(zt::NativeError([&] { FZip.UpdateItem(0, "x"); }), 25);
}

TEST_F(ZipModifyTest, CommitReportsItsProgress) {
    FZip.Options.FlushBuffers = true;   // the new archive reaches the disk before it takes the old one's place
    std::vector<std::string> events;
    FZip.OnOverallProgress = [&](TZpBaseArchiver*, double p, TZpProcessOperation op, TZpProgressPhase phase, bool&) {
        if (phase != ppProcess) events.push_back("overall " + std::to_string(op) + " " + std::to_string(int(p)));
    };
    FZip.OnFileProgress = [&](TZpBaseArchiver*, const std::string& name, double, TZpProcessOperation, TZpProgressPhase phase,
                              bool&) {
        if (phase != ppProcess) events.push_back(name + (phase == ppStart ? " start" : " end"));
    };
    Create(Path("progress.zip"), Sources(), "sub");
    const std::vector<std::string> expected = {
        "overall 0 0",        "sub\\ start",          "sub\\ end",          "sub\\data.bin start",
        "sub\\data.bin end",  "sub\\deep\\ start",    "sub\\deep\\ end",    "sub\\deep\\text.txt start",
        "sub\\deep\\text.txt end", "overall 0 100"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(FZip.FilesTotal(), 4);
    EXPECT_EQ(FZip.FilesProcessed(), 4);

    // A close without changes leaves the file byte for byte as it was.
    std::string before = zt::ReadFile(Path("progress.zip"));
    FZip.OpenArchive(2);
    FZip.BeginUpdate();
    FZip.EndUpdate();
    FZip.CloseArchive();
    EXPECT_TRUE(zt::ReadFile(Path("progress.zip")) == before);
}

TEST_F(ZipModifyTest, InMemoryArchiveTakesStreamsAndIsWrittenOut) {
    FZip.SetInMemory(true);
    FZip.OpenArchive(fmCreate);
    std::string text(200000, 'x');
    for (size_t i = 0; i < text.size(); i += 7) text[i] = static_cast<char>('a' + i % 26);
    FZip.BeginUpdate();
    FZip.AddFromStream("notes\\text.txt", std::make_shared<TZpMemoryStream>(std::vector<uint8_t>(text.begin(), text.end())));
    FZip.AddFromStream("empty.bin", std::make_shared<TZpMemoryStream>());
    EXPECT_EQ(FZip.Size(), 0);
    FZip.EndUpdate();
    EXPECT_GT(FZip.Size(), 0);
    EXPECT_EQ(Names(FZip), (std::set<std::string>{"notes/text.txt", "empty.bin"}));
    TZpMemoryStream out;
    FZip.DecompressItem(0, out);
    EXPECT_TRUE(std::string(out.Data().begin(), out.Data().end()) == text);
    // Changes still pending when the archive goes to a file go with it.
    FZip.BeginUpdate();
    FZip.AddFromStream("late.txt", std::make_shared<TZpMemoryStream>(std::vector<uint8_t>{'l', 'a', 't', 'e'}));
    FZip.FileName = Path("memory.zip");
    FZip.SetInMemory(false);
    EXPECT_EQ(FZip.UpdateCount(), 0);
    FZip.CloseArchive();
    zt::WriteFile(Path("expected/notes/text.txt"), text);
    zt::WriteFile(Path("expected/late.txt"), "late");
    EXPECT_EQ(PeerCheck(Path("memory.zip"), "", {"notes/text.txt", "late.txt"}, FScratch.Path() / "expected"), "");
}
