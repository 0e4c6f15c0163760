// tests/shell/sxShutdownTest.cpp -- TsxShutdown with the two platform calls recorded instead of
// made (a real one ends the whole Wine session); the privilege step runs for real
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>

#include "desktop/DescriptionReader.h"
#include "desktop/Handle.h"
#include "shell/ShellUtilityClasses.h"
#include "shell/sxShutdown.h"

namespace {

class TRecordingShutdown : public TsxShutdown {
public:
    using TsxShutdown::TsxShutdown;
    std::optional<UINT> ExitFlags;
    std::optional<std::pair<bool, bool>> PowerState;   // suspend, force
    bool Answer = true;

protected:
    bool CallExitWindowsEx(UINT flags) override { ExitFlags = flags; return Answer; }
    bool CallSetSystemPowerState(bool suspend, bool force) override { PowerState = {suspend, force}; return Answer; }
};

struct TRefuse : TObject {
    void Query(TObject* sender, bool& canShutdown) {
        Sender = sender;
        Seen = canShutdown;
        canShutdown = false;
    }
    TObject* Sender = nullptr;
    bool Seen = false;
};

// The state of SeShutdownPrivilege in this process's token.
bool ShutdownPrivilegeEnabled() {
    HANDLE raw = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &raw)) return false;
    THandle token(raw);
    PRIVILEGE_SET set{};
    set.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &set.Privilege[0].Luid);
    BOOL enabled = FALSE;
    return PrivilegeCheck(token.Get(), &set, &enabled) && enabled;
}

void SetShutdownPrivilege(bool enable) {
    HANDLE raw = nullptr;
    ASSERT_TRUE(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &raw));
    THandle token(raw);
    TOKEN_PRIVILEGES tp{};
    tp.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &tp.Privileges[0].Luid);
    tp.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    ASSERT_TRUE(AdjustTokenPrivileges(token.Get(), FALSE, &tp, 0, nullptr, nullptr));
}

} // namespace

TEST(sxShutdownTest, EachActionMakesItsPlatformCallWithForceAdded) {
    struct { TsxShutdownActionType Action; bool Force; std::optional<UINT> Flags; std::optional<std::pair<bool, bool>> Power; } cases[] = {
        {aatPowerOff, false, 8u, {}}, {aatPowerOff, true, 12u, {}},
        {aatShutdown, false, 1u, {}}, {aatShutdown, true, 5u, {}},
        {aatReboot, false, 2u, {}}, {aatReboot, true, 6u, {}},
        {aatLogOff, false, 0u, {}}, {aatLogOff, true, 4u, {}},
        {aatSuspend, false, {}, std::pair{true, false}}, {aatSuspend, true, {}, std::pair{true, true}},
        {aatHibernate, false, {}, std::pair{false, false}}, {aatHibernate, true, {}, std::pair{false, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << static_cast<int>(c.Action) << (c.Force ? " forced" : ""));
        TRecordingShutdown shut(nullptr);
        shut.SetActionType(c.Action);
        shut.SetForce(c.Force);
        EXPECT_TRUE(shut.Execute());
        EXPECT_EQ(c.Flags, shut.ExitFlags);
        EXPECT_EQ(c.Power, shut.PowerState);
    }
}

TEST(sxShutdownTest, ResultIsThePlatformCallsAnswer) {
    TRecordingShutdown shut(nullptr);
    shut.Answer = false;
    EXPECT_FALSE(shut.Execute());
    shut.SetActionType(aatSuspend);
    EXPECT_FALSE(shut.Execute());
}

TEST(sxShutdownTest, RefusingHandlerStopsBeforeAnyPlatformCall) {
    TRecordingShutdown shut(nullptr);
    shut.SetActionType(aatReboot);
    TRefuse refuse;
    shut.SetOnQueryShutdown(TsxQueryShutdownEvent(&refuse, &TRefuse::Query));
    EXPECT_FALSE(shut.Execute());
    EXPECT_EQ(&shut, refuse.Sender);
    EXPECT_TRUE(refuse.Seen);
    EXPECT_FALSE(shut.ExitFlags.has_value());
}

TEST(sxShutdownTest, ExecuteEnablesTheShutdownPrivilegeFirst) {
    SetShutdownPrivilege(false);
    ASSERT_FALSE(ShutdownPrivilegeEnabled());
    TRecordingShutdown shut(nullptr);
    TRefuse refuse;   // the privilege step comes before the question
    shut.SetOnQueryShutdown(TsxQueryShutdownEvent(&refuse, &TRefuse::Query));
    shut.Execute();
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
    EXPECT_NE(nullptr, refuse.Sender);
}

TEST(sxShutdownTest, DescriptionSetsActionAndForce) {
    RegisterShellUtilityClasses();
    TComponent root(nullptr);
    LoadDescription(&root, RequireClassInfo("TComponent"),
                    "object host: TComponent\n  object shut: TsxShutdown\n    ActionType = aatReboot\n"
                    "    Force = True\n  end\nend\n");
    auto* shut = dynamic_cast<TsxShutdown*>(root.FindComponent("shut"));
    ASSERT_NE(nullptr, shut);
    EXPECT_EQ(aatReboot, shut->ActionType());
    EXPECT_TRUE(shut->Force());
    EXPECT_EQ(6u, TsxShutdown::ExitWindowsFlags(shut->ActionType(), shut->Force()));
}
