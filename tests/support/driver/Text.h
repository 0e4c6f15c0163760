// tests/support/driver/Text.h -- conversions between the driver's wide texts and its UTF-8 output
#pragma once

#include <string>

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);
std::wstring Lower(std::wstring text);
// "&Open" -> "Open", "Black && White" -> "Black & White": what the user sees.
std::wstring StripMnemonics(const std::wstring& text);
std::string Hex(const void* handle);  // "0x0001002a"

// One line on stdout, UTF-8, flushed at once so a test reading our output sees it.
void PrintLine(const std::wstring& text);
void PrintLine(const std::string& text);
