// controls/FxUrlLabel.h -- TFxUrlLabel: a link label whose colour follows its state
// (unvisited, pressed, visited, hovered), with a hand cursor, that opens its URL on click
//
// A label with an empty URL opens its caption text, unless it has an OnClick handler: then
// the handler is its action (the main window's menu labels switch pages and open nothing).
#pragma once
#include <string>

#include "FxCursors.h"
#include "FxLabel.h"

// Asks the shell to "open" target (owner: the application window); empty does nothing,
// and the shell's answer is not examined.
void ShellOpen(const std::string& target);

class TFxUrlLabel : public TFxLabel {
public:
    explicit TFxUrlLabel(TComponent* owner);

    const std::string& URL() const noexcept { return FURL; }
    void SetURL(const std::string& value) { FURL = value; }
    TColor UnvisitedColor() const noexcept { return FUnvisitedColor; }
    void SetUnvisitedColor(TColor value);
    TColor ActivatedColor() const noexcept { return FActivatedColor; }
    void SetActivatedColor(TColor value) { FActivatedColor = value; }
    TColor VisitedColor() const noexcept { return FVisitedColor; }
    void SetVisitedColor(TColor value);
    TColor HoveredColor() const noexcept { return FHoveredColor; }
    void SetHoveredColor(TColor value) { FHoveredColor = value; }
    bool CanHover() const noexcept { return FCanHover; }
    void SetCanHover(bool value);                 // on: underlined only while hovered
    int Cursor() const noexcept { return FCursor; }
    void SetCursor(int id) { FCursor = id; }
    bool Visited() const noexcept { return FVisited; }
    bool Pressed() const noexcept { return FPressed; }

    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void NotifyMouseEnter() override;
    void NotifyMouseLeave() override;
    virtual void MouseDown();
    virtual void MouseUp(int x, int y);
    virtual void OpenTarget(const std::string& target);   // ShellOpen

private:
    void FontChanged(TObject* sender);
    void SetUnderline(bool on);
    bool ShowsIdleColor() const;                  // neither pressed nor hover-highlighted
    std::string FURL;
    TColor FUnvisitedColor = clBlue;
    TColor FActivatedColor = clRed;
    TColor FVisitedColor = clNavy;
    TColor FHoveredColor = clWhite;
    bool FCanHover = false;
    int FCursor = crFxHandPoint;
    bool FVisited = false;
    bool FPressed = false;
    bool FHovering = false;
    TNotifyEvent FInheritedFontChanged;
};

// Registers TFxUrlLabel; TFxLabel comes first.
void RegisterFxUrlLabelClass();
