// tests/zip/ZipExtractTest.cpp -- ExtractFiles against archives of Info-ZIP, 7-Zip and Python, and damaged ones
#include "ZipArchiver.h"
#include "ZipTestSupport.h"
#include "ZpException.h"
#include "ZpPlatform.h"
#include "ZpUi.h"

#include <gtest/gtest.h>

#include <map>

namespace {

struct TFailure {
    std::string Name;
    int NativeError;
};

// Answers every dialog from a script and counts the questions.
class TScriptedUi : public TZpUi {
public:
    TOverwriteAnswer Overwrite = oaNo;
    int Questions = 0;
    TOverwriteAnswer AskOverwrite(const std::string& text) override {
        ++Questions;
        LastText = text;
        return Overwrite;
    }
    bool AskPassword(const std::string&, const std::string&, std::string&) override { return false; }
    TFailureAnswer AskFailure(const std::string&) override { return faIgnore; }
    bool AskOkCancel(const std::string&) override { return false; }
    std::string LastText;
};

class ZipExtractTest : public ::testing::Test {
protected:
    zt::TScratch FScratch;
    TZipArchiver FZip;
    std::vector<TFailure> FFailures;

    ZipExtractTest() {
        FZip.Name = "zip";
        FZip.BaseDir = FScratch.Dir();
        FZip.OnProcessFileFailure = [this](TZpBaseArchiver*, const std::string& name, TZpProcessOperation, int native,
                                           int, const std::string&, TZpAction& action) {
            FFailures.push_back({name, native});
            action = fxaIgnore;
        };
    }

    void Extract(const std::string& archive, const std::string& mask = "*.*") {
        FZip.FileName = zt::Data(archive);
        FZip.OpenArchive(2);
        FZip.ExtractFiles(mask, 10431, "");
        FZip.CloseArchive();
    }

    zt::fs::path Out(const std::string& rel) const { return FScratch.Path() / rel; }
    std::string Source(const std::string& rel) const { return zt::ReadFile(zt::DataPath("src/" + rel)); }

    void ExpectSameAsSource(const std::string& rel) {
        ASSERT_TRUE(zt::fs::exists(Out(rel))) << rel;
        EXPECT_TRUE(zt::ReadFile(Out(rel)) == Source(rel)) << rel << " differs";
    }

    std::map<std::string, int> FailureCodes() const {
        std::map<std::string, int> m;
        for (const TFailure& f : FFailures) m[f.Name] = f.NativeError;
        return m;
    }
};

uint32_t DosStamp(const std::string& path) {
    uint32_t stamp = 0;
    zp::platform::FileDosDateTime(path, stamp);
    return stamp;
}

} // namespace

TEST_F(ZipExtractTest, PeerArchivesExtractByteForByte) {
    struct Case {
        const char* archive;
        const char* password;
        std::vector<std::string> files;
        bool folders;
    };
    const std::vector<std::string> all = zt::SourceFiles();
    const std::vector<std::string> two = {"hello.txt", "sub/deep/text.txt"};
    const Case cases[] = {
        {"info-stored.zip", "", all, true},          {"info-deflated.zip", "", all, true},
        {"info-zip64.zip", "", all, true},           {"info-encrypted.zip", "secret", all, true},
        {"7z-deflated.zip", "", all, true},          {"7z-stored.zip", "", all, true},
        {"7z-zipcrypto.zip", "Secret7", all, true},  {"7z-volumes-joined.zip", "", all, true},
        {"prefixed.zip", "", all, true},             {"info-stream.zip", "", two, false},
        {"py-descriptor.zip", "", two, false},       {"prefixed-descriptor.zip", "", two, false},       {"py-zip64.zip", "", {"sub/deep/text.txt"}, false},
        {"py-mixed.zip", "", {"hello.txt", "sub/deep/text.txt", "sub/data.bin", "empty.txt"}, false},
        {"big-stored.zip", "", {}, false},           {"big-deflated.zip", "", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        zt::RemoveTree(FScratch.Path());
        zt::fs::create_directories(FScratch.Path());
        FZip.Password = c.password;
        Extract(c.archive);
        EXPECT_TRUE(FFailures.empty()) << FFailures.size() << " failures, first " << FFailures[0].Name;
        FFailures.clear();
        for (const std::string& f : c.files) ExpectSameAsSource(f);
        if (c.folders) {
            EXPECT_TRUE(zt::fs::is_directory(Out("emptydir")));
        }
        if (c.files.empty()) {
            EXPECT_TRUE(zt::ReadFile(Out("big.bin")) == zt::ReadFile(zt::DataPath("big/big.bin")));
        }
        EXPECT_EQ(FZip.FilesProcessed(), FZip.FilesTotal());
    }
}

TEST_F(ZipExtractTest, TimesAndAttributesComeFromTheItems) {
    Extract("info-deflated.zip");
    EXPECT_EQ(DosStamp(Out("hello.txt").string()), DosStamp(zt::Data("src/hello.txt")));
    EXPECT_EQ(DosStamp(Out("sub/data.bin").string()), DosStamp(zt::Data("src/sub/data.bin")));
    EXPECT_TRUE(zp::platform::FileAttributes(Out("readonly.txt").string()) & faReadOnly);
    EXPECT_FALSE(zp::platform::FileAttributes(Out("hello.txt").string()) & faReadOnly);
}

TEST_F(ZipExtractTest, FolderOptionsAndMasks) {
    FZip.Options.CreateDirs = false;
    Extract("info-deflated.zip");
    ExpectSameAsSource("hello.txt");
    EXPECT_EQ(zt::ReadFile(Out("text.txt")), Source("sub/deep/text.txt"));
    EXPECT_FALSE(zt::fs::exists(Out("sub")));

    zt::RemoveTree(FScratch.Path());
    FZip.Options.CreateDirs = true;
    FZip.Options.Recurse = false;
    Extract("info-deflated.zip");
    ExpectSameAsSource("hello.txt");
    EXPECT_FALSE(zt::fs::exists(Out("sub/data.bin")));

    zt::RemoveTree(FScratch.Path());
    Extract("info-deflated.zip", "sub/*.*");
    ExpectSameAsSource("sub/data.bin");
    EXPECT_FALSE(zt::fs::exists(Out("sub/deep/text.txt")));
    EXPECT_FALSE(zt::fs::exists(Out("hello.txt")));

    zt::RemoveTree(FScratch.Path());
    FZip.Options.Recurse = true;
    Extract("info-deflated.zip", "*.TXT");
    ExpectSameAsSource("sub/deep/text.txt");
    EXPECT_FALSE(zt::fs::exists(Out("sub/data.bin")));
}

TEST_F(ZipExtractTest, OverwriteModesDecideOverExistingFiles) {
    struct Case {
        TZpOverwriteMode mode;
        uint32_t existingStamp;   // 0: the item's own stamp
        bool replaced;
    };
    const uint32_t old = (20u << 25) | (1u << 21) | (1u << 16);   // 2000-01-01
    const uint32_t future = (60u << 25) | (1u << 21) | (1u << 16);
    const Case cases[] = {
        {omAlways, 0, true},      {omNever, 0, false},       {omIfNewer, 0, false}, {omIfOlder, 0, false},
        {omIfNewer, old, true},   {omIfOlder, future, true}, {omIfOlder, old, false},
    };
    std::string target = Out("hello.txt").string();
    for (const Case& c : cases) {
        zt::WriteFile(target, "old contents");
        zp::platform::SetFileDosDateTime(target, c.existingStamp ? c.existingStamp : DosStamp(zt::Data("src/hello.txt")));
        FZip.Options.OverwriteMode = c.mode;
        Extract("info-deflated.zip", "hello.txt");
        EXPECT_EQ(zt::ReadFile(target) == Source("hello.txt"), c.replaced) << "mode " << c.mode;
    }
}

TEST_F(ZipExtractTest, PromptAnswersApplyToTheFilesThatFollow) {
    TScriptedUi ui;
    FZip.Ui = &ui;
    for (auto answer : {TZpUi::oaNoToAll, TZpUi::oaYesToAll}) {
        for (const std::string& f : zt::SourceFiles()) zt::WriteFile(Out(f), "old");
        ui.Overwrite = answer;
        ui.Questions = 0;
        FZip.Options.OverwriteMode = omPrompt;
        Extract("info-deflated.zip");
        EXPECT_EQ(ui.Questions, 1);
        bool yes = answer == TZpUi::oaYesToAll;
        EXPECT_EQ(FZip.Options.OverwriteMode, yes ? omAlways : omNever);
        for (const std::string& f : zt::SourceFiles()) EXPECT_EQ(zt::ReadFile(Out(f)) == "old", !yes) << f;
        for (const std::string& f : zt::SourceFiles())
            zp::platform::ChangeAttributes(Out(f).string(), faArchive);
    }
    EXPECT_EQ(ui.LastText.find("Overwrite file \""), 0u);

    // With no UI attached the question is answered as a box closed: keep the file.
    FZip.Ui = nullptr;
    FZip.Options.OverwriteMode = omPrompt;
    zt::WriteFile(Out("hello.txt"), "old");
    Extract("info-deflated.zip", "hello.txt");
    EXPECT_EQ(zt::ReadFile(Out("hello.txt")), "old");
}

TEST_F(ZipExtractTest, ReadOnlyTargetStaysWhenReplacingIsOff) {
    zt::WriteFile(Out("hello.txt"), "keep me");
    zp::platform::ChangeAttributes(Out("hello.txt").string(), faReadOnly);
    FZip.Options.ReplaceReadOnly = false;
    Extract("info-deflated.zip", "hello.txt");
    EXPECT_EQ(zt::ReadFile(Out("hello.txt")), "keep me");
    EXPECT_EQ(FZip.FilesProcessed(), 1);
    FZip.Options.ReplaceReadOnly = true;
    Extract("info-deflated.zip", "hello.txt");
    ExpectSameAsSource("hello.txt");
}

TEST_F(ZipExtractTest, BadItemsFailAloneAndKeepTheOldFile) {
    struct Case {
        const char* archive;
        std::map<std::string, int> failures;
    };
    const std::string text = "sub\\deep\\text.txt";
    const Case cases[] = {
        {"damaged-crc.zip", {{text, 8}}},
        {"damaged-data.zip", {{text, 8}}},
        {"damaged-local.zip", {{text, 8}}},
        {"7z-aes.zip", {{"hello.txt", 8}, {"empty.txt", 8}, {"readonly.txt", 8}, {"sub\\data.bin", 8}, {text, 8}}},
        // 7-Zip stores what does not shrink; only the text is BZip2 or Deflate64.
        {"7z-bzip2.zip", {{text, 8}}},
        {"7z-deflate64.zip", {{text, 55}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive);
        FFailures.clear();
        zt::WriteFile(Out("sub/deep/text.txt"), "previous version");
        FZip.Password = "Secret7";
        Extract(c.archive);
        EXPECT_EQ(FailureCodes(), c.failures);
        EXPECT_EQ(zt::ReadFile(Out("sub/deep/text.txt")), "previous version");
        if (!c.failures.count("sub\\data.bin")) ExpectSameAsSource("sub/data.bin");
        for (auto& e : zt::fs::recursive_directory_iterator(FScratch.Path()))
            EXPECT_EQ(e.path().filename().string().rfind("~sx", 0), std::string::npos) << "left " << e.path();
        zt::RemoveTree(FScratch.Path());
    }
}

TEST_F(ZipExtractTest, TargetThatCannotBeReplacedIsReportedAndLeftAlone) {
    // A folder in the way stands for any target Win32 refuses to replace (a running program's file).
    zt::fs::create_directories(Out("hello.txt/inside"));
    Extract("info-deflated.zip", "hello.txt");
    EXPECT_EQ(FailureCodes(), (std::map<std::string, int>{{"hello.txt", 19}}));
    EXPECT_TRUE(zt::fs::is_directory(Out("hello.txt/inside")));
    for (auto& e : zt::fs::directory_iterator(FScratch.Path()))
        EXPECT_EQ(e.path().filename().string().rfind("~sx", 0), std::string::npos) << "left " << e.path();
}

TEST_F(ZipExtractTest, CorruptedFilesAreKeptWhenAsked) {
    FZip.ExtractCorruptedFiles = true;
    Extract("damaged-crc.zip");
    EXPECT_TRUE(FFailures.empty());
    ExpectSameAsSource("sub/deep/text.txt");   // only the stored CRC was changed
}

TEST_F(ZipExtractTest, TruncatedArchiveIsRepairedAsFarAsItGoes) {
    Extract("damaged-truncated.zip");
    ExpectSameAsSource("hello.txt");
    EXPECT_EQ(FailureCodes().count("sub\\deep\\text.txt"), 1u);
    EXPECT_FALSE(zt::fs::exists(Out("sub/deep/text.txt")));

    FFailures.clear();
    zt::RemoveTree(FScratch.Path());
    Extract("damaged-descriptor-nodir.zip");
    EXPECT_TRUE(FFailures.empty());
    ExpectSameAsSource("hello.txt");
    ExpectSameAsSource("sub/deep/text.txt");
}

TEST_F(ZipExtractTest, PasswordQuestionRetriesAndSkips) {
    std::vector<std::string> asked;
    FZip.Password = "wrong";
    FZip.OnPassword = [&](TZpBaseArchiver*, const std::string& name, std::string& password, bool&) {
        asked.push_back(name);
        password = "secret";
    };
    Extract("info-encrypted.zip", "hello.txt");
    ExpectSameAsSource("hello.txt");
    EXPECT_EQ(asked, std::vector<std::string>{"hello.txt"});
    EXPECT_EQ(FZip.Password, "secret");

    zt::RemoveTree(FScratch.Path());
    FZip.Password = "wrong";
    FZip.OnPassword = [&](TZpBaseArchiver*, const std::string&, std::string&, bool& skip) { skip = true; };
    Extract("info-encrypted.zip");
    EXPECT_TRUE(FFailures.empty());
    EXPECT_FALSE(zt::fs::exists(Out("hello.txt")));
    // Only the three folders came out; a caller that checks whether every item did (the
    // updater does) must see the five skipped files, also when a folder is the last item.
    EXPECT_EQ(FZip.FilesTotal(), 8);
    EXPECT_EQ(FZip.FilesProcessed(), 3);
    EXPECT_TRUE(zt::fs::is_directory(Out("emptydir")));

    FZip.OnPassword = nullptr;   // no handler, no UI: the item is skipped
    Extract("7z-zipcrypto.zip", "hello.txt");
    EXPECT_FALSE(zt::fs::exists(Out("hello.txt")));
}

TEST_F(ZipExtractTest, NamesLeavingTheBaseFolderAreRefused) {
    zt::fs::path base = FScratch.Path() / "base";
    zt::fs::create_directories(base);
    FZip.BaseDir = base.string();
    Extract("py-evil.zip");
    EXPECT_EQ(FFailures.size(), 9u);
    for (const TFailure& f : FFailures) EXPECT_EQ(f.NativeError, 19) << f.Name;
    EXPECT_EQ(zt::ReadFile(base / "fine.txt"), "payload of fine.txt");
    size_t entries = 0;
    for (auto& e : zt::fs::recursive_directory_iterator(FScratch.Path())) {
        ++entries;
        EXPECT_EQ(e.path().filename().string().find("evil"), std::string::npos) << e.path();
    }
    EXPECT_EQ(entries, 2u);   // base and base/fine.txt
}

TEST_F(ZipExtractTest, ProgressEventsFollowTheChunks) {
    std::vector<std::pair<TZpProgressPhase, double>> file, overall;
    FZip.OnFileProgress = [&](TZpBaseArchiver*, const std::string&, double p, TZpProcessOperation, TZpProgressPhase ph,
                              bool&) { file.push_back({ph, p}); };
    FZip.OnOverallProgress = [&](TZpBaseArchiver*, double p, TZpProcessOperation, TZpProgressPhase ph, bool&) {
        overall.push_back({ph, p});
    };
    Extract("big-stored.zip");
    ASSERT_EQ(file.size(), 5u);
    EXPECT_EQ(file.front().first, ppStart);
    EXPECT_EQ(file[1].first, ppProcess);
    EXPECT_EQ(file[3].first, ppProcess);
    EXPECT_NEAR(file[2].second, 100.0 / 3, 0.01);
    EXPECT_EQ(file.back().first, ppEnd);
    EXPECT_EQ(overall.front().first, ppStart);
    EXPECT_EQ(overall.back().first, ppEnd);
    EXPECT_EQ(overall.size(), 5u);

    file.clear();
    overall.clear();
    Extract("py-empty.zip");
    EXPECT_TRUE(file.empty());
    ASSERT_EQ(overall.size(), 2u);
    EXPECT_EQ(overall[0].first, ppStart);
    EXPECT_EQ(overall[1].first, ppEnd);
}

TEST_F(ZipExtractTest, CancelledItemLeavesTheOldFile) {
    zt::WriteFile(Out("big.bin"), "old big");
    FZip.OnFileProgress = [&](TZpBaseArchiver*, const std::string&, double p, TZpProcessOperation, TZpProgressPhase ph,
                              bool& cancel) { cancel = ph == ppProcess && p > 50; };
    Extract("big-deflated.zip");
    EXPECT_TRUE(FZip.Cancelled());
    EXPECT_TRUE(FFailures.empty());
    EXPECT_EQ(zt::ReadFile(Out("big.bin")), "old big");
}

TEST_F(ZipExtractTest, FailureAnswersRetryIgnoreAndAbort) {
    int calls = 0;
    FZip.OnProcessFileFailure = [&](TZpBaseArchiver*, const std::string&, TZpProcessOperation, int, int,
                                    const std::string& message, TZpAction& action) {
        ++calls;
        EXPECT_EQ(message.rfind("zip: ", 0), 0u);
        action = calls < 3 ? fxaRetry : fxaAbort;
    };
    Extract("7z-bzip2.zip");
    EXPECT_EQ(calls, 3);
    EXPECT_LT(FZip.FilesProcessed(), FZip.FilesTotal());
}

TEST_F(ZipExtractTest, HandlersRenameAndSkipItems) {
    FZip.OnConfirmProcessFile = [](TZpBaseArchiver*, const std::string& name, TZpProcessOperation, bool& confirm) {
        confirm = name != "readonly.txt";
    };
    FZip.OnExtractFile = [](TZpBaseArchiver*, std::string& name, uint32_t&, const std::string&) {
        if (name == "hello.txt") name = "renamed.txt";
    };
    Extract("info-deflated.zip");
    EXPECT_EQ(zt::ReadFile(Out("renamed.txt")), Source("hello.txt"));
    EXPECT_FALSE(zt::fs::exists(Out("hello.txt")));
    EXPECT_FALSE(zt::fs::exists(Out("readonly.txt")));
    EXPECT_EQ(FZip.FilesProcessed(), FZip.FilesTotal() - 1);
}

TEST_F(ZipExtractTest, SelfExtractorWithItsStubOpensAsOneFile) {
    zt::fs::path exe = FScratch.Path() / "stub" / "update.exe";
    zt::fs::create_directories(exe.parent_path());
    zt::fs::copy_file(zt::DataPath("prefixed.zip"), exe);
    FZip.BaseDir = (FScratch.Path() / "out").string();
    FZip.FileName = exe.string();
    FZip.OpenArchive(2);
    EXPECT_EQ(FZip.SpanningMode(), smNone);
    EXPECT_GT(FZip.Directory()->BaseOffset(), 0);
    FZip.ExtractFiles("*.*");
    FZip.CloseArchive();
    EXPECT_TRUE(FFailures.empty());
    EXPECT_EQ(zt::ReadFile(FScratch.Path() / "out" / "sub/data.bin"), Source("sub/data.bin"));
}

TEST_F(ZipExtractTest, HandlerMayRunAnotherExtractionOnTheSameThread) {
    bool nested = false;
    FZip.OnOverallProgress = [&](TZpBaseArchiver*, double, TZpProcessOperation, TZpProgressPhase phase, bool&) {
        if (phase != ppStart || nested) return;
        nested = true;
        TZipArchiver inner;
        inner.FileName = zt::Data("info-stored.zip");
        inner.BaseDir = (FScratch.Path() / "inner").string();
        inner.OpenArchive(2);
        inner.ExtractFiles("hello.txt");
    };
    Extract("info-deflated.zip", "hello.txt");
    EXPECT_TRUE(nested);
    EXPECT_EQ(zt::ReadFile(FScratch.Path() / "inner" / "hello.txt"), Source("hello.txt"));
    ExpectSameAsSource("hello.txt");
}

TEST_F(ZipExtractTest, UpdaterRoadReplacesTheInstalledFiles) {
    TScriptedUi ui;
    ui.Overwrite = TZpUi::oaYes;
    TZipArchiver zip;
    zip.Name = "zip";
    zip.Ui = &ui;
    zip.Options.OverwriteMode = omPrompt;
    zip.Options.FlushBuffers = true;
    zip.Options.OEMFileNames = true;
    for (const std::string& f : zt::SourceFiles()) zt::WriteFile(Out(f), "installed");
    zip.FileName = zt::Data("info-deflated.zip");
    zip.OpenArchive(2);
    zip.BaseDir = FScratch.Dir();
    ASSERT_GT(zip.Size(), 0);
    zip.ExtractFiles("*.*", 10431, "");
    zip.CloseArchive();
    EXPECT_EQ(ui.Questions, 5);
    for (const std::string& f : zt::SourceFiles()) ExpectSameAsSource(f);
}
