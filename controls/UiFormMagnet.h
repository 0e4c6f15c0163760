// controls/UiFormMagnet.h -- TUiFormMagnet: while its form is dragged, pulls it onto the edges of
// the work area and of the main window, and moves the application's touching windows along
#pragma once
#include <windows.h>

#include <cstdint>

#include "UiWndProcHook.h"
#include "shared/UiComponent.h"

class TForm;

class TUiFormMagnet : public TUiComponent {
public:
    explicit TUiFormMagnet(TComponent* owner);   // hooks the form that holds its owner, if any
    ~TUiFormMagnet() override;

    // Plain stores, read at each move.
    bool Active() const noexcept { return FActive; }
    void SetActive(bool value) { FActive = value; }
    bool ScreenMagnet() const noexcept { return FScreenMagnet; }
    void SetScreenMagnet(bool value) { FScreenMagnet = value; }
    uint32_t Area() const noexcept { return FArea; }            // pixels
    void SetArea(uint32_t value) { FArea = value; }
    bool FormGlue() const noexcept { return FFormGlue; }
    void SetFormGlue(bool value) { FFormGlue = value; }
    bool MainFormMagnet() const noexcept { return FMainFormMagnet; }
    void SetMainFormMagnet(bool value) { FMainFormMagnet = value; }
    TForm* Form() const noexcept { return FForm; }             // borrowed; null once it is freed

    // In the form's before-chain: WM_MOVING's proposed rectangle goes through SnapRect.
    // Always false, so the form's own procedure sees the changed rectangle.
    bool FormHook(TMessage& message);
    // old: the form where it stands; proposed: where the drag would put it, changed in place.
    void SnapRect(const RECT& old, RECT& proposed);

protected:
    void Notification(TComponent* component, TOperation operation) override;
    // The steps of SnapRect, each against a reference rectangle.
    void SnapToWorkArea(const RECT& old, RECT& proposed, const RECT& area);
    void SnapToMainForm(const RECT& old, RECT& proposed, const RECT& mainForm);
    void MoveGluedForms(const RECT& proposed);
    virtual int64_t NowMs() const;               // the local clock, in milliseconds

    // When an edge was last placed; zero at creation, so they start out stale.
    int64_t tLeft = 0, tRight = 0, tTop = 0, tBottom = 0;

private:
    bool Stale(int64_t stamp) const;

    bool FActive = false;
    bool FScreenMagnet = true;
    uint32_t FArea = 15;
    bool FFormGlue = true;
    bool FMainFormMagnet = false;
    TForm* FForm = nullptr;
};

// Registers TUiFormMagnet; TUiComponent comes first.
void RegisterUiFormMagnetClass();
