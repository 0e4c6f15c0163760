// controls/UiCharTables.cpp -- the locale's character-type table and case maps
#include "UiCharTables.h"

#include <windows.h>

namespace {

unsigned short gCharTypes[256];
unsigned char gLower[256], gUpper[256], gSwap[256];
bool gFilled = false;

} // namespace

void InitCharTables() {
    if (gFilled) return;
    char chars[256];
    for (int i = 0; i < 256; ++i) chars[i] = static_cast<char>(i);
    // One call for all 256: the table follows the locale's code page, not the C library's idea of it.
    if (!GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, chars, 256, gCharTypes))
        for (int i = 0; i < 256; ++i) gCharTypes[i] = (i >= '0' && i <= '9') ? C1_DIGIT : 0;
    for (int i = 0; i < 256; ++i) {
        // CharLowerA/CharUpperA take a single character in the low word of the pointer argument.
        gLower[i] = static_cast<unsigned char>(reinterpret_cast<UINT_PTR>(CharLowerA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(i)))));
        gUpper[i] = static_cast<unsigned char>(reinterpret_cast<UINT_PTR>(CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(i)))));
        if (i == 0) gLower[i] = gUpper[i] = 0;
    }
    for (int i = 0; i < 256; ++i)
        gSwap[i] = (gCharTypes[i] & C1_UPPER) ? gLower[i] : (gCharTypes[i] & C1_LOWER) ? gUpper[i] : static_cast<unsigned char>(i);
    gFilled = true;
}

unsigned short CharTypeOf(char c) {
    InitCharTables();
    return gCharTypes[static_cast<unsigned char>(c)];
}

bool IsUpperChar(char c) { return (CharTypeOf(c) & C1_UPPER) != 0; }
bool IsLowerChar(char c) { return (CharTypeOf(c) & C1_LOWER) != 0; }
bool IsDigitChar(char c) { return (CharTypeOf(c) & C1_DIGIT) != 0; }

char LowerCaseChar(char c) { InitCharTables(); return static_cast<char>(gLower[static_cast<unsigned char>(c)]); }
char UpperCaseChar(char c) { InitCharTables(); return static_cast<char>(gUpper[static_cast<unsigned char>(c)]); }
char SwapCaseChar(char c) { InitCharTables(); return static_cast<char>(gSwap[static_cast<unsigned char>(c)]); }

std::string LeftText(const std::string& text, int count) {
    if (count <= 0) return {};
    return text.substr(0, static_cast<size_t>(count));
}
