// shell/sxApplicationProperties.h -- TsxApplicationProperties: application-wide settings and
// events carried by a window description, chained through one global list
//
// Every instance joins the global TsxAppPropList. The list puts its own dispatchers in front
// of the application's handlers (which are, once an application-events component exists,
// the dispatchers of the application-events layer). An event walks the members from the most
// recently registered; a member whose Chained is false ends the walk there, so neither the
// saved handlers nor any published application event (OnIdle, ...) sees it. Otherwise the
// saved handler runs, and through it each component's published handler.
#pragma once
#include <windows.h>

#include <string>

#include "desktop/ApplicationEvents.h"
#include "desktop/Graphics.h"

enum class TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };

class TsxApplicationProperties : public TCustomApplicationEvents {
public:
    explicit TsxApplicationProperties(TComponent* owner);
    ~TsxApplicationProperties() override;

    // Chained false: events stop at this component.
    bool Chained() const noexcept { return FChained; }
    void SetChained(bool value) noexcept { FChained = value; }
    bool Hidden() const noexcept { return FHidden; }
    void SetHidden(bool value);               // no taskbar button, hidden application window
    // Title and ShowMainForm read and write the application's own setting at run time.
    std::string Title() const;
    void SetTitle(const std::string& value);  // acts only on a different value
    bool ShowMainForm() const;
    void SetShowMainForm(bool value);
    // The desktop library has no hint window, help system, bidirectional layout or drag
    // threshold: these settings are kept here for the window descriptions that carry them.
    const std::string& HelpFile() const noexcept { return FHelpFile; }
    void SetHelpFile(const std::string& value) { if (value != FHelpFile) FHelpFile = value; }
    TColor HintColor() const noexcept { return FHintColor; }
    void SetHintColor(TColor value) noexcept { FHintColor = value; }
    int HintHidePause() const noexcept { return FHintHidePause; }
    void SetHintHidePause(int value) noexcept { FHintHidePause = value; }
    int HintPause() const noexcept { return FHintPause; }
    void SetHintPause(int value) noexcept { FHintPause = value; }
    int HintShortPause() const noexcept { return FHintShortPause; }
    void SetHintShortPause(int value) noexcept { FHintShortPause = value; }
    bool ShowHint() const noexcept { return FShowHint; }
    void SetShowHint(bool value) noexcept { FShowHint = value; }
    bool UpdateFormatSettings() const noexcept { return FUpdateFormatSettings; }
    void SetUpdateFormatSettings(bool value) noexcept { FUpdateFormatSettings = value; }
    bool UpdateMetricSettings() const noexcept { return FUpdateMetricSettings; }
    void SetUpdateMetricSettings(bool value) noexcept { FUpdateMetricSettings = value; }
    TBiDiMode BiDiMode() const noexcept { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode value) noexcept { FBiDiMode = value; }
    bool HintShortCuts() const noexcept { return FHintShortCuts; }
    void SetHintShortCuts(bool value) noexcept { FHintShortCuts = value; }
    bool MouseDragImmediate() const noexcept { return FMouseDragImmediate; }
    void SetMouseDragImmediate(bool value) noexcept { FMouseDragImmediate = value; }
    int MouseDragThreshold() const noexcept { return FMouseDragThreshold; }
    void SetMouseDragThreshold(int value) noexcept { FMouseDragThreshold = value; }
    const std::string& BiDiKeyboard() const noexcept { return FBiDiKeyboard; }
    void SetBiDiKeyboard(const std::string& value) { FBiDiKeyboard = value; }
    const std::string& NonBiDiKeyboard() const noexcept { return FNonBiDiKeyboard; }
    void SetNonBiDiKeyboard(const std::string& value) { FNonBiDiKeyboard = value; }

    // WM_PAINT of the minimised application window; the handler draws on Canvas().
    const TNotifyEvent& OnPaintIcon() const noexcept { return FOnPaintIcon; }
    void SetOnPaintIcon(const TNotifyEvent& value) { FOnPaintIcon = value; }
    // WM_SETTINGCHANGE reached the application window.
    const TNotifyEvent& OnSettingsChanged() const noexcept { return FOnSettingsChanged; }
    void SetOnSettingsChanged(const TNotifyEvent& value) { FOnSettingsChanged = value; }
    TCanvas* Canvas() const noexcept { return FCanvas; }   // only while OnPaintIcon runs

    virtual void ApplySettings();    // component -> application (ShowMainForm; the rest has no target)
    virtual void ApplyHidden();
    virtual void PaintIcon();
    virtual bool MainWindowHook(UINT message, WPARAM wParam, LPARAM lParam);   // true: handled
    virtual void SettingsChanged();
    void Loaded() override;          // ApplySettings, then ApplyHidden when Hidden

private:
    static LRESULT CALLBACK HookProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data);

    bool FChained = true;
    bool FHidden = false;
    std::string FTitle;
    bool FShowMainForm = true;
    std::string FHelpFile;
    TColor FHintColor = clInfoBk;
    int FHintHidePause = 2500, FHintPause = 500, FHintShortPause = 50;
    bool FShowHint = true, FUpdateFormatSettings = true, FUpdateMetricSettings = true, FHintShortCuts = true;
    TBiDiMode FBiDiMode = TBiDiMode::bdLeftToRight;
    bool FMouseDragImmediate = true;
    int FMouseDragThreshold = 5;
    std::string FBiDiKeyboard, FNonBiDiKeyboard;
    TNotifyEvent FOnPaintIcon, FOnSettingsChanged;
    TCanvas* FCanvas = nullptr;
    HWND FHookedWindow = nullptr;
};

// Members of the global list right now (0 when the list does not exist).
int ApplicationPropertiesCount();

// Registers TsxApplicationProperties; TCustomApplicationEvents comes first.
void RegisterApplicationPropertiesClass();
