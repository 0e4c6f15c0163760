// tests/controls/ControlTablesTest.cpp -- character tables, text helpers, version kinds,
// processor speed, file versions, blending and gamma
#include <gtest/gtest.h>

#include <cmath>

#include "controls/UiCharTables.h"
#include "controls/UiFileVersion.h"
#include "controls/UiGraphicsTables.h"
#include "controls/UiStrUtils.h"
#include "controls/UiSysInfo.h"
#include "desktop/SysUtils.h"

namespace {

TEST(ControlTables, CharacterTypesAndCaseMaps) {
    struct { char C; bool Upper, Lower, Digit; char ToLower, ToUpper, Swapped; } cases[] = {
        {'A', true, false, false, 'a', 'A', 'a'}, {'z', false, true, false, 'z', 'Z', 'Z'},
        {'5', false, false, true, '5', '5', '5'}, {'-', false, false, false, '-', '-', '-'},
        {' ', false, false, false, ' ', ' ', ' '},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsUpperChar(c.C), c.Upper) << c.C;
        EXPECT_EQ(IsLowerChar(c.C), c.Lower) << c.C;
        EXPECT_EQ(IsDigitChar(c.C), c.Digit) << c.C;
        EXPECT_EQ(LowerCaseChar(c.C), c.ToLower) << c.C;
        EXPECT_EQ(UpperCaseChar(c.C), c.ToUpper) << c.C;
        EXPECT_EQ(SwapCaseChar(c.C), c.Swapped) << c.C;
    }
}

TEST(ControlTables, LeftTextAndChangedText) {
    EXPECT_EQ(LeftText("abc", 5), "abc");
    EXPECT_EQ(LeftText("abc", 0), "");
    EXPECT_EQ(LeftText("abc", 2), "ab");
    struct { const char* Text; int Start, Length; char Ch; const char* Out; } cases[] = {
        {"1234", 1, 2, '9', "194"}, {"1234", 1, 2, '\0', "14"}, {"", 0, 0, '7', "7"},
        {"12", 2, 0, '3', "123"}, {"12", 9, 0, '3', "123"}, {"12", 0, 9, '5', "5"},
    };
    for (const auto& c : cases) EXPECT_EQ(ChangedText(c.Text, c.Start, c.Length, c.Ch), c.Out) << c.Text;
}

TEST(ControlTables, CheckOSResultRaisesTheLastError) {
    EXPECT_NO_THROW(CheckOSResult(true));
    SetLastError(ERROR_ACCESS_DENIED);
    try {
        CheckOSResult(false);
        FAIL();
    } catch (const EWin32Error& e) {
        EXPECT_EQ(e.Code(), static_cast<unsigned long>(ERROR_ACCESS_DENIED));
    }
}

TEST(ControlTables, WindowsVersionClassification) {
    using V = TWindowsVersion;
    struct { DWORD Platform, Major, Minor; const char* Sp; DWORD Kernel; V Kind; } cases[] = {
        {1, 4, 0, "", 0, V::wvWin95}, {1, 4, 0, " B ", 0, V::wvWin95OSR2}, {1, 4, 0, "C", 0, V::wvWin95},
        {1, 4, 10, "", 0, V::wvWin98}, {1, 4, 10, " A ", 0, V::wvWin98SE}, {1, 4, 10, "", Kernel32VersionME, V::wvWinME},
        {1, 4, 90, "", 0, V::wvWinME}, {1, 4, 95, "", 0, V::wvUnknown},
        {2, 3, 1, "", 0, V::wvWinNT31}, {2, 3, 5, "", 0, V::wvWinNT35}, {2, 3, 51, "", 0, V::wvWinNT351},
        {2, 3, 2, "", 0, V::wvUnknown}, {2, 4, 0, "Service Pack 6", 0, V::wvWinNT4}, {2, 5, 0, "", 0, V::wvWin2000},
        {2, 5, 1, "", 0, V::wvWinXP}, {2, 5, 2, "", 0, V::wvUnknown}, {2, 6, 1, "", 0, V::wvUnknown},
        {0, 3, 1, "", 0, V::wvUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyWindowsVersion(c.Platform, c.Major, c.Minor, c.Sp, c.Kernel), c.Kind)
            << c.Platform << " " << c.Major << "." << c.Minor << " '" << c.Sp << "'";
}

TEST(ControlTables, SystemTableIsFilledAtStart) {
    const TSystemInfoTable& s = SystemInfoTable();
    EXPECT_GE(s.ProcessorCount, 1u);
    EXPECT_GT(s.PageSize, 0u);
    EXPECT_TRUE(s.IsWinNT);
    EXPECT_EQ(s.KernelVersion, 0u);
}

TEST(ControlTables, MHzSnapsToTheNearestClockStep) {
    struct { int In, Out; } cases[] = {{733, 733}, {451, 450}, {1995, 2000}, {866, 866}, {540, 533}, {545, 550}, {1000, 1000}, {5, 0}};
    for (const auto& c : cases) EXPECT_EQ(SnapProcessorMHz(c.In), c.Out) << c.In;
}

TEST(ControlTables, SpeedMeasurementIsBoundedInTime) {
    DWORD start = GetTickCount();
    TProcessorSpeed s = MeasureProcessorSpeed(40);
    DWORD took = GetTickCount() - start;
    EXPECT_LT(took, 500u);
    if (s.Measured) {
        EXPECT_GT(s.RawMHz, 0);
    }
    EXPECT_TRUE(DivisionIsCorrect());
}

TEST(ControlTables, ReadFixedFileVersionLeavesTheOutputAloneWithoutAResource) {
    char temp[MAX_PATH], name[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetTempFileNameA(temp, "sxv", 0, name);
    VS_FIXEDFILEINFO info{};
    info.dwSignature = 0x12345678;
    EXPECT_FALSE(ReadFixedFileVersion(name, info));
    EXPECT_EQ(info.dwSignature, 0x12345678u);
    DeleteFileA(name);
    EXPECT_TRUE(ReadFixedFileVersion("kernel32.dll", info));
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_FALSE(ModuleLocation(nullptr).empty());
}

TEST(ControlTables, CombineWeighsEachLane) {
    EXPECT_EQ(CombineReg(0x11223344, 0x55667788, 255), 0x11223344u);
    EXPECT_EQ(CombineReg(0x11223344, 0x55667788, 0), 0x55667788u);
    // Lane by lane: ((x*w+128)>>8) + ((y*(255-w)+128)>>8) with w = 128.
    EXPECT_EQ(CombineReg(0x000000FF, 0x00000000, 128), 0x00000080u);
    EXPECT_EQ(CombineReg(0xFF00FF00, 0x00FF00FF, 128), 0x807F807Fu);
    uint32_t line[3] = {1, 2, 3};
    const uint32_t src[3] = {0x00FFFFFF, 0xFF123456, 0x80FFFFFF};
    BlendLine(src, line, 3);
    EXPECT_EQ(line[0], 1u);                  // alpha 0 leaves the background
    EXPECT_EQ(line[1], 0xFF123456u);         // alpha 255 copies
    EXPECT_EQ(line[2], BlendReg(src[2], 3));
    EXPECT_EQ(BlendRegEx(0xFF0000FF, 0, 0), 0u);   // master alpha 0
}

TEST(ControlTables, GammaAlphaAndIdentityTables) {
    const unsigned char* g = GammaTable();
    EXPECT_EQ(g[0], 0);
    EXPECT_EQ(g[255], 255);
    EXPECT_EQ(g[128], static_cast<unsigned char>(std::nearbyint(255.0 * std::pow(128 / 255.0, 0.7))));
    for (int i = 1; i < 256; ++i) EXPECT_GE(g[i], g[i - 1]);
    if (const uint64_t* a = AlphaTable()) {
        EXPECT_EQ(a[1], (uint64_t{65537} << 32) | 65537);
        EXPECT_EQ(AlphaBias()[0] & 0xFFFF, 128u);
        EXPECT_EQ(reinterpret_cast<uintptr_t>(a) % 8, 0u);
    }
    const TFloatMatrix& m = IdentityMatrix();
    EXPECT_EQ(m[0][0], 1.0L);
    EXPECT_EQ(m[1][0], 0.0L);
    EXPECT_EQ(m[2][2], 1.0L);
}

} // namespace
