// tests/zip/ZpOptionsTest.cpp -- option defaults, volume sizes and positions, the directory array
#include "ZpDirArray.h"
#include "ZpException.h"
#include "ZpOptions.h"
#include "ZpSpanningOptions.h"
#include "ZpVolumeNumberInfo.h"

#include <gtest/gtest.h>

TEST(ZpOptionsTest, DefaultsAndCopies) {
    TZpOptions o;
    EXPECT_EQ(o.StorePath, spRelativePath);
    EXPECT_TRUE(o.Recurse);
    EXPECT_EQ(o.ShareMode, smShareDenyNone);
    EXPECT_EQ(o.OverwriteMode, omAlways);
    EXPECT_TRUE(o.CreateDirs && o.ReplaceReadOnly && o.SetAttributes);
    EXPECT_EQ(o.SearchAttr, 10431);
    TZpOptions p;
    p.OverwriteMode = omPrompt;
    p.Recurse = false;
    o = p;
    EXPECT_EQ(o.OverwriteMode, omPrompt);
    EXPECT_FALSE(o.Recurse);
    EXPECT_EQ(ZpShareModeFlags(smShareDenyWrite), 32);
    EXPECT_EQ(ZpShareModeFlags(smShareCompat), 0);
}

TEST(ZpOptionsTest, VolumeSizesAndPositions) {
    TZpSpanningOptions s;
    TZpVolumeNumberInfo v;
    v.SetNumber(3);
    EXPECT_EQ(s.VolumeSizeFor(v), -1);
    s.SetCustomVolumeSize(1000);
    EXPECT_EQ(s.CustomVolumeSize(), 65536);
    s.VolumeSize = vsCustom;
    EXPECT_EQ(s.VolumeSizeFor(v), 65536);
    s.VolumeSize = vs1_44MB;
    EXPECT_EQ(s.VolumeSizeFor(v), 1457664);
    s.FirstVolumeSize = 1000000;
    v.SetFirst(true);
    EXPECT_EQ(s.VolumeSizeFor(v), 1000000);

    TZpVolumeNumberInfo a, b;
    EXPECT_EQ(a.Kind, TZpVolumeNumberInfo::vkUndetermined);
    EXPECT_FALSE(a.IsLast());
    a.Kind = TZpVolumeNumberInfo::vkLast;
    EXPECT_TRUE(a.IsLast());
    a.LastVolumeNumber = 4;
    a.SetNumber(4);
    EXPECT_TRUE(a.IsLast());
    b.LastVolumeNumber = 4;
    b.SetLast(true);
    EXPECT_TRUE(a.SameVolume(b));
    b.SetNumber(2);
    EXPECT_FALSE(a.SameVolume(b));
}

TEST(ZpOptionsTest, DirArrayGrowsInDoublingStepsUpToTenThousand) {
    TZpDirArray a;
    const int expected[] = {1000, 3000, 7000, 15000, 25000, 35000};
    for (int allocated : expected) {
        a.SetCount(a.Allocated() + 1);
        EXPECT_EQ(a.Allocated(), allocated);
    }
    a.SetCount(0);
    EXPECT_EQ(a.Allocated(), 0);
}

TEST(ZpOptionsTest, DirArrayDeletesAndCopiesItemsWithTheirExtraFields) {
    TZpDirArray a;
    for (const char* n : {"a", "b", "c"}) {
        TDirItem it;
        it.Name = n;
        it.ExtraFields.push_back({7, 1, {static_cast<uint8_t>(n[0])}});
        a.Add(it);
    }
    a.Delete(0);
    ASSERT_EQ(a.Count(), 2);
    EXPECT_EQ(a[0].Name, "b");
    EXPECT_EQ(a[1].ExtraFields.at(0).Data.at(0), 'c');
    TZpDirArray copy;
    copy.Assign(a);
    copy.ItemRef(0).ExtraFields[0].Data[0] = 'x';
    EXPECT_EQ(a[0].ExtraFields[0].Data[0], 'b');
    a.Delete(1);
    a.Delete(0);
    EXPECT_EQ(a.Count(), 0);

    struct Case { int code; void (*call)(TZpDirArray&); };
    const Case cases[] = {
        {1, [](TZpDirArray& d) { d.PutItem(1, TDirItem()); }},
        {2, [](TZpDirArray& d) { (void)d.GetItem(1); }},
        {3, [](TZpDirArray& d) { (void)d.ItemRef(-1); }},
        {4, [](TZpDirArray& d) { d.Delete(1); }},
    };
    for (const Case& c : cases) {
        TZpDirArray one;
        one.Add(TDirItem());
        try {
            c.call(one);
            ADD_FAILURE() << "no exception for code " << c.code;
        } catch (const EZpException& e) {
            EXPECT_EQ(e.NativeCode(), c.code);
            EXPECT_EQ(e.MessageIndex(), 1);
        }
    }
}
