// tests/shell/sxAutoRunTest.cpp -- TsxAutoRun and the autostart routines on the real Run and
// RunOnce keys, with value names of the tests' own, deleted again in TearDown
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "desktop/DescriptionReader.h"
#include "desktop/Registry.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxAutoRun.h"

namespace {

const TsxAutoExecKind PlainKinds[] = {aekMachineRun, aekMachineRunOnce, aekUserRun, aekUserRunOnce};

class sxAutoRunTest : public testing::Test {
protected:
    void SetUp() override { RegisterShellUtilityClasses(); }

    void TearDown() override {
        for (const std::string& name : FNames)
            for (TsxAutoExecKind kind : PlainKinds) DeleteValue(kind, name);
    }

    // A command whose value name is remembered for cleaning up.
    std::string Command(const std::string& name, const std::string& arguments = "") {
        FNames.push_back(arguments.empty() ? name : name + " " + arguments);
        return "C:\\SxAutoRunTest\\" + FNames.back();
    }
    void Forget(const std::string& valueName) { FNames.push_back(valueName); }

    static bool HasValue(TsxAutoExecKind kind, const std::string& name) {
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        TRegistry reg(KEY_READ);
        reg.SetRootKey(key.Root);
        return reg.OpenKeyReadOnly(key.Path) && reg.ValueExists(name);
    }
    static std::string Data(TsxAutoExecKind kind, const std::string& name, TRegDataType* typeOut = nullptr) {
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        TRegistry reg(KEY_READ);
        reg.SetRootKey(key.Root);
        if (!reg.OpenKeyReadOnly(key.Path) || !reg.ValueExists(name)) return "<absent>";
        if (typeOut) *typeOut = reg.GetDataType(name);
        return reg.ReadString(name);
    }
    static void Put(TsxAutoExecKind kind, const std::string& name, const std::string& data) {
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        TRegistry reg;
        reg.SetRootKey(key.Root);
        ASSERT_TRUE(reg.OpenKey(key.Path, true));
        reg.WriteString(name, data);
    }
    static void DeleteValue(TsxAutoExecKind kind, const std::string& name) {
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        TRegistry reg;
        reg.SetRootKey(key.Root);
        if (reg.OpenKey(key.Path, false)) reg.DeleteValue(name);
    }
    // Kinds whose key holds the value.
    static std::vector<TsxAutoExecKind> WhereIs(const std::string& name) {
        std::vector<TsxAutoExecKind> found;
        for (TsxAutoExecKind kind : PlainKinds)
            if (HasValue(kind, name)) found.push_back(kind);
        return found;
    }

    std::vector<std::string> FNames;
};

using Kinds = std::vector<TsxAutoExecKind>;

} // namespace

TEST_F(sxAutoRunTest, KeysOfTheKinds) {
    struct { TsxAutoExecKind Kind; HKEY Root; const char* Last; } cases[] = {
        {aekMachineRun, HKEY_LOCAL_MACHINE, "Run"}, {aekMachineRunOnce, HKEY_LOCAL_MACHINE, "RunOnce"},
        {aekUserRun, HKEY_CURRENT_USER, "Run"}, {aekUserRunOnce, HKEY_CURRENT_USER, "RunOnce"},
        {aekServiceRun, HKEY_LOCAL_MACHINE, "RunServices"}, {aekServiceRunOnce, HKEY_LOCAL_MACHINE, "RunServicesOnce"},
    };
    for (const auto& c : cases) {
        TsxAutoRunKey key = AutoRunKeyOfKind(c.Kind);
        EXPECT_EQ(c.Root, key.Root);
        EXPECT_EQ(std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + c.Last, key.Path);
    }
}

TEST_F(sxAutoRunTest, AutoRunWritesTheValueOfItsKindOnlyAndRemovesItWhenSwitchedOff) {
    for (TsxAutoExecKind kind : PlainKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        std::string command = Command("sxautorun-kind" + std::to_string(static_cast<int>(kind)) + ".exe", "-s");
        TsxAutoRun run(nullptr);
        run.SetKind(kind);
        run.SetFileName(command);
        EXPECT_EQ(Kinds{}, WhereIs(FNames.back()));
        run.SetAutoRun(true);
        EXPECT_EQ(Kinds{kind}, WhereIs(FNames.back()));
        TRegDataType type = rdUnknown;
        EXPECT_EQ(command, Data(kind, FNames.back(), &type));
        EXPECT_EQ(rdString, type);
        run.SetAutoRun(false);
        EXPECT_EQ(Kinds{}, WhereIs(FNames.back()));
    }
}

TEST_F(sxAutoRunTest, ValueNameIsTheTextAfterTheLastSeparator) {
    std::string withSwitch = Command("sxautorun-prog.exe", "-s");
    EXPECT_TRUE(RegisterAutoRun(aekUserRun, withSwitch));
    EXPECT_EQ(withSwitch, Data(aekUserRun, "sxautorun-prog.exe -s"));

    // An argument with a slash: only what follows the last "/" names the value.
    std::string slashed = "C:\\SxAutoRunTest\\sxautorun-slash.exe /sxautorun-min";
    Forget("sxautorun-min");
    EXPECT_TRUE(RegisterAutoRun(aekUserRun, slashed));
    EXPECT_EQ(slashed, Data(aekUserRun, "sxautorun-min"));
    EXPECT_TRUE(UnregisterAutoRun(aekUserRun, slashed));
    EXPECT_FALSE(HasValue(aekUserRun, "sxautorun-min"));
}

TEST_F(sxAutoRunTest, PercentInTheCommandWritesAnExpandableString) {
    std::string command = "%SystemRoot%\\" + Command("sxautorun-expand.exe").substr(3);
    EXPECT_TRUE(RegisterAutoRun(aekUserRun, command));
    TRegDataType type = rdUnknown;
    EXPECT_EQ(command, Data(aekUserRun, FNames.back(), &type));
    EXPECT_EQ(rdExpandString, type);
}

TEST_F(sxAutoRunTest, ServiceKindsOnNTNeitherWriteNorDelete) {
    std::string command = Command("sxautorun-service.exe");
    for (TsxAutoExecKind kind : {aekServiceRun, aekServiceRunOnce}) {
        EXPECT_FALSE(RegisterAutoRun(kind, command));
        EXPECT_FALSE(UnregisterAutoRun(kind, command));
        TsxAutoRunKey key = AutoRunKeyOfKind(kind);
        TRegistry reg(KEY_READ);
        reg.SetRootKey(key.Root);
        EXPECT_FALSE(reg.OpenKeyReadOnly(key.Path) && reg.ValueExists(FNames.back()));
    }
}

TEST_F(sxAutoRunTest, UnregisterAnswersTrueForAMissingValue) {
    EXPECT_TRUE(UnregisterAutoRun(aekUserRun, Command("sxautorun-never-written.exe")));
}

TEST_F(sxAutoRunTest, CommandWithoutANamePartNeverTouchesTheKeysDefaultValue) {
    EXPECT_FALSE(RegisterAutoRun(aekUserRun, "C:\\SxAutoRunTest\\"));
    EXPECT_FALSE(HasValue(aekUserRun, ""));
    EXPECT_FALSE(UnregisterAutoRun(aekUserRun, "C:\\SxAutoRunTest\\"));
}

TEST_F(sxAutoRunTest, WriteAutoRunValueRaisesWhenTheKeyCannotBeOpened) {
    // A handle that names no key: the create-or-open fails as a refused HKLM would.
    HKEY bogus = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x5A5A5A5A));
    try {
        WriteAutoRunValue(bogus, "Software\\SxAutoRunTest", "v", "d");
        FAIL() << "no exception";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ("Unable to open the Software\\SxAutoRunTest key", e.what());
    }
}

TEST_F(sxAutoRunTest, ChangingFileNameOrKindMovesAnActiveValue) {
    std::string first = Command("sxautorun-first.exe", "-s");
    std::string second = Command("sxautorun-second.exe", "-s");
    TsxAutoRun run(nullptr);
    run.SetKind(aekUserRun);
    run.SetFileName(first);
    run.SetAutoRun(true);
    run.SetFileName(second);
    EXPECT_EQ(Kinds{}, WhereIs("sxautorun-first.exe -s"));
    EXPECT_EQ(Kinds{aekUserRun}, WhereIs("sxautorun-second.exe -s"));
    run.SetKind(aekMachineRunOnce);
    EXPECT_EQ(Kinds{aekMachineRunOnce}, WhereIs("sxautorun-second.exe -s"));
}

TEST_F(sxAutoRunTest, NewFileNameWhileOffRemovesTheValueOfTheNewName) {
    // What the fatal start-up exit relies on: a component never switched on still clears the value.
    std::string command = Command("sxautorun-stale.exe", "-s");
    Put(aekUserRun, FNames.back(), command);
    TsxAutoRun run(nullptr);
    run.SetKind(aekUserRun);
    run.SetFileName(command);
    EXPECT_FALSE(HasValue(aekUserRun, FNames.back()));
}

TEST_F(sxAutoRunTest, SettingTheCurrentStateAgainLeavesTheRegistryAlone) {
    std::string command = Command("sxautorun-same.exe");
    TsxAutoRun run(nullptr);
    run.SetKind(aekUserRun);
    run.SetFileName(command);
    run.SetAutoRun(true);
    Put(aekUserRun, FNames.back(), "changed behind its back");
    run.SetAutoRun(true);
    run.SetFileName(command);
    run.SetKind(aekUserRun);
    EXPECT_EQ("changed behind its back", Data(aekUserRun, FNames.back()));
}

TEST_F(sxAutoRunTest, DestroyingTheComponentKeepsTheValue) {
    std::string command = Command("sxautorun-survives.exe", "-s");
    {
        TsxAutoRun run(nullptr);
        run.SetKind(aekUserRun);
        run.SetFileName(command);
        run.SetAutoRun(true);
    }
    EXPECT_EQ(command, Data(aekUserRun, FNames.back()));
}

TEST_F(sxAutoRunTest, DesigningComponentNeverTouchesTheRegistry) {
    std::string command = Command("sxautorun-design.exe");
    Put(aekUserRun, FNames.back(), command);
    TComponent designer(nullptr);
    designer.SetDesigning(true);
    auto* run = new TsxAutoRun(&designer);
    EXPECT_EQ("", run->FileName());
    run->SetKind(aekUserRun);
    run->SetFileName(command);
    run->SetAutoRun(true);
    run->SetAutoRun(false);
    run->Loaded();
    EXPECT_EQ(command, Data(aekUserRun, FNames.back()));
}

TEST_F(sxAutoRunTest, ReadingADescriptionClearsTheExecutablesNameFromTheKeysItPasses) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string exeName = ExtractNamePart(path);
    Forget(exeName);
    struct { const char* Kind; Kinds Cleared; Kinds Kept; } cases[] = {
        {"aekUserRun", {aekMachineRun, aekUserRun}, {aekMachineRunOnce, aekUserRunOnce}},
        {"aekMachineRunOnce", {aekMachineRun, aekMachineRunOnce}, {aekUserRun, aekUserRunOnce}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Kind);
        for (TsxAutoExecKind kind : PlainKinds) Put(kind, exeName, "planted");
        TComponent root(nullptr);
        LoadDescription(&root, RequireClassInfo("TComponent"),
                        std::string("object host: TComponent\n  object run: TsxAutoRun\n    Kind = ") + c.Kind +
                            "\n  end\nend\n");
        Kinds left = WhereIs(exeName);
        for (TsxAutoExecKind kind : c.Cleared) EXPECT_EQ(left.end(), std::find(left.begin(), left.end(), kind));
        for (TsxAutoExecKind kind : c.Kept) EXPECT_NE(left.end(), std::find(left.begin(), left.end(), kind));
    }
}

TEST_F(sxAutoRunTest, DescriptionWithAutoRunRegistersTheCommandAtLoad) {
    std::string command = Command("sxautorun-described.exe", "-s");
    TComponent root(nullptr);
    LoadDescription(&root, RequireClassInfo("TComponent"),
                    "object host: TComponent\n  object ronce: TsxAutoRun\n    About = 'x'\n    AutoRun = True\n"
                    "    FileName = '" + command + "'\n    Kind = aekMachineRunOnce\n  end\nend\n");
    EXPECT_EQ(command, Data(aekMachineRunOnce, FNames.back()));
    EXPECT_EQ(Kinds{aekMachineRunOnce}, WhereIs(FNames.back()));
}
