// controls/JpegFormat.h -- the JPEG picture format ("jpg", "jpeg": "JPEG Image File") through libjpeg
#pragma once
#include <windows.h>
#include <cstddef>

void RegisterJpegFormat();
// A top-down 24-bit DIB section of the decoded image; the caller owns it. Throws EInvalidGraphic
// saying what libjpeg found wrong (not a JPEG, truncated, unsupported colour space, too large).
HBITMAP BitmapFromJpegData(const unsigned char* data, size_t size);
