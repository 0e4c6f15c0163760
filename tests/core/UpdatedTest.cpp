// tests/core/UpdatedTest.cpp -- the update-finishing window as its description builds it
#include <gtest/gtest.h>

#include "controls/ControlClasses.h"
#include "controls/FxPanel.h"
#include "controls/sxImage.h"
#include "core/Updated.h"
#include "desktop/Label.h"
#include "tests/controls/ControlTestHost.h"

namespace {

TEST(Updated, DescriptionBuildsTheStyledPanelsAndADrawnIcon) {
    RegisterFxControlClasses();
    RegisterUpdatedClasses();
    Tupdated form(nullptr);
    EXPECT_EQ(form.Caption(), "Sentinox - Finishing update...");
    auto* strip = dynamic_cast<TFxPanel*>(form.FindComponent("iconStrip"));
    auto* body = dynamic_cast<TFxPanel*>(form.FindComponent("body"));
    auto* icon = dynamic_cast<TsxImage*>(form.FindComponent("updateIcon"));
    ASSERT_TRUE(strip && body && icon);
    auto* first = dynamic_cast<TLabel*>(form.FindComponent("Label1"));
    auto* second = dynamic_cast<TLabel*>(form.FindComponent("Label2"));
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->Caption(), "Sentinox is currently finishing the update.");
    EXPECT_EQ(second->Caption(), "This window will be closed automatically.");

    // The icon stored in the description, at its own size, no list behind it.
    EXPECT_EQ(icon->Picture().Kind(), TGraphicKind::gkIcon);
    EXPECT_EQ(icon->Width(), 32);
    EXPECT_EQ(icon->Height(), 32);
    EXPECT_EQ(icon->ImageList(), nullptr);
    form.Handle();
    TSnapshot shot(icon->WindowHandle());
    EXPECT_GT(shot.Count(RGB(36, 38, 48)), 20);   // the outline every picture of ours has
}

} // namespace
