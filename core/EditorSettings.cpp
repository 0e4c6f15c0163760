// core/EditorSettings.cpp -- the Settings page, the settings file and what loading it applies:
// the own autostart value, the Internet Explorer button and the Home page's indicators
#include "core/Editor.h"

#include <windows.h>

#include <exception>

#include "core/IEButton.h"
#include "desktop/Application.h"
#include "desktop/CheckBox.h"
#include "desktop/IniFile.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"
#include "shell/sxAutoRun.h"

namespace {

constexpr TColor YesColor = RGB(191, 249, 106);
constexpr TColor NoColor = RGB(247, 135, 23);

} // namespace

std::array<TCheckBox*, settings::SettingCount> Teditor::SettingBoxes() const {
    return {sett_autorun,       sett_autoupdate,    sett_autoscan, sett_closescan,
            sett_scanregistry,  sett_scanmemory,    sett_removebadkeys, sett_removebadapps,
            sett_besilent,      sett_addicon,       sett_autoremovebadkeys, sett_autoremovebadapps};
}

settings::TSettingFlags Teditor::SettingFlags() const {
    settings::TSettingFlags flags{};
    auto boxes = SettingBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) flags[i] = boxes[i]->Checked();
    return flags;
}

void Teditor::ShowSettingFlags(const settings::TSettingFlags& flags) {
    auto boxes = SettingBoxes();
    for (size_t i = 0; i < boxes.size(); ++i) boxes[i]->SetChecked(flags[i]);
}

void Teditor::LoadSettings() {
    if (!gSettingsFile) return;
    // A settings file that refuses the write still has settings worth showing and applying;
    // the failure is raised once everything else is done.
    std::exception_ptr writeFailure;
    try {
        settings::WriteInstallationInfo(*gSettingsFile);
    } catch (...) {
        writeFailure = std::current_exception();
    }
    ShowSettingFlags(settings::Read(*gSettingsFile));

    run->SetFileName(Application->ExeName() + " -s");
    run->SetAutoRun(sett_autorun->Checked());
    // The setters compare first; a value removed behind our back since the last load would
    // otherwise stay missing while the box says it is there.
    run->UpdateAutoRun();
    ApplyIEButton(sett_addicon->Checked(), Application->ExeName());

    ShowYesNo(home_autorun, sett_autorun->Checked());
    ShowYesNo(home_autoscan, sett_autoscan->Checked());
    UpdateSecurityLevel();
    if (writeFailure) std::rethrow_exception(writeFailure);
}

void Teditor::SaveSettings() {
    if (!gSettingsFile) return;
    settings::Write(*gSettingsFile, SettingFlags());
    LoadSettings();
}

void Teditor::SaveSettBtnClick(TObject*) {
    SaveSettings();
    ShowInfo("Configuration saved.");
}

void Teditor::DefaultSettBtnClick(TObject*) { ShowSettingFlags(settings::Defaults(SettingFlags())); }

void Teditor::ShowYesNo(TLabel* label, bool flag) {
    label->SetCaption(flag ? "YES" : "NO");
    label->Font().SetColor(flag ? YesColor : NoColor);
}

void Teditor::UpdateSecurityLevel() { home_security->SetPosition(settings::SecuritySum(SettingFlags())); }
