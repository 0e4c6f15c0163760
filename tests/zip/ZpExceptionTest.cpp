// tests/zip/ZpExceptionTest.cpp -- native codes, their texts and the composed message
#include "ZpException.h"
#include "ZipArchiver.h"

#include <gtest/gtest.h>

TEST(ZpExceptionTest, CodesMapToTheirTexts) {
    struct Case { int code; const char* text; };
    const Case cases[] = {
        {0, "Unknown error"}, {61, "Unknown error"}, {-3, "Unknown error"}, {4, "Index out of bounds"},
        {24, "Index out of bounds"}, {8, "Invalid size or check sum of file or unsupported compression format"},
        {29, "File name is blank. Specify appropriate file name"}, {14, "Archive is not open"},
        {23, "Cannot create file \"%s\""}, {35, "Invalid archive file."},
        {45, "Cannot open archive file. Opening aborted or invalid file"}, {48, "Archive is damaged. Open failed"},
        {55, "Deflate64 compression method is not supported"},
        {37, "Archive is open. You should close it beore performing this operation."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EZpException::MessageText(EZpException::MessageIndexOf(c.code)), c.text) << "code " << c.code;
    for (int code = 56; code <= 60; ++code) EXPECT_EQ(EZpException::MessageIndexOf(code), -1);
}

TEST(ZpExceptionTest, MessageNamesTheComponentAndPadsTheCode) {
    TZipArchiver zip;
    zip.Name = "zip";
    EXPECT_STREQ(EZpException(45, &zip).what(),
                 "zip: Cannot open archive file. Opening aborted or invalid file - Native error: 00045");
    EXPECT_STREQ(EZpException(1, nullptr).what(), "Index out of bounds - Native error: 00001");
    EXPECT_STREQ(EZpException(12345, nullptr).what(), "Unknown error - Native error: 12345");
    zip.Name.clear();
    EXPECT_STREQ(EZpException(13, &zip).what(), "Archive is not open - Native error: 00013");
    EXPECT_EQ(EZpException(56, nullptr).MessageIndex(), -1);
}

TEST(ZpExceptionTest, ArgumentsFillTheTextBeforeTheNameIsAdded) {
    TZipArchiver zip;
    zip.Name = "z%sip";
    EZpException e(12, &zip, {"C:\\x%d.zip"});
    EXPECT_STREQ(e.what(), "z%sip: File \"C:\\x%d.zip\" not found - Native error: 00012");
    EXPECT_EQ(e.NativeCode(), 12);
    EXPECT_EQ(e.MessageIndex(), 6);
    EXPECT_STREQ(EZpException(34, nullptr, {5000000000LL, 7}).what(),
                 "Invalid compressed size, rfs.size = 5000000000, count = 7 - Native error: 00034");
}
