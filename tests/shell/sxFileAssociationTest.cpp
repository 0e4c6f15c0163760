// tests/shell/sxFileAssociationTest.cpp -- TsxFileAssociation writing, reading back and deleting an
// extension of the test's own under HKEY_CLASSES_ROOT; the icon text rules as a table
#include <gtest/gtest.h>

#include <string>

#include "desktop/Classes.h"
#include "desktop/DescriptionReader.h"
#include "desktop/Registry.h"
#include "shell/ShellComponentClasses.h"
#include "shell/sxFileAssociation.h"
#include "shell/sxSysUtils.h"
#include "sxFileTestSupport.h"

namespace {

// The default value of HKCR\path; "<no key>" or "<no value>" when missing.
std::string ClassesDefault(const std::string& path) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    if (!registry.OpenKeyReadOnly("\\" + path)) return "<no key>";
    return registry.ValueExists("") ? registry.ReadString("") : "<no value>";
}

bool ClassesKeyExists(const std::string& path) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    return registry.KeyExists("\\" + path);
}

void WriteClassesDefault(const std::string& path, const std::string& value) {
    TRegistry registry;
    registry.SetRootKey(HKEY_CLASSES_ROOT);
    ASSERT_TRUE(registry.OpenKey("\\" + path, true)) << path;
    registry.WriteString("", value);
}

// An extension and a class name of this test run's own, removed before and after each test.
class FileAssociationTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string id = std::to_string(GetCurrentProcessId());
        Ext = ".sxtest" + id;
        ClassName = "SentinoxTest" + id + "File";
        RemoveKeys();
    }
    void TearDown() override { RemoveKeys(); }
    void RemoveKeys() {
        TRegistry registry;
        registry.SetRootKey(HKEY_CLASSES_ROOT);
        for (const std::string& key : {Ext, ClassName, Ext.substr(1) + "file", std::string(".sx\\evil") + Ext})
            if (registry.KeyExists("\\" + key)) registry.DeleteKey("\\" + key);
    }
    // A component in run-time mode that writes on every change.
    void Writable(TsxFileAssociation& association) {
        association.SetReadOnly(false);
        association.SetExtension(Ext);
    }

    std::string Ext, ClassName;
};

TEST_F(FileAssociationTest, WrittenFieldsLandInTheRegistryAndReadBackWhole) {
    const std::string shell32 = SystemFolder() + "shell32.dll";
    {
        TsxFileAssociation association(nullptr);
        Writable(association);
        association.SetExtDescription(ClassName);
        association.SetFileDescription("Sentinox test file");
        association.SetIconFile(shell32);
        association.SetIconIndex(3);
        association.SetOpenCommandDescription("&Open it");
        association.SetOpenCommand("notepad.exe \"%1\"");
        association.SetPrintToCommand("notepad.exe /pt \"%1\" \"%2\"");
        association.SetEditCommandDescription("Edit (no command, so not written)");
    }
    EXPECT_EQ(ClassesDefault(Ext), ClassName);
    EXPECT_EQ(ClassesDefault(ClassName), "Sentinox test file");
    EXPECT_EQ(ClassesDefault(ClassName + "\\DefaultIcon"), shell32 + ",3");
    EXPECT_EQ(ClassesDefault(ClassName + "\\shell\\open"), "&Open it");
    EXPECT_EQ(ClassesDefault(ClassName + "\\shell\\open\\command"), "notepad.exe \"%1\"");
    EXPECT_EQ(ClassesDefault(ClassName + "\\shell\\printto"), "");   // its empty description
    EXPECT_EQ(ClassesDefault(ClassName + "\\shell\\printto\\command"), "notepad.exe /pt \"%1\" \"%2\"");
    EXPECT_FALSE(ClassesKeyExists(ClassName + "\\shell\\edit"));

    TsxFileAssociation reader(nullptr);
    reader.SetExtension(Ext.substr(1));   // the dot is added
    EXPECT_EQ(reader.Extension(), Ext);
    EXPECT_TRUE(reader.ReadAssociation());
    EXPECT_EQ(reader.ExtDescription(), ClassName);
    EXPECT_EQ(reader.FileDescription(), "Sentinox test file");
    EXPECT_EQ(reader.IconFile(), shell32);
    EXPECT_EQ(reader.IconIndex(), 3);
    EXPECT_EQ(reader.LargeIcon().Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(reader.SmallIcon().Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(reader.OpenCommandDescription(), "&Open it");
    EXPECT_EQ(reader.OpenCommand(), "notepad.exe \"%1\"");
    EXPECT_EQ(reader.PrintToCommand(), "notepad.exe /pt \"%1\" \"%2\"");
    EXPECT_EQ(reader.EditCommandDescription(), "");
    EXPECT_EQ(reader.OpenNewCommand(), "");
}

TEST_F(FileAssociationTest, DeleteRemovesTheExtensionKeyAndClearsTheFields) {
    TsxFileAssociation association(nullptr);
    Writable(association);
    association.SetExtDescription(ClassName);
    association.SetFileDescription("to be deleted");
    ASSERT_EQ(ClassesDefault(Ext), ClassName);

    EXPECT_TRUE(association.DeleteAssociation());
    EXPECT_FALSE(ClassesKeyExists(Ext));
    EXPECT_EQ(association.ExtDescription(), "");
    EXPECT_EQ(association.FileDescription(), "");
    // The class key may serve other extensions: it stays.
    EXPECT_EQ(ClassesDefault(ClassName), "to be deleted");
    // Nothing left to delete is no failure.
    EXPECT_TRUE(association.DeleteAssociation());
}

TEST_F(FileAssociationTest, AnEmptyClassNameIsMadeFromTheExtension) {
    TsxFileAssociation association(nullptr);
    Writable(association);
    association.SetFileDescription("named after the extension");
    EXPECT_EQ(association.ExtDescription(), Ext.substr(1) + "file");
    EXPECT_EQ(ClassesDefault(Ext), Ext.substr(1) + "file");
    EXPECT_EQ(ClassesDefault(Ext.substr(1) + "file"), "named after the extension");
}

TEST_F(FileAssociationTest, ReadOnlyRefusesEveryChangeAtRunTime) {
    WriteClassesDefault(Ext, ClassName);
    WriteClassesDefault(ClassName, "as registered");
    TsxFileAssociation association(nullptr);
    association.SetExtension(Ext);
    ASSERT_TRUE(association.ReadOnly());
    association.SetFileDescription("changed");
    association.SetIconIndex(7);
    association.SetOpenCommand("x.exe");
    EXPECT_EQ(association.FileDescription(), "as registered");
    EXPECT_EQ(association.IconIndex(), 0);
    EXPECT_EQ(association.OpenCommand(), "");
    EXPECT_EQ(ClassesDefault(ClassName), "as registered");
    EXPECT_FALSE(ClassesKeyExists(ClassName + "\\shell"));
}

TEST_F(FileAssociationTest, WhileDesigningAReadOnlyChangeIsStoredButNotWrittenAndWarnedAbout) {
    TsxFileAssociation association(nullptr);
    association.SetDesigning(true);
    association.SetExtension(Ext);
    sxtest::TDialogAnswerer answerer(IDOK);
    association.SetFileDescription("design time");
    EXPECT_EQ(answerer.Caption(), "Warning");
    EXPECT_EQ(answerer.Text(), "Cannot change the property in Read-Only mode.");
    EXPECT_EQ(association.FileDescription(), "design time");
    EXPECT_FALSE(ClassesKeyExists(Ext));
}

TEST_F(FileAssociationTest, AnUnregisteredExtensionReadsAsNothing) {
    TsxFileAssociation association(nullptr);
    association.SetExtension(Ext);
    EXPECT_FALSE(association.ReadAssociation());
    EXPECT_EQ(association.ExtDescription(), "");
    EXPECT_EQ(association.FileDescription(), "");
    EXPECT_TRUE(association.LargeIcon().Empty());

    // An extension key with no class name must not be read as HKCR's own key.
    WriteClassesDefault(Ext + "\\sub", "x");
    EXPECT_FALSE(association.ReadAssociation());
    EXPECT_EQ(association.FileDescription(), "");
}

TEST_F(FileAssociationTest, AClassNameMissingAtTheTopIsLookedUpBelowTheExtension) {
    WriteClassesDefault(Ext, "Nested");
    WriteClassesDefault(Ext + "\\Nested", "found below the extension");
    WriteClassesDefault(Ext + "\\Nested\\shell\\open\\command", "nested.exe");
    TsxFileAssociation association(nullptr);
    association.SetExtension(Ext);
    EXPECT_TRUE(association.ReadAssociation());
    EXPECT_EQ(association.FileDescription(), "found below the extension");
    EXPECT_EQ(association.OpenCommand(), "nested.exe");
}

TEST_F(FileAssociationTest, AnIconThatCannotBeExtractedFallsBackToTheShellsDocumentIcon) {
    WriteClassesDefault(Ext, ClassName);
    WriteClassesDefault(ClassName + "\\DefaultIcon", "C:\\no\\such\\file.dll,4");
    TsxFileAssociation association(nullptr);
    association.SetExtension(Ext);
    EXPECT_EQ(association.IconFile(), "C:\\no\\such\\file.dll");
    EXPECT_EQ(association.IconIndex(), 4);
    EXPECT_EQ(association.LargeIcon().Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(association.SmallIcon().Kind(), TGraphicKind::gkIcon);
}

TEST_F(FileAssociationTest, NamesThatReachIntoOtherKeysAreRefused) {
    TsxFileAssociation association(nullptr);
    association.SetReadOnly(false);
    association.SetExtension(".sx\\evil" + Ext);
    association.SetFileDescription("must not be written");
    EXPECT_FALSE(association.WriteAssociation());
    EXPECT_FALSE(association.DeleteAssociation());
    EXPECT_FALSE(ClassesKeyExists(".sx\\evil" + Ext));

    association.SetExtension(Ext);
    association.SetExtDescription("txtfile\\shell\\open");
    EXPECT_FALSE(association.WriteAssociation());
    EXPECT_EQ(ClassesDefault(Ext), "<no key>");

    association.SetExtension(".");
    EXPECT_FALSE(association.WriteAssociation());
}

TEST(SplitIconTextTest, FileAndIndexFollowTheCommaRules) {
    const struct {
        const char* Text;
        const char* File;
        int Index;
    } cases[] = {
        {"C:\\app\\tool.exe,3", "C:\\app\\tool.exe", 3},
        {"C:\\app\\tool.exe,-101", "C:\\app\\tool.exe", -101},   // a resource identifier
        {"C:\\app\\tool.exe", "C:\\app\\tool.exe", 0},
        {"C:\\app\\tool.exe, 2", "C:\\app\\tool.exe", 2},
        {"C:\\app\\tool.exe,x", "C:\\app\\tool.exe,x", 0},        // not a number: the text stays whole
        {"C:\\app\\tool.exe,", "C:\\app\\tool.exe,", 0},
        {"%1", "%1", 0},
        {"a,1,2", "a", 1},                                         // the part after the last comma is dropped
        {"a,b,5", "a,b", 0},
        {"", "", 0},
    };
    for (const auto& c : cases) {
        std::string file = "?";
        int index = 99;
        SplitIconText(c.Text, file, index);
        EXPECT_EQ(file, c.File) << c.Text;
        EXPECT_EQ(index, c.Index) << c.Text;
    }
}

// ---- from a window description

class TAssociationRoot : public TComponent {
public:
    TAssociationRoot() : TComponent(nullptr) {}
};

const TClassInfo& AssociationRootClass() {
    RegisterShellComponentClasses();
    static TClassInfo& info = TClassRegistration<TAssociationRoot>("TAssociationRoot", "TComponent").Info();
    return info;
}

TEST_F(FileAssociationTest, ADescribedReadOnlyComponentShowsTheRegistrysValues) {
    WriteClassesDefault(Ext, ClassName);
    WriteClassesDefault(ClassName, "from the registry");
    TAssociationRoot root;
    LoadDescription(&root, AssociationRootClass(),
                    "object root: TAssociationRoot\n"
                    "  object assoc: TsxFileAssociation\n"
                    "    Extension = '" + Ext.substr(1) + "'\n"
                    "    FileDescription = 'stored at design time'\n"
                    "    OpenCommand = 'stored.exe'\n"
                    "  end\n"
                    "end\n");
    auto* association = dynamic_cast<TsxFileAssociation*>(root.FindComponent("assoc"));
    ASSERT_NE(association, nullptr);
    EXPECT_EQ(association->Extension(), Ext);
    EXPECT_EQ(association->ExtDescription(), ClassName);
    EXPECT_EQ(association->FileDescription(), "from the registry");
    EXPECT_EQ(association->OpenCommand(), "");
    EXPECT_EQ(ClassesDefault(ClassName), "from the registry");
}

} // namespace
