// tests/controls/UiIntegerEditTest.cpp -- bounds, typed keys and pastes through real
// WM_CHAR / WM_PASTE, the clipboard rules and the disabled colours
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ControlTestHost.h"
#include "controls/UiCharTables.h"
#include "controls/UiIntegerEdit.h"

namespace {

void PutOnClipboard(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(mem), text.c_str(), text.size() + 1);
    GlobalUnlock(mem);
    SetClipboardData(CF_TEXT, mem);
    CloseClipboard();
}

std::string ClipboardText() {
    std::string text;
    if (!OpenClipboard(nullptr)) return text;
    if (HANDLE h = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(h));
        GlobalUnlock(h);
    }
    CloseClipboard();
    return text;
}

struct TBounds {
    bool HasMin; int Min; bool HasMax; int Max;
};

class UiIntegerEditTest : public ::testing::Test {
protected:
    TControlHost Host;
    TUiIntegerEdit* E = nullptr;
    void SetUp() override { E = Host.Add<TUiIntegerEdit>(10, 10, 100, 21); }
    void Bounds(const TBounds& b) {
        E->SetHasMinValue(b.HasMin);
        E->SetMinValue(b.Min);
        E->SetHasMaxValue(b.HasMax);
        E->SetMaxValue(b.Max);
    }
    void Select(int start, int length) { SendMessageA(E->WindowHandle(), EM_SETSEL, static_cast<WPARAM>(start), start + length); }
    void Type(char c) { SendMessageA(E->WindowHandle(), WM_CHAR, static_cast<unsigned char>(c), 1); }
    std::string Text() { return E->Text(); }
};

TEST_F(UiIntegerEditTest, ValueWriteKeepsWithinTheBoundsThatAreOn) {
    struct { TBounds B; int Set; const char* Shown; } cases[] = {
        {{false, 0, true, 3}, 5, "3"},
        {{true, 10, true, 5}, 7, "10"},        // crossed bounds: the lower one wins
        {{true, 10, true, 5}, 3, "10"},
        {{true, -5, false, 0}, -9, "-5"},
        {{false, 0, false, 0}, INT_MIN, "-2147483648"},
        {{false, 0, false, 0}, 42, "42"},
    };
    for (const auto& c : cases) {
        Bounds(c.B);
        E->SetValue(c.Set);
        EXPECT_EQ(Text(), c.Shown) << c.Set;
    }
}

TEST_F(UiIntegerEditTest, TextThatIsNoNumberReadsAsZero) {
    for (const char* t : {"abc", "", "-", "12x", "99999999999"}) {
        E->SetText(t);
        EXPECT_EQ(E->Value(), 0) << t;
    }
    E->SetText("-17");
    EXPECT_EQ(E->Value(), -17);
}

TEST_F(UiIntegerEditTest, TypedKeysAreFilteredByTheResultingText) {
    struct { const char* Name; TBounds B; const char* Start; int SelStart, SelLength; char Key; const char* After; } cases[] = {
        {"digit appended", {false, 0, false, 0}, "12", 2, 0, '3', "123"},
        {"letter", {false, 0, false, 0}, "12", 2, 0, 'a', "12"},
        {"third digit over max 99", {false, 0, true, 99}, "12", 2, 0, '3', "12"},
        {"digit replacing a selection", {false, 0, true, 99}, "12", 0, 2, '7', "7"},
        {"minus at 0, no bounds", {false, 0, false, 0}, "5", 0, 0, '-', "-5"},
        {"minus not at 0", {false, 0, false, 0}, "5", 1, 0, '-', "5"},
        {"minus with min 0", {true, 0, false, 0}, "5", 0, 0, '-', "5"},
        {"second minus", {false, 0, false, 0}, "-5", 0, 0, '-', "-5"},
        {"minus within negative min", {true, -10, false, 0}, "5", 0, 0, '-', "-5"},
        {"below min after the key", {true, -10, false, 0}, "-1", 2, 0, '1', "-1"},
        {"past the 32-bit range", {false, 0, false, 0}, "2147483647", 10, 0, '0', "2147483647"},
        {"just inside the range", {false, 0, false, 0}, "-214748364", 10, 0, '8', "-2147483648"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Bounds(c.B);
        E->SetText(c.Start);
        Select(c.SelStart, c.SelLength);
        Type(c.Key);
        EXPECT_EQ(Text(), c.After);
        int v = 0;
        EXPECT_TRUE(TryParseInt32(Text(), v));
        EXPECT_EQ(E->Value(), v);             // what is shown is what Value reads
    }
}

TEST_F(UiIntegerEditTest, LocaleDigitsThatAreNoDecimalDigitsAreRefused) {
    bool found = false;
    for (int c = 128; c < 256; ++c) {
        if (!IsDigitChar(static_cast<char>(c))) continue;
        found = true;
        E->SetText("1");
        Select(1, 0);
        Type(static_cast<char>(c));
        EXPECT_EQ(Text(), "1") << c;
    }
    if (!found) GTEST_SKIP() << "the code page has no extra digits";
}

TEST_F(UiIntegerEditTest, EnterNeverReachesOnKeyPressOtherControlKeysDo) {
    struct TKeys {
        std::string Seen;
        void KeyPress(TObject*, char& key) { Seen += key; }
    } keys;
    E->OnKeyPress = TUiKeyPressEvent(&keys, &TKeys::KeyPress);
    Type('\r');
    Type('\b');
    Type('x');                                 // swallowed by the filter: no event either
    Type('4');
    EXPECT_EQ(keys.Seen, "\b4");
}

TEST_F(UiIntegerEditTest, PasteGoesInOnlyWhenTheResultIsAValidNumber) {
    struct { const char* Name; TBounds B; const char* Start; int SelStart, SelLength; const char* Clip; const char* After; } cases[] = {
        {"digits", {false, 0, false, 0}, "12", 2, 0, "34", "1234"},
        {"not a number", {false, 0, false, 0}, "12", 2, 0, "3a", "12"},
        {"out of 32 bits", {false, 0, false, 0}, "", 0, 0, "99999999999", ""},
        {"over the max", {false, 0, true, 100}, "5", 1, 0, "00", "5"},
        {"replacing the selection", {false, 0, true, 100}, "555", 0, 3, "42", "42"},
        {"negative", {false, 0, false, 0}, "", 0, 0, "-8", "-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        Bounds(c.B);
        E->SetText(c.Start);
        Select(c.SelStart, c.SelLength);
        PutOnClipboard(c.Clip);
        SendMessageA(E->WindowHandle(), WM_PASTE, 0, 0);
        EXPECT_EQ(Text(), c.After);
    }
}

TEST_F(UiIntegerEditTest, ReadOnlyAllowsCopyOnlyAndSwitchingBackRestoresTheSet) {
    E->SetClipBoardCommands(caCopy | caPaste);
    E->SetReadOnly(true);
    EXPECT_EQ(E->ClipBoardCommands(), static_cast<TUiClipBoardCommands>(caCopy));
    E->SetReadOnly(false);
    EXPECT_EQ(E->ClipBoardCommands(), static_cast<TUiClipBoardCommands>(caCopy | caPaste));
}

TEST_F(UiIntegerEditTest, ClipboardMessagesOutsideTheSetAreSwallowed) {
    E->SetText("123");
    E->SetClipBoardCommands(caPaste);
    Select(0, 3);
    PutOnClipboard("7");
    SendMessageA(E->WindowHandle(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "7");
    SendMessageA(E->WindowHandle(), WM_CUT, 0, 0);
    EXPECT_EQ(Text(), "123");
    E->SetClipBoardCommands(caCopy | caCut);
    Select(0, 3);
    SendMessageA(E->WindowHandle(), WM_COPY, 0, 0);
    EXPECT_EQ(ClipboardText(), "123");
    PutOnClipboard("9");
    SendMessageA(E->WindowHandle(), WM_PASTE, 0, 0);
    EXPECT_EQ(Text(), "123");
}

TEST_F(UiIntegerEditTest, DisabledEditShowsItsTextInTheDisabledColours) {
    E->SetBounds(10, 10, 100, 30);
    E->SetValue(888);
    E->SetDisabledColor(RGB(0, 128, 0));
    E->SetDisabledTextColor(RGB(0, 0, 255));
    E->SetEnabled(false);
    TSnapshot shot(E->WindowHandle());
    EXPECT_EQ(shot.Pixel(shot.Width() - 1, shot.Height() - 1), RGB(0, 128, 0));
    EXPECT_GT(shot.Count(RGB(0, 0, 255)), 5);
    E->SetEnabled(true);
    TSnapshot enabled(E->WindowHandle());
    EXPECT_EQ(enabled.Count(RGB(0, 128, 0)), 0);
}

} // namespace
