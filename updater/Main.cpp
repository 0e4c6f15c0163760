// updater/Main.cpp -- the updater's window
#include "updater/Main.h"

#include "desktop/Classes.h"
#include "desktop/Label.h"
#include "desktop/PageControl.h"

namespace {
constexpr int StepRowHeight = 16;
constexpr int FirstStepTop = 16;
} // namespace

Tmain::Tmain(TComponent* owner) : TForm(owner) { InitDescription("Tmain"); }

void Tmain::SetStatus(int step) { pos->SetTop(step * StepRowHeight + FirstStepTop); }

void RegisterUpdaterClasses() {
    TClassRegistration<Tmain>("Tmain", "TForm")
        .Field("pos", &Tmain::pos)
        .Field("luser", &Tmain::luser)
        .Field("progr", &Tmain::progr);
}
