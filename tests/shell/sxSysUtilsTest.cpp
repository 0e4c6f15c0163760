// tests/shell/sxSysUtilsTest.cpp -- version classification, string and file-name routines
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "desktop/Classes.h"
#include "desktop/StringList.h"
#include "shell/sxSysUtils.h"

namespace {

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor, DWORD build, const char* service = "") {
    OSVERSIONINFOA v{};
    v.dwOSVersionInfoSize = sizeof(v);
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    std::strcpy(v.szCSDVersion, service);
    return v;
}

constexpr DWORD Nine = VER_PLATFORM_WIN32_WINDOWS, NT = VER_PLATFORM_WIN32_NT;
using K = TsxWindowsVersionKind;

struct TVersionCase {
    const char* Name;
    OSVERSIONINFOA Info;
    K Kind;
    bool NT, Win98OrLater, Win2000OrLater, WinXPOrLater;
};

} // namespace

TEST(sxSysUtilsVersion, KindAndFlagsFollowPlatformVersionBuildAndServiceText) {
    const TVersionCase cases[] = {
        {"95", Version(Nine, 4, 0, 950), K::Win95, false, false, false, false},
        {"95 OSR2", Version(Nine, 4, 0, 0x04000457, "B"), K::Win95OSR2, false, false, false, false},
        {"95 OSR2 other build", Version(Nine, 4, 0, 1212, "B"), K::Unrecognised, false, false, false, false},
        {"98 (high word ignored)", Version(Nine, 4, 10, 0x040A07CE), K::Win98, false, true, false, false},
        {"98 SE", Version(Nine, 4, 10, 2222, "A"), K::Win98SE, false, true, false, false},
        {"98 SE service text not exact", Version(Nine, 4, 10, 2222, " A "), K::Unrecognised, false, true, false, false},
        {"ME", Version(Nine, 4, 90, 3000), K::WinME, false, true, false, false},
        {"unknown 9x minor", Version(Nine, 4, 50, 1), K::Unrecognised, false, true, false, false},
        {"NT 3.51", Version(NT, 3, 51, 1057), K::WinNT3, true, false, false, false},
        {"NT 4.0", Version(NT, 4, 0, 1381, "Service Pack 6"), K::WinNT4, true, false, false, false},
        {"NT 4.0 other build", Version(NT, 4, 0, 1380), K::Unrecognised, true, false, false, false},
        {"2000", Version(NT, 5, 0, 2195), K::Win2000, true, false, true, false},
        {"XP", Version(NT, 5, 1, 2600), K::WinXP, true, false, true, true},
        {"5.2 (Server 2003)", Version(NT, 5, 2, 3790), K::Unrecognised, true, false, true, true},
        {"10", Version(NT, 10, 0, 19045), K::Unrecognised, true, false, true, true},
        {"Win32s", Version(VER_PLATFORM_WIN32s, 3, 10, 0), K::Unrecognised, false, false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TsxWindowsVersionFlags f = ClassifyWindowsVersion(c.Info);
        EXPECT_EQ(c.Kind, f.Kind);
        EXPECT_EQ(c.NT, f.IsWinNT);
        EXPECT_EQ(c.Win98OrLater, f.IsWin98OrLater);
        EXPECT_EQ(c.Win2000OrLater, f.IsWin2000OrLater);
        EXPECT_EQ(c.WinXPOrLater, f.IsWinXPOrLater);
        // The per-version flags are exactly "kind equals".
        EXPECT_EQ(f.Kind == K::Win95, f.IsWin95);
        EXPECT_EQ(f.Kind == K::Win95OSR2, f.IsWin95OSR2);
        EXPECT_EQ(f.Kind == K::Win98, f.IsWin98);
        EXPECT_EQ(f.Kind == K::Win98SE, f.IsWin98SE);
        EXPECT_EQ(f.Kind == K::WinME, f.IsWinME);
        EXPECT_EQ(f.Kind == K::WinNT3, f.IsWinNT3);
        EXPECT_EQ(f.Kind == K::WinNT4, f.IsWinNT4);
        EXPECT_EQ(f.Kind == K::Win2000, f.IsWin2000);
        EXPECT_EQ(f.Kind == K::WinXP, f.IsWinXP);
    }
}

TEST(sxSysUtilsVersion, TheRunningSystemIsNTFrom2000On) {
    // Wine reports an NT version of 5 or later in every prefix we create.
    EXPECT_TRUE(IsWinNT());
    EXPECT_TRUE(IsWin2000OrLater());
    EXPECT_FALSE(IsWin98OrLater());
}

TEST(sxSysUtilsNumbers, AlignRectInRectPlacesTheSizeInsideTheBounds) {
    const RECT bounds{10, 20, 111, 221};   // 101 x 201: centring rounds toward zero
    const RECT rect{0, 0, 20, 40};
    struct { int H, V; RECT Expected; } cases[] = {
        {0, 0, {10, 20, 30, 60}}, {1, 1, {50, 100, 70, 140}}, {2, 2, {91, 181, 111, 221}}, {2, 0, {91, 20, 111, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.H << "," << c.V);
        RECT r = AlignRectInRect(rect, bounds, c.H, c.V);
        EXPECT_EQ(c.Expected.left, r.left);
        EXPECT_EQ(c.Expected.top, r.top);
        EXPECT_EQ(c.Expected.right, r.right);
        EXPECT_EQ(c.Expected.bottom, r.bottom);
    }
    // Larger than the bounds: centring gives a negative offset, toward zero.
    RECT wide = AlignRectInRect(RECT{0, 0, 103, 10}, RECT{0, 0, 100, 10}, 1, 0);
    EXPECT_EQ(-1, wide.left);
    EXPECT_EQ(102, wide.right);
    EXPECT_EQ(7, MaxOf(-3, 7));
    EXPECT_EQ(-3, MinOf(-3, 7));
}

TEST(sxSysUtilsStrings, PositionsAreOneBasedAndZeroMeansNone) {
    struct { const char* Sub; const char* Text; int Start; int Expected; } from[] = {
        {"ab", "xabab", 1, 2}, {"ab", "xabab", 3, 4}, {"ab", "xabab", 5, 0}, {"ab", "xabab", 6, 0},
        {"", "xabab", 1, 0}, {"a", "", 1, 0}, {"x", "x", 1, 1},
    };
    for (const auto& c : from) EXPECT_EQ(c.Expected, PosFrom(c.Sub, c.Text, c.Start)) << c.Sub << " in " << c.Text << " from " << c.Start;

    struct { const char* Sub; const char* Text; int Limit; int Expected; } before[] = {
        {"ab", "abxab", 5, 4}, {"ab", "abxab", 4, 1}, {"ab", "abxab", 99, 4}, {"ab", "abxab", 1, 0},
        {"abc", "ab", 5, 0}, {"b", "abxab", 2, 2},
    };
    for (const auto& c : before) EXPECT_EQ(c.Expected, LastPosBefore(c.Sub, c.Text, c.Limit)) << c.Sub << " in " << c.Text << " within " << c.Limit;
    EXPECT_EQ(4, LastPos("ab", "abxab"));
    EXPECT_EQ(0, LastPos("q", "abxab"));
}

TEST(sxSysUtilsStrings, ReplaceRoutines) {
    std::string text = "one two";
    ReplaceAt(text, 5, "two", "three");
    EXPECT_EQ("one three", text);

    struct { const char* Text; const char* Old; const char* New; const char* Expected; } all[] = {
        {"a.b.c", ".", "::", "a::b::c"},
        {"aaa", "a", "aa", "aaaaaa"},          // resumes after each inserted text: no endless growth
        {"abc", "", "x", "abc"},               // an empty pattern changes nothing
        {"abc", "zz", "x", "abc"},
    };
    for (const auto& c : all) {
        std::string t = c.Text;
        ReplaceAll(t, c.Old, c.New);
        EXPECT_EQ(c.Expected, t) << c.Text;
    }
    std::string path = "C:\\a\\b";
    ReplaceChar(path, '\\', '/');
    EXPECT_EQ("C:/a/b", path);
    EXPECT_EQ("123", KeepChars("0123456789", "a1-2 3!"));
}

TEST(sxSysUtilsStrings, SplitToStringsAppendsOneLinePerPiece) {
    TStringList list;
    list.Add("kept");
    SplitToStrings("a,b,,c", ",", list);
    SplitToStrings("x<>y", "<>", list);
    SplitToStrings("whole", "", list);
    ASSERT_EQ(8, list.Count());
    const char* expected[] = {"kept", "a", "b", "", "c", "x", "y", "whole"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(expected[i], list[i]);
}

TEST(sxSysUtilsFileNames, PartsUseBackslashColonAndSlashAsSeparators) {
    struct { const char* Path; const char* Name; const char* Folder; const char* Bare; } cases[] = {
        {"C:\\dir\\prog.exe", "prog.exe", "C:\\dir\\", "prog"},
        {"C:\\dir\\prog.exe -s", "prog.exe -s", "C:\\dir\\", "prog"},
        {"C:\\dir\\prog.exe /min", "min", "C:\\dir\\prog.exe /", "min"},
        {"C:prog", "prog", "C:", "prog"},
        {"a.b\\noext", "noext", "a.b\\", "noext"},
        {"C:\\dir\\", "", "C:\\dir\\", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Path);
        EXPECT_EQ(c.Name, ExtractNamePart(c.Path));
        EXPECT_EQ(c.Folder, ExtractPathPart(c.Path));
        EXPECT_EQ(c.Bare, ExtractNameWithoutExt(c.Path));
    }
    EXPECT_EQ("C:\\dir\\", AddBackslash("C:\\dir"));
    EXPECT_EQ("C:\\dir\\", AddBackslash("C:\\dir\\"));
    EXPECT_EQ("\\", AddBackslash(""));
    // Four in a row become two: the scan resumes after each replacement.
    EXPECT_EQ("a\\\\b\\c", RemoveDoubleBackslashes("a\\\\\\\\b\\\\c"));
}

TEST(sxSysUtilsFileNames, ApplyNameMaskTakesEachPartFromTheMaskUnlessWild) {
    struct { const char* Source; const char* Mask; const char* Expected; } cases[] = {
        {"C:\\in\\file.txt", "", "C:\\in\\file.txt"},
        {"C:\\in\\file.txt", "   ", "C:\\in\\file.txt"},
        {"C:\\in\\file.txt", "*.bak", "C:\\in\\file.bak"},
        {"C:\\in\\file.txt", "D:\\out\\*.*", "D:\\out\\file.txt"},
        {"C:\\in\\file.txt", "new.*", "C:\\in\\new.txt"},
        {"C:\\in\\file.txt", "D:\\out\\new.doc", "D:\\out\\new.doc"},
        {"C:\\in\\file.txt", "D:\\out\\", "D:\\out\\file.txt"},
        {"C:\\in\\file.txt", "f?le", "C:\\in\\file.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Expected, ApplyNameMask(c.Source, c.Mask)) << c.Mask;
}

TEST(sxSysUtilsFileNames, MakeAbsolutePathKeepsDrivesAndJoinsTheRest) {
    struct { const char* Base; const char* Path; const char* Expected; } cases[] = {
        {"C:\\base", "D:\\x\\y.txt", "D:\\x\\y.txt"},
        {"C:\\base", "\\\\server\\share\\f", "\\\\server\\share\\f"},
        {"C:\\base", "sub\\f.txt", "C:\\base\\sub\\f.txt"},
        {"C:\\base\\", "\\f.txt", "C:\\base\\f.txt"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.Expected, MakeAbsolutePath(c.Base, c.Path)) << c.Path;
}

TEST(sxSysUtilsFileNames, SystemFolderEndsInBackslashAndExists) {
    std::string folder = SystemFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ('\\', folder.back());
    DWORD attributes = GetFileAttributesA(folder.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(sxSysUtilsFileNames, IsValidFileNameTriesTheNameWithoutLeavingTraces) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::string existing = std::string(temp) + "sxSysUtilsTest-existing.txt";
    std::string fresh = std::string(temp) + "sxSysUtilsTest-fresh.txt";
    DeleteFileA(fresh.c_str());
    HANDLE h = CreateFileA(existing.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    DWORD written = 0;
    WriteFile(h, "keep", 4, &written, nullptr);
    CloseHandle(h);

    EXPECT_TRUE(IsValidFileName(existing));
    WIN32_FILE_ATTRIBUTE_DATA data{};
    ASSERT_TRUE(GetFileAttributesExA(existing.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(4u, data.nFileSizeLow);   // untouched

    EXPECT_TRUE(IsValidFileName(fresh));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(fresh.c_str()));   // created and deleted again

    EXPECT_FALSE(IsValidFileName(""));
    EXPECT_FALSE(IsValidFileName(std::string(temp) + "no-such-folder-sx\\f.txt"));
    EXPECT_FALSE(IsValidFileName(std::string(temp) + "bad|name?.txt"));
    EXPECT_FALSE(IsValidFileName(temp));   // a folder is not a file
    DeleteFileA(existing.c_str());
}

TEST(sxSysUtilsRegistration, RegisterClassIfMissingRegistersOnceAndSwallowsFailures) {
    // The registry lives as long as the process: a name of this run's own.
    static int run = 0;
    const std::string name = "TsxSysUtilsTestClass" + std::to_string(++run);
    int calls = 0;
    auto registrar = [&] {
        ++calls;
        TClassRegistration<TComponent>(name, "TComponent");
    };
    RegisterClassesIfMissing({{name, registrar}, {name, registrar}});
    EXPECT_EQ(1, calls);
    EXPECT_NE(nullptr, FindClassInfo(name));
    // A registrar that throws (here: an unknown parent) leaves nothing behind and raises nothing.
    EXPECT_NO_THROW(RegisterClassIfMissing("TsxSysUtilsOrphan", [] {
        TClassRegistration<TComponent>("TsxSysUtilsOrphan", "TNoSuchParent");
    }));
    EXPECT_EQ(nullptr, FindClassInfo("TsxSysUtilsOrphan"));
}

TEST(sxSysUtilsKeyboard, ShiftStateIsEmptyWithNoKeyDown) {
    EXPECT_EQ(0u, KeyboardShiftState());
}
