// tests/core/SettingsFileTest.cpp -- the settings file read, written and defaulted, the
// security bar's sums, against real INI files
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "TempIniFile.h"
#include "core/SettingsFile.h"
#include "desktop/IniFile.h"

namespace {

using settings::TSettingFlags;

class SettingsFileTest : public ::testing::Test {
protected:
    SettingsFileTest() : FFile("TESTER.snx"), FSettings(FFile.Path()) {}
    TTempIniFile FFile;
    TIniFile FSettings;
};

TSettingFlags Only(std::initializer_list<const char*> keys) {
    TSettingFlags flags{};
    for (const char* key : keys) flags[static_cast<size_t>(settings::IndexOf(key))] = true;
    return flags;
}

TEST_F(SettingsFileTest, AFlagIsTickedForAnyNonZeroDecimalAndNothingElse) {
    const std::vector<std::pair<std::string, bool>> cases = {
        {"1", true}, {"2", true}, {"-1", true}, {"007", true}, {"0", false}, {"", false},
        {"1abc", false}, {"0x1", false}, {"yes", false}, {"true", false}, {"1.0", false},
        {"99999999999", false},   // not a 32-bit number
    };
    for (const auto& [text, ticked] : cases) {
        SCOPED_TRACE("sett_autoscan=" + text);
        FSettings.WriteString("settings", "sett_autoscan", text);
        EXPECT_EQ(ticked, settings::ReadFlag(FSettings, "sett_autoscan"));
        EXPECT_EQ(ticked, settings::Read(FSettings)[2]);
    }
    EXPECT_FALSE(settings::ReadFlag(FSettings, "sett_autorun"));   // absent
}

TEST_F(SettingsFileTest, TheTwelveReadTogetherAreWhatEachReadsAlone) {
    // Letter case, quotes, blanks and a second line of one key, as the profile API sees them.
    std::ofstream(FFile.Path(), std::ios::binary) << ("[settings]\r\n"
                "SETT_AUTORUN=1\r\n"
                "sett_autoupdate=\"1\"\r\n"
                "sett_autoscan = 2 \r\n"
                "sett_closescan=0\r\n"
                "sett_closescan=1\r\n"
                "sett_scanregistry='0'\r\n"
                "sett_scanmemory=1\r\n"
                "sett_removebadkeys\r\n"
                "sett_besilent=\r\n"
                "[other]\r\n"
                "sett_addicon=1\r\n");
    const TSettingFlags flags = settings::Read(FSettings);
    for (size_t i = 0; i < flags.size(); ++i)
        EXPECT_EQ(flags[i], settings::ReadFlag(FSettings, settings::Table[i].Key)) << settings::Table[i].Key;
    EXPECT_EQ(flags, Only({"sett_autorun", "sett_autoupdate", "sett_autoscan", "sett_scanmemory"}));
}

TEST_F(SettingsFileTest, AMissingFileReadsAllUntickedAndStaysMissing) {
    EXPECT_EQ(TSettingFlags{}, settings::Read(FSettings));
    EXPECT_FALSE(FFile.Exists());
}

TEST_F(SettingsFileTest, WriteStoresTheTwelveKeysInTableOrderAsOneOrZero) {
    settings::Write(FSettings, Only({"sett_autorun", "sett_scanmemory", "sett_autoremovebadapps"}));
    EXPECT_EQ("[settings]\r\n"
              "sett_autorun=1\r\nsett_autoupdate=0\r\nsett_autoscan=0\r\nsett_closescan=0\r\n"
              "sett_scanregistry=0\r\nsett_scanmemory=1\r\nsett_removebadkeys=0\r\nsett_removebadapps=0\r\n"
              "sett_besilent=0\r\nsett_addicon=0\r\nsett_autoremovebadkeys=0\r\nsett_autoremovebadapps=1\r\n",
              FFile.Text());
}

TEST_F(SettingsFileTest, EveryFlagSurvivesARoundTrip) {
    for (int i = 0; i < settings::SettingCount; ++i) {
        TSettingFlags flags{};
        flags[static_cast<size_t>(i)] = true;
        settings::Write(FSettings, flags);
        EXPECT_EQ(flags, settings::Read(FSettings)) << settings::Table[static_cast<size_t>(i)].Key;
    }
    // A hand-written 2 comes back as 1 after the next write.
    FSettings.WriteString("settings", "sett_autoscan", "2");
    settings::Write(FSettings, settings::Read(FSettings));
    EXPECT_EQ("1", FSettings.ReadString("settings", "sett_autoscan", ""));
}

TEST_F(SettingsFileTest, InstallationInfoIsRewrittenEveryTime) {
    FSettings.WriteString("application", "update", "4");
    FSettings.WriteString("settings", "sett_autorun", "1");
    settings::WriteInstallationInfo(FSettings);
    EXPECT_EQ("3.0.6", FSettings.ReadString("application", "version", ""));
    EXPECT_EQ("5", FSettings.ReadString("application", "update", ""));
    EXPECT_EQ("1", FSettings.ReadString("settings", "sett_autorun", ""));   // the rest stays
}

TEST(SettingsDefaults, DefaultTicksItsSetUnticksTheOthersAndKeepsProtectionAsItWas) {
    const TSettingFlags standard = Only({"sett_autorun", "sett_autoupdate", "sett_scanregistry", "sett_scanmemory",
                                         "sett_removebadkeys", "sett_besilent", "sett_addicon"});
    EXPECT_EQ(standard, settings::Defaults(TSettingFlags{}));
    TSettingFlags all;
    all.fill(true);
    TSettingFlags expected = standard;
    expected[10] = expected[11] = true;   // the two Automatic Protection boxes
    EXPECT_EQ(expected, settings::Defaults(all));
}

TEST(SettingsDefaults, SecuritySumsWeighTheSixScanAndStartSettings) {
    TSettingFlags all;
    all.fill(true);
    const std::vector<std::pair<TSettingFlags, int>> cases = {
        {TSettingFlags{}, 0},
        {settings::Defaults(TSettingFlags{}), 110},
        {all, 140},
        {Only({"sett_autorun"}), 30},
        {Only({"sett_autoupdate", "sett_autoscan"}), 40},
        {Only({"sett_closescan"}), 10},
        {Only({"sett_scanregistry", "sett_scanmemory"}), 60},
        {Only({"sett_removebadkeys", "sett_removebadapps", "sett_besilent", "sett_addicon", "sett_autoremovebadkeys",
               "sett_autoremovebadapps"}),
         0},
    };
    for (const auto& [flags, sum] : cases) EXPECT_EQ(sum, settings::SecuritySum(flags));
    EXPECT_EQ(110, settings::SecurityLevelMax);
}

} // namespace
