// tests/shell/sxFileStorageTest.cpp -- TsxFileStorage: real files in a folder of the test's own, the
// overwrite question, files that cannot be read or written, and the bytes carried through a
// window description and written out by AutoSave
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxFileStorage.h"
#include "sxFileTestSupport.h"

using namespace sxtest;
using namespace std::string_literals;

namespace {

// Every byte value, so nothing is lost to text handling.
const std::string AllBytes = [] {
    std::string s;
    for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
    return s + "\0\r\n\x1a end"s;
}();

std::vector<unsigned char> Bytes(const std::string& s) { return std::vector<unsigned char>(s.begin(), s.end()); }

// Owner of the storage and the target of its events; also the root of the descriptions.
class TStorageRoot : public TComponent {
public:
    TStorageRoot() : TComponent(nullptr) {}
    void storeLoad(TObject*, bool ok) { Log.push_back(ok ? "load ok" : "load failed"); }
    void storeSave(TObject*, bool ok) { Log.push_back(ok ? "save ok" : "save failed"); }
    void storeConfirm(TObject*, bool& overrideFile) {
        Log.push_back("confirm");
        overrideFile = AllowOverride;
    }
    std::vector<std::string> Log;
    bool AllowOverride = true;
};

const TClassInfo& StorageRootClass() {
    RegisterShellComponentClasses();
    static TClassInfo& info = TClassRegistration<TStorageRoot>("TStorageRoot", "TComponent")
                                  .Handler("storeLoad", &TStorageRoot::storeLoad)
                                  .Handler("storeSave", &TStorageRoot::storeSave)
                                  .Handler("storeConfirm", &TStorageRoot::storeConfirm)
                                  .Info();
    return info;
}

class FileStorageTest : public ::testing::Test {
protected:
    void SetUp() override {
        FStorage = new TsxFileStorage(&FRoot);
        FStorage->SetOnLoad(TsxFileStorageOnFileOperation(&FRoot, &TStorageRoot::storeLoad));
        FStorage->SetOnSave(TsxFileStorageOnFileOperation(&FRoot, &TStorageRoot::storeSave));
        FStorage->SetOnConfirmOverride(TsxFileStorageOnConfirmOverride(&FRoot, &TStorageRoot::storeConfirm));
    }
    // Puts bytes into the storage as a description would.
    void Fill(const std::string& data) {
        std::vector<unsigned char> stored;
        for (int shift = 0; shift < 32; shift += 8) stored.push_back(static_cast<unsigned char>(data.size() >> shift));
        stored.insert(stored.end(), data.begin(), data.end());
        FStorage->ReadData(stored);
    }
    std::string Data() const { return std::string(FStorage->Data().begin(), FStorage->Data().end()); }
    const std::vector<std::string>& Log() const { return FRoot.Log; }

    TTempFolder FFolder;
    TStorageRoot FRoot;
    TsxFileStorage* FStorage = nullptr;   // owned by FRoot
};

TEST_F(FileStorageTest, AFileLoadedIsSavedByteForByte) {
    WriteWholeFile(FFolder / "in.bin", AllBytes);
    ASSERT_TRUE(FStorage->LoadFromFile(FFolder / "in.bin"));
    EXPECT_EQ(FStorage->DataSize(), AllBytes.size());
    EXPECT_EQ(Data(), AllBytes);
    ASSERT_TRUE(FStorage->SaveToFile(FFolder / "out.bin"));
    EXPECT_EQ(ReadWholeFile(FFolder / "out.bin"), AllBytes);
    EXPECT_EQ(Log(), (std::vector<std::string>{"load ok", "save ok"}));
    // Only the two files: no temporary file is left beside the saved one.
    EXPECT_EQ(FFolder.Listing(), "in.bin out.bin");
}

TEST_F(FileStorageTest, AnEmptyFileRoundTrips) {
    WriteWholeFile(FFolder / "empty", "");
    ASSERT_TRUE(FStorage->LoadFromFile(FFolder / "empty"));
    EXPECT_EQ(FStorage->DataSize(), 0u);
    ASSERT_TRUE(FStorage->SaveToFile(FFolder / "copy"));
    EXPECT_EQ(ReadWholeFile(FFolder / "copy"), "");
}

TEST_F(FileStorageTest, AMissingFileEmptiesTheStorageAndSaysSo) {
    WriteWholeFile(FFolder / "in.bin", "old");
    ASSERT_TRUE(FStorage->LoadFromFile(FFolder / "in.bin"));
    EXPECT_FALSE(FStorage->LoadFromFile(FFolder / "missing.bin"));
    EXPECT_EQ(FStorage->DataSize(), 0u);
    EXPECT_EQ(Log().back(), "load failed");
    // A folder is no file to load either.
    EXPECT_FALSE(FStorage->LoadFromFile(FFolder.Path()));
}

TEST_F(FileStorageTest, AFileThatCannotBeReadFailsLoudlyAndLeavesNoHalfFile) {
    WriteWholeFile(FFolder / "locked.bin", "secret");
    HANDLE lock = CreateFileA((FFolder / "locked.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    try {
        FStorage->LoadFromFile(FFolder / "locked.bin");
        ADD_FAILURE() << "no exception";
    } catch (const EsxFileStorage& e) {
        EXPECT_EQ(e.Message(), "Can not load data from the \"" + (FFolder / "locked.bin") + "\" file");
    }
    CloseHandle(lock);
    EXPECT_EQ(Log(), (std::vector<std::string>{"load failed"}));   // before the exception left
    EXPECT_EQ(FStorage->DataSize(), 0u);
}

TEST_F(FileStorageTest, AnExistingFileIsReplacedOnlyWhenTheOverwriteIsConfirmed) {
    Fill("new content");
    WriteWholeFile(FFolder / "target", "old content");

    FRoot.AllowOverride = false;
    EXPECT_FALSE(FStorage->SaveToFile(FFolder / "target"));
    EXPECT_EQ(ReadWholeFile(FFolder / "target"), "old content");
    EXPECT_EQ(Log(), (std::vector<std::string>{"confirm", "save failed"}));

    FRoot.Log.clear();
    FRoot.AllowOverride = true;
    EXPECT_TRUE(FStorage->SaveToFile(FFolder / "target"));
    EXPECT_EQ(ReadWholeFile(FFolder / "target"), "new content");
    EXPECT_EQ(Log(), (std::vector<std::string>{"confirm", "save ok"}));

    // A new file needs no question.
    FRoot.Log.clear();
    EXPECT_TRUE(FStorage->SaveToFile(FFolder / "fresh"));
    EXPECT_EQ(Log(), (std::vector<std::string>{"save ok"}));
}

TEST_F(FileStorageTest, AFileThatCannotBeWrittenFailsAndKeepsWhatWasThere) {
    Fill("new content");
    WriteWholeFile(FFolder / "readonly", "old content");
    ASSERT_TRUE(SetFileAttributesA((FFolder / "readonly").c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string targets[] = {FFolder / "readonly", FFolder / "no-such-folder\\out.bin", FFolder / "", ""};
    for (const std::string& target : targets) {
        SCOPED_TRACE(target);
        FRoot.Log.clear();
        try {
            FStorage->SaveToFile(target);
            ADD_FAILURE() << "no exception";
        } catch (const EsxFileStorage& e) {
            EXPECT_EQ(e.Message(), "Can not save data to the \"" + target + "\" file");
        }
        EXPECT_EQ(Log().back(), "save failed");
    }
    EXPECT_EQ(ReadWholeFile(FFolder / "readonly"), "old content");
    EXPECT_EQ(FFolder.Listing(), "readonly");   // no temporary file left behind
}

TEST_F(FileStorageTest, TheStoredFormIsTheLittleEndianSizeThenTheBytes) {
    Fill("abc");
    EXPECT_EQ(FStorage->WriteData(), Bytes("\x03\0\0\0abc"s));
    FStorage->Clear();
    EXPECT_EQ(FStorage->WriteData(), Bytes("\0\0\0\0"s));
}

TEST_F(FileStorageTest, DamagedStoredDataIsRefusedAndChangesNothing) {
    Fill("kept");
    for (const std::string& stored : {"\x05\0\0\0abc"s, "\x01\0\0\0ab"s, "\x02\0"s, ""s}) {
        EXPECT_THROW(FStorage->ReadData(Bytes(stored)), EsxFileStorage) << stored.size();
        EXPECT_EQ(Data(), "kept");
    }
}

TEST_F(FileStorageTest, WhileDesigningFileNameLoadsAndABadSaveNameTurnsAutoSaveOff) {
    WriteWholeFile(FFolder / "picked.bin", "picked at design time");
    FStorage->SetDesigning(true);
    FStorage->SetFileName(FFolder / "picked.bin");
    EXPECT_EQ(Data(), "picked at design time");
    FStorage->SetSaveName(FFolder / "out.bin");
    FStorage->SetAutoSave(true);
    EXPECT_TRUE(FStorage->AutoSave());
    FStorage->SetSaveName(FFolder / "no-such-folder\\out.bin");
    EXPECT_FALSE(FStorage->AutoSave());
    EXPECT_EQ(FFolder.Listing(), "picked.bin");   // trying the names left nothing behind

    TDialogAnswerer answerer(IDOK);
    FStorage->SetAutoSave(true);
    EXPECT_EQ(answerer.Caption(), "Warning");
    EXPECT_EQ(answerer.Text(), "AutoSave can not be set because the SaveName property contains a wrong file name");
    EXPECT_FALSE(FStorage->AutoSave());
}

// ---- through a window description

TEST_F(FileStorageTest, AFileCarriedInADescriptionIsWrittenToSaveNameWhenTheWindowIsMade) {
    WriteWholeFile(FFolder / "embedded.bin", AllBytes);
    ASSERT_TRUE(FStorage->LoadFromFile(FFolder / "embedded.bin"));
    std::string description = "object root: TStorageRoot\n"
                              "  object store: TsxFileStorage\n"
                              "    SaveName = '" + (FFolder / "saved.bin") + "'\n"
                              "    FileName = 'C:\\design\\time\\source.bin'\n"
                              "    AutoSave = True\n"
                              "    OnSave = storeSave\n"
                              "    FileData = " + BinaryValueText(FStorage->WriteData()) + "\n"
                              "  end\n"
                              "end\n";
    TStorageRoot root;
    LoadDescription(&root, StorageRootClass(), description);
    auto* store = dynamic_cast<TsxFileStorage*>(root.FindComponent("store"));
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->DataSize(), AllBytes.size());
    EXPECT_EQ(store->FileName(), "C:\\design\\time\\source.bin");   // only stored at run time
    EXPECT_EQ(ReadWholeFile(FFolder / "saved.bin"), AllBytes);
    EXPECT_EQ(root.Log, (std::vector<std::string>{"save ok"}));
}

TEST_F(FileStorageTest, AutoSaveOverAnExistingFileAsksFirst) {
    WriteWholeFile(FFolder / "saved.bin", "keep me");
    TStorageRoot root;
    root.AllowOverride = false;
    LoadDescription(&root, StorageRootClass(),
                    "object root: TStorageRoot\n"
                    "  object store: TsxFileStorage\n"
                    "    SaveName = '" + (FFolder / "saved.bin") + "'\n"
                    "    AutoSave = True\n"
                    "    OnSave = storeSave\n"
                    "    OnConfirmOverride = storeConfirm\n"
                    "    FileData = {0300000078797A}\n"
                    "  end\n"
                    "end\n");
    EXPECT_EQ(root.Log, (std::vector<std::string>{"confirm", "save failed"}));
    EXPECT_EQ(ReadWholeFile(FFolder / "saved.bin"), "keep me");
}

TEST_F(FileStorageTest, WithoutAutoSaveNothingIsWritten) {
    TStorageRoot root;
    LoadDescription(&root, StorageRootClass(),
                    "object root: TStorageRoot\n"
                    "  object store: TsxFileStorage\n"
                    "    SaveName = '" + (FFolder / "saved.bin") + "'\n"
                    "    FileData = {0300000078797A}\n"
                    "  end\n"
                    "end\n");
    auto* store = dynamic_cast<TsxFileStorage*>(root.FindComponent("store"));
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(std::string(store->Data().begin(), store->Data().end()), "xyz");
    EXPECT_EQ(FFolder.Listing(), "");
    ASSERT_TRUE(store->Save());
    EXPECT_EQ(ReadWholeFile(FFolder / "saved.bin"), "xyz");
}

TEST_F(FileStorageTest, DamagedFileDataInADescriptionIsADescriptionError) {
    for (const char* data : {"{05000000414243}", "{0300}", "'text'"}) {
        TStorageRoot root;
        EXPECT_THROW(LoadDescription(&root, StorageRootClass(),
                                     std::string("object root: TStorageRoot\n"
                                                 "  object store: TsxFileStorage\n"
                                                 "    FileData = ") + data + "\n"
                                                 "  end\n"
                                                 "end\n"),
                     EDescriptionError)
            << data;
    }
}

} // namespace
