// tests/desktop/StringListTest.cpp -- TStringList: order, lookup, line ends, files
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "desktop/StringList.h"

namespace {

std::vector<std::string> Items(const TStringList& list) {
    std::vector<std::string> items;
    for (int i = 0; i < list.Count(); ++i) items.push_back(list[i]);
    return items;
}

using Lines = std::vector<std::string>;

}  // namespace

TEST(StringListTest, AddInsertDeleteKeepTheOrderAndRefuseBadIndexes) {
    TStringList list;
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("d"), 1);
    list.Insert(0, "a");
    list.Insert(2, "c");
    list.Insert(4, "e");  // Count appends
    EXPECT_EQ(Items(list), (Lines{"a", "b", "c", "d", "e"}));
    list.Delete(1);
    list.Put(0, "A");
    EXPECT_EQ(Items(list), (Lines{"A", "c", "d", "e"}));

    EXPECT_THROW(list.Strings(-1), EStringListError);
    EXPECT_THROW(list.Strings(4), EStringListError);
    EXPECT_THROW(list.Insert(5, "x"), EStringListError);
    EXPECT_THROW(list.Delete(4), EStringListError);
    EXPECT_EQ(list.Count(), 4);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
}

TEST(StringListTest, IndexOfIgnoresLetterCaseAndFindsTheFirst) {
    TStringList list;
    list.SetText("C:\\Program Files\\App.exe\r\nother\r\nc:\\program files\\app.EXE\r\n");
    EXPECT_EQ(list.IndexOf("C:\\PROGRAM FILES\\APP.EXE"), 0);
    EXPECT_EQ(list.IndexOf("Other"), 1);
    EXPECT_EQ(list.IndexOf("othe"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
}

TEST(StringListTest, TextEndsEveryLineWithCrLfAndSplitsAtAnyLineEnd) {
    struct Case {
        const char* text;
        Lines lines;
    };
    const Case cases[] = {
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"a\r\rb\n", {"a", "", "b"}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n", {""}},
        {"", {}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.lines) << "text: " << ::testing::PrintToString(std::string(c.text));
    }
    TStringList list;
    list.SetText("one\ntwo\n\nfour");
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\n\r\nfour\r\n");
}

TEST(StringListTest, SortedListKeepsItsOrderAndAppliesTheDuplicatesRule) {
    TStringList list;
    list.SetText("pear\r\nApple\r\nfig\r\n");
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (Lines{"Apple", "fig", "pear"}));
    EXPECT_EQ(list.Add("banana"), 1);
    EXPECT_EQ(list.Add("APPLE"), -1);  // dupIgnore
    EXPECT_EQ(list.IndexOf("PEAR"), 3);
    EXPECT_THROW(list.Insert(0, "zz"), EStringListError);
    list.SetDuplicates(dupError);
    EXPECT_THROW(list.Add("Fig"), EStringListError);
    list.SetDuplicates(dupAccept);
    EXPECT_EQ(list.Add("FIG"), 2);
    EXPECT_EQ(list.Count(), 5);
}

TEST(StringListTest, SaveToFileAndLoadFromFileRoundTripEveryByte) {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::string file = std::string(folder) + "SentinoxStringList-" + std::to_string(GetCurrentProcessId()) + ".txt";
    TStringList saved;
    saved.Add("first line");
    saved.Add("");
    saved.Add("\xE4\xF6\xFC 8-bit text");
    saved.SaveToFile(file);

    TStringList loaded;
    loaded.Add("dropped by the load");
    loaded.LoadFromFile(file);
    EXPECT_EQ(Items(loaded), Items(saved));
    EXPECT_EQ(loaded.Text(), "first line\r\n\r\n\xE4\xF6\xFC 8-bit text\r\n");
    DeleteFileA(file.c_str());

    try {
        loaded.LoadFromFile(file);
        FAIL() << "loading a missing file did not throw";
    } catch (const EWin32Error& e) {
        EXPECT_NE(e.Message().find(file), std::string::npos) << e.Message();
        EXPECT_EQ(e.Code(), static_cast<unsigned long>(ERROR_FILE_NOT_FOUND));
    }
    EXPECT_EQ(loaded.Count(), 3) << "a failed load must leave the list as it was";
}
