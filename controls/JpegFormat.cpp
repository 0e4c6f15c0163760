// controls/JpegFormat.cpp -- decoding through libjpeg (6b interface)
//
// libjpeg reports fatal errors through error_exit, which must not return. Throwing a C++
// exception through libjpeg's C frames is not safe, so error_exit longjmps back into
// DecodeJpeg, which holds no C++ objects between setjmp and the decoding calls.
#include "JpegFormat.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

extern "C" {
#include <jpeglib.h>
}

#include "desktop/Image.h"

namespace {

constexpr JDIMENSION MaxJpegSide = 32768;

struct TJpegError {
    jpeg_error_mgr Manager;
    jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr info) {
    auto* error = reinterpret_cast<TJpegError*>(info->err);
    (*info->err->format_message)(info, error->Message);
    longjmp(error->Jump, 1);
}

void OutputMessage(j_common_ptr) {}      // warnings (a few corrupt bytes) are not shown

// Returns null with message filled on failure.
HBITMAP DecodeJpeg(const unsigned char* data, size_t size, char* message, size_t messageSize) {
    jpeg_decompress_struct info;
    TJpegError error;
    std::memset(&info, 0, sizeof(info));
    info.err = jpeg_std_error(&error.Manager);
    error.Manager.error_exit = ErrorExit;
    error.Manager.output_message = OutputMessage;
    error.Message[0] = '\0';
    // volatile: read after longjmp.
    HBITMAP volatile bitmap = nullptr;
    if (setjmp(error.Jump)) {
        jpeg_destroy_decompress(&info);
        if (bitmap) DeleteObject(bitmap);
        std::snprintf(message, messageSize, "%s", error.Message[0] ? error.Message : "JPEG data cannot be decoded");
        return nullptr;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    if (info.image_width == 0 || info.image_height == 0 || info.image_width > MaxJpegSide || info.image_height > MaxJpegSide) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "JPEG size %u x %u is not supported", static_cast<unsigned>(info.image_width),
                      static_cast<unsigned>(info.image_height));
        return nullptr;
    }
    if (info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "CMYK JPEG pictures are not supported");
        return nullptr;
    }
    info.out_color_space = JCS_EXT_BGR;   // the byte order of a 24-bit DIB
    jpeg_start_decompress(&info);

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = static_cast<LONG>(info.output_width);
    bi.bmiHeader.biHeight = -static_cast<LONG>(info.output_height);   // top-down, as libjpeg delivers rows
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    bi.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, messageSize, "JPEG picture of %u x %u cannot be created", static_cast<unsigned>(info.output_width),
                      static_cast<unsigned>(info.output_height));
        return nullptr;
    }
    size_t stride = ((static_cast<size_t>(info.output_width) * 3 + 3) / 4) * 4;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = static_cast<unsigned char*>(bits) + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return bitmap;
}

} // namespace

HBITMAP BitmapFromJpegData(const unsigned char* data, size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) throw EInvalidGraphic("Not a JPEG file");
    char message[JMSG_LENGTH_MAX + 64] = {};
    HBITMAP bitmap = DecodeJpeg(data, size, message, sizeof(message));
    if (!bitmap) throw EInvalidGraphic(std::string("JPEG picture: ") + message);
    return bitmap;
}

void RegisterJpegFormat() {
    auto loader = [](TPicture& picture, const std::string& fileName) {
        std::vector<unsigned char> data = ReadFileBytes(fileName);
        picture.SetBitmap(BitmapFromJpegData(data.data(), data.size()));
    };
    RegisterPictureFormat("jpg", "JPEG Image File", loader);
    RegisterPictureFormat("jpeg", "JPEG Image File", loader);
}
