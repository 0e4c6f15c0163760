// desktop/UpDown.h -- TUpDown: the pair of arrows beside an edit (its buddy) that steps the
// whole number the edit holds within Min .. Max
#pragma once
#include "Controls.h"

class TUpDown : public TControl {
public:
    explicit TUpDown(TComponent* owner);

    int Min() const noexcept { return FMin; }
    int Max() const noexcept { return FMax; }
    void SetMin(int value);
    void SetMax(int value);
    void SetRange(int min, int max);
    // With a buddy, the number the buddy's text holds when it is one within the range;
    // otherwise the last position set or stepped to.
    int Position() const;
    bool PositionShown() const;                   // false: the buddy's text is no number within the range
    void SetPosition(int value);                  // also writes the buddy's text
    bool Thousands() const noexcept { return FThousands; }
    void SetThousands(bool value);                // thousands separators in the buddy's text
    TControl* Associate() const noexcept { return FAssociate; }
    void SetAssociate(TControl* buddy);           // not owned; forgotten when it is freed
    void AssociateRecreated();                    // the buddy has a new window: take that one

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void ApplyBuddy();
    int FMin = 0, FMax = 100, FPosition = 0;
    bool FThousands = true;
    TControl* FAssociate = nullptr;
};

void RegisterUpDownClass();   // "TUpDown", for window descriptions
