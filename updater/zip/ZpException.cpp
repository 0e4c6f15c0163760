// updater/zip/ZpException.cpp -- native error codes, their message texts and the message composition
#include "ZpException.h"

#include "ZpBaseArchiver.h"

#include <cstdio>

namespace {

const char* const gMessages[41] = {
    "Unknown error",
    "Index out of bounds",
    "Invalid compression mode. Mode must be in [0-9] range",
    "Unexpected nil pointer",
    "Invalid size or check sum of file or unsupported compression format",
    "File name is blank. Specify appropriate file name",
    "File \"%s\" not found",
    "Archive is not open",
    "SFXStub property is not specified",
    "Cannot create file \"%s\"",
    "Cannot create directory \"%s\"",
    "Internal error. Update is not started",
    "Cannot open file \"%s\"",
    "Cannot proceed when update is not ended. Preceding EndUpdate call is required.",
    "Cannot delete file \"%s\"",
    "In-memory archive can be created only",
    "File is open in read-only mode",
    "Invalid compressed size, rfs.size = %d, count = %d",
    "Invalid archive file.",
    "Cannot create output file. Probably file is locked by another process. FileName = '%s'.",
    "Archive is open. You should close it beore performing this operation.",
    "Unable to create directory",
    "Cannot find Zip64 directory end record",
    "Cannot compress file '%s'. Zip64 mode is not enabled",
    "Cannot open archive file. Opening aborted or invalid file",
    "Write to stream error",
    "Cannot place SFX stub on volume. Volume size limit is too small",
    "Archive is damaged. Open failed",
    "MakeSFX is not allowed for splitted or spanned archives. Set SFXStub before archive creation instead of MakeSFX",
    "Archive already has SFX stub",
    "Multi-volume archive is not allowed for custom stream",
    "Multi-spanned archive is not allowed for modification. Use BeginUpdate/EndUpdate methods to add files several times",
    "Deflate64 compression method is not supported",
    "", "", "", "", "", "", "", "",
};

// Message index of the codes 0 .. 60, in code order; -1 for the codes that have no text.
const int gCodeToIndex[61] = {
    0,  1,  1,  1,  1,  2,  3,  1,  4,  5,   // 0-9
    5,  6,  6,  7,  7,  6,  1,  8,  6,  9,   // 10-19
    10, 1,  11, 9,  1,  11, 13, 14, 15, 5,   // 20-29
    6,  6,  16, 12, 17, 18, 19, 20, 6,  21,  // 30-39
    22, 23, 6,  23, 24, 24, 25, 26, 27, 28,  // 40-49
    29, 30, 31, 6,  6,  32, -1, -1, -1, -1,  // 50-59
    -1,                                      // 60
};

// The runtime's Format for the two directives the texts use; any other "%" stays as it is.
std::string FormatText(const std::string& text, const std::vector<EZpException::TArg>& args) {
    std::string out;
    size_t next = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '%' && i + 1 < text.size() && (text[i + 1] == 's' || text[i + 1] == 'd')) {
            if (next < args.size()) {
                const EZpException::TArg& a = args[next++];
                out += a.IsText ? a.Text : std::to_string(a.Number);
            }
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

int EZpException::MessageIndexOf(int code) {
    if (code < 0 || code > 60) return 0;
    return gCodeToIndex[code];
}

std::string EZpException::MessageText(int index) {
    if (index < 0 || index > 40) return std::string();
    return gMessages[index];
}

std::string EZpException::Compose(int code, const std::string& componentName, const std::vector<TArg>& args) {
    // Codes 56 to 60 have no text of their own.
    int index = MessageIndexOf(code);
    std::string text = FormatText(MessageText(index < 0 ? 0 : index), args);
    if (!componentName.empty()) text = componentName + ": " + text;
    char digits[32];
    std::snprintf(digits, sizeof digits, "%5d", code);
    std::string number = digits;
    for (char& c : number)
        if (c == ' ') c = '0';
    return text + " - Native error: " + number;
}

EZpException::EZpException(int code, const TZpBaseArchiver* archiver) : EZpException(code, archiver, {}) {}

EZpException::EZpException(int code, const TZpBaseArchiver* archiver, const std::vector<TArg>& args)
    : std::runtime_error(Compose(code, archiver ? archiver->Name : std::string(), args)),
      FNativeCode(code), FMessageIndex(MessageIndexOf(code)) {}
