// controls/UiCharTables.h -- character types and case maps of the user's default locale,
// filled once at start
#pragma once
#include <string>

void InitCharTables();                    // safe to call again: fills once
unsigned short CharTypeOf(char c);        // GetStringTypeExA CT_CTYPE1 bits (C1_UPPER 1, C1_LOWER 2, C1_DIGIT 4)
bool IsUpperChar(char c);
bool IsLowerChar(char c);
bool IsDigitChar(char c);                 // by the locale: superscript digits count in many code pages
char LowerCaseChar(char c);
char UpperCaseChar(char c);
char SwapCaseChar(char c);
std::string LeftText(const std::string& text, int count);   // the first count characters (all when shorter)
