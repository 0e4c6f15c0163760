// tests/zip/ZpCollationTest.cpp -- wildcard masks and the Turkish order
#include "ZpCollation.h"

#include <gtest/gtest.h>

TEST(ZpCollationTest, MasksMatchAsTheArchiverExpects) {
    struct Case { const char* name; const char* mask; bool match; };
    const Case cases[] = {
        {"README", "*.*", true},       {"", "*", true},            {"abc", "*abc", true},
        {"abc", "abc*", true},         {"abc", "abc**", false},    {"abc", "abc*.*", false},
        {"", "?", false},              {"aXb", "a?b", true},       {"AXB", "a?b", true},
        {"a/b.txt", "a/*.*", true},    {"a/b.txt", "*.txt", true}, {"a/b.txt", "*.TXT", true},
        {"a.txt", "b*", false},        {"a.txt", "a.txt", true},   {"a.txt", "a.tx", false},
        {"a.tx", "a.txt", false},      {"sentinox.exe", "*.exe", true}, {"x", "", false},
    };
    for (const Case& c : cases) EXPECT_EQ(ZpCompareMask(c.name, c.mask, true), c.match) << c.name << " ~ " << c.mask;
    EXPECT_FALSE(ZpCompareMask("ABC", "abc", false));
}

TEST(ZpCollationTest, TurkishTellsDottedAndDotlessIApart) {
    TZpCollation tr(TZpCollation::TurkishLocale);
    ASSERT_TRUE(tr.IsStrictOrder());
    const unsigned char i = 'i', I = 'I', dotless = 0xFD, dotted = 0xDD;
    EXPECT_NE(tr.CompareChars(i, dotless, false), 0);
    EXPECT_EQ(tr.CompareChars(i, dotted, true), 0);
    EXPECT_NE(tr.CompareChars(i, I, true), 0);
    EXPECT_EQ(tr.CompareChars(dotless, I, true), 0);
    EXPECT_LT(tr.Order('a'), tr.Order('b'));
    EXPECT_LT(tr.Order('a'), tr.Order('A'));
}
