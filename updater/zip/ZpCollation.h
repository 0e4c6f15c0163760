// updater/zip/ZpCollation.h -- TZpCollation: the locale's order of the 256 characters, and mask matching
#pragma once

#include <cstdint>
#include <string>

class TZpCollation {
public:
    static constexpr uint32_t TurkishLocale = 0x041F;

    explicit TZpCollation(uint32_t locale);            // builds the tables (65,536 locale comparisons)
    static const TZpCollation& Instance();             // the user's default locale, built once per process

    int CompareChars(unsigned char a, unsigned char b, bool ignoreCase) const;   // 0: equal
    bool IsStrictOrder() const { return FStrict; }
    uint8_t Order(unsigned char c) const { return FOrder[c]; }

private:
    uint32_t FLocale;
    uint8_t FOrder[256];
    uint8_t FInverse[256];
    uint8_t FUpperOrder[256];
    bool FStrict = false;
};

// Wildcard match of a name against a mask ("*", "?", "*.*" = anything).
bool ZpCompareMask(const std::string& name, const std::string& mask, bool ignoreCase);
