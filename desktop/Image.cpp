// desktop/Image.cpp -- BMP and ICO decoding, the picture format registry, TPicture and TImage
#include "Image.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "Classes.h"
#include "Handle.h"
#include "GdiGuards.h"

namespace {

uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

constexpr int MaxPictureSide = 32768;             // more than any screen; keeps size arithmetic in range

std::vector<TPictureFormat>& Formats() {
    static std::vector<TPictureFormat> formats = [] {
        std::vector<TPictureFormat> f;
        f.push_back({"bmp", "Bitmaps", [](TPicture& p, const std::string& name) { p.LoadFromData(ReadFileBytes(name)); }});
        f.push_back({"ico", "Icons", [](TPicture& p, const std::string& name) { p.LoadFromData(ReadFileBytes(name)); }});
        return f;
    }();
    return formats;
}

std::string NormalExtension(const std::string& extension) {
    std::string e = LowerCaseAscii(extension);
    if (!e.empty() && e[0] == '.') e.erase(0, 1);
    return e;
}

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP bm{};
    GetObjectA(bitmap, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

SIZE IconSize(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return SIZE{0, 0};
    SIZE s = BitmapSize(info.hbmMask);
    if (!info.hbmColor) s.cy /= 2;                // monochrome icons stack AND and XOR masks
    if (info.hbmColor) DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return s;
}

} // namespace

// ---------------------------------------------------------------------------------------------
// Decoders

std::vector<unsigned char> ReadFileBytes(const std::string& fileName) {
    THandle file(CreateFileA(fileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file.IsValid()) throw EWin32Error("Cannot open " + fileName + ": CreateFileA", GetLastError());
    DWORD high = 0;
    DWORD size = GetFileSize(file.Get(), &high);
    if (high || size > 64u * 1024 * 1024) throw EInvalidGraphic(fileName + " is too large for a picture");
    std::vector<unsigned char> data(size);
    DWORD got = 0;
    if (size && (!ReadFile(file.Get(), data.data(), size, &got, nullptr) || got != size))
        throw EWin32Error("Cannot read " + fileName + ": ReadFile", GetLastError());
    return data;
}

HBITMAP BitmapFromBmpData(const unsigned char* data, size_t size) {
    constexpr size_t FileHeaderSize = 14;
    if (size < FileHeaderSize + 40 || data[0] != 'B' || data[1] != 'M') throw EInvalidGraphic("Not a bitmap file");
    uint32_t bitsOffset = Le32(data + 10);
    const unsigned char* h = data + FileHeaderSize;
    uint32_t headerSize = Le32(h);
    if (headerSize < 40 || headerSize > size - FileHeaderSize)
        throw EInvalidGraphic(Format("Bitmap header of %u bytes is not supported", static_cast<unsigned>(headerSize)));
    int32_t width = static_cast<int32_t>(Le32(h + 4));
    int32_t height = static_cast<int32_t>(Le32(h + 8));
    uint16_t bitCount = Le16(h + 14);
    uint32_t compression = Le32(h + 16);
    uint32_t imageSize = Le32(h + 20);
    uint32_t colorsUsed = Le32(h + 32);
    if (width <= 0 || width > MaxPictureSide || height == 0 || height < -MaxPictureSide || height > MaxPictureSide)
        throw EInvalidGraphic(Format("Bitmap size %d x %d is not supported", static_cast<int>(width), static_cast<int>(height)));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        throw EInvalidGraphic(Format("Bitmap with %u bits per pixel is not supported", static_cast<unsigned>(bitCount)));
    bool rle = compression == BI_RLE8 || compression == BI_RLE4;
    if (compression != BI_RGB && compression != BI_BITFIELDS && !rle)
        throw EInvalidGraphic(Format("Bitmap compression %u is not supported", static_cast<unsigned>(compression)));
    if ((compression == BI_RLE8 && bitCount != 8) || (compression == BI_RLE4 && bitCount != 4) ||
        (compression == BI_BITFIELDS && bitCount != 16 && bitCount != 32))
        throw EInvalidGraphic("Bitmap compression does not fit its pixel format");

    size_t palette = 0;
    if (bitCount <= 8) {
        size_t most = size_t{1} << bitCount;
        if (colorsUsed > most) throw EInvalidGraphic("Bitmap colour table is too large");
        palette = colorsUsed ? colorsUsed : most;
    } else {
        palette = colorsUsed <= 256 ? colorsUsed : 0;
    }
    size_t masks = (compression == BI_BITFIELDS && headerSize == 40) ? 12 : 0;
    size_t infoSize = headerSize + masks + palette * 4;
    if (infoSize > size - FileHeaderSize) throw EInvalidGraphic("Bitmap file is truncated (colour table)");

    size_t rows = static_cast<size_t>(height < 0 ? -height : height);
    size_t stride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    size_t bitsSize = rle ? imageSize : stride * rows;
    if (rle && bitsSize == 0) throw EInvalidGraphic("Compressed bitmap gives no image size");
    if (bitsOffset < FileHeaderSize + infoSize || bitsOffset > size || bitsSize > size - bitsOffset)
        throw EInvalidGraphic("Bitmap file is truncated (pixels)");

    // A copy keeps the info block aligned for GDI.
    std::vector<unsigned char> info(h, h + infoSize);
    auto* bi = reinterpret_cast<BITMAPINFO*>(info.data());
    HBITMAP bitmap = nullptr;
    if (rle) {
        bitmap = CreateDIBitmap(TScopedGetDC().Get(), &bi->bmiHeader, CBM_INIT, data + bitsOffset, bi, DIB_RGB_COLORS);
    } else {
        void* bits = nullptr;
        bitmap = CreateDIBSection(nullptr, bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (bitmap) std::memcpy(bits, data + bitsOffset, bitsSize);
    }
    if (!bitmap) throw EInvalidGraphic(Format("Bitmap %d x %d cannot be created: %s", static_cast<int>(width),
                                              static_cast<int>(height), SysErrorMessage(GetLastError()).c_str()));
    return bitmap;
}

namespace {

// What the system would refuse, found while the data is read: the picture itself is made later.
void CheckIcoImage(const unsigned char* image, uint32_t bytes) {
    static const unsigned char png[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (std::memcmp(image, png, sizeof(png)) == 0) return;
    uint32_t headerSize = Le32(image);
    if (headerSize < 40 || headerSize > bytes) throw EInvalidGraphic("Icon image has no bitmap header");
    int32_t width = static_cast<int32_t>(Le32(image + 4));
    int32_t doubleHeight = static_cast<int32_t>(Le32(image + 8));
    uint16_t bitCount = Le16(image + 14);
    uint32_t colorsUsed = Le32(image + 32);
    if (width <= 0 || width > 256 || doubleHeight <= 0 || doubleHeight > 512)
        throw EInvalidGraphic(Format("Icon image size %d x %d is not supported", static_cast<int>(width),
                                     static_cast<int>(doubleHeight / 2)));
    if (bitCount != 1 && bitCount != 4 && bitCount != 8 && bitCount != 16 && bitCount != 24 && bitCount != 32)
        throw EInvalidGraphic(Format("Icon image with %u bits per pixel is not supported", static_cast<unsigned>(bitCount)));
    uint64_t palette = bitCount <= 8 ? (colorsUsed ? colorsUsed : (1u << bitCount)) : 0;
    uint64_t rows = static_cast<uint64_t>(doubleHeight) / 2;
    uint64_t colourStride = ((static_cast<uint64_t>(width) * bitCount + 31) / 32) * 4;
    uint64_t maskStride = ((static_cast<uint64_t>(width) + 31) / 32) * 4;
    if (headerSize + palette * 4 + (colourStride + maskStride) * rows > bytes)
        throw EInvalidGraphic("Icon file is truncated (image)");
}

// An icon image without alpha channel, drawn at its own size as DrawIconEx(DI_NORMAL) draws
// it: the mask ANDed onto the target, then the colours XORed. It needs no icon handle, which
// under Wine costs several round trips to the server: most icons of a window are drawn this
// way once, at their size. False, drawing nothing: not such an image (PNG, 32 bits, another
// size), for the handle to draw.
bool DrawIcoImageDirectly(HDC dc, int x, int y, int w, int h, const TIcoImage& image) {
    const unsigned char* dib = image.Bytes.data();
    if (image.Bytes.size() < sizeof(BITMAPINFOHEADER) || Le32(dib) != sizeof(BITMAPINFOHEADER)) return false;
    const int width = static_cast<int32_t>(Le32(dib + 4));
    const int height = static_cast<int32_t>(Le32(dib + 8)) / 2;
    const uint16_t bitCount = Le16(dib + 14);
    if (bitCount == 32 || Le32(dib + 16) != BI_RGB || width != w || height != h) return false;
    const uint32_t colorsUsed = Le32(dib + 32);
    const size_t palette = bitCount <= 8 ? (colorsUsed ? colorsUsed : (1u << bitCount)) : 0;
    const size_t colourStride = ((static_cast<size_t>(width) * bitCount + 31) / 32) * 4;
    const unsigned char* colour = dib + sizeof(BITMAPINFOHEADER) + palette * sizeof(RGBQUAD);
    const unsigned char* mask = colour + colourStride * static_cast<size_t>(height);

    // The header with its colour table, the height of one of the two stacked bitmaps.
    std::vector<unsigned char> colourInfo(dib, colour);
    BITMAPINFOHEADER header;
    std::memcpy(&header, colourInfo.data(), sizeof(header));
    header.biHeight = height;
    header.biSizeImage = 0;
    std::memcpy(colourInfo.data(), &header, sizeof(header));

    struct {
        BITMAPINFOHEADER Header;
        RGBQUAD Colours[2];
    } maskInfo{};
    maskInfo.Header = header;
    maskInfo.Header.biBitCount = 1;
    maskInfo.Header.biClrUsed = 0;
    maskInfo.Header.biClrImportant = 0;
    maskInfo.Colours[1] = RGBQUAD{255, 255, 255, 0};

    StretchDIBits(dc, x, y, w, h, 0, 0, w, h, mask, reinterpret_cast<const BITMAPINFO*>(&maskInfo), DIB_RGB_COLORS, SRCAND);
    StretchDIBits(dc, x, y, w, h, 0, 0, w, h, colour, reinterpret_cast<const BITMAPINFO*>(colourInfo.data()),
                  DIB_RGB_COLORS, SRCINVERT);
    return true;
}

} // namespace

TIcoImage PickIcoImage(const unsigned char* data, size_t size, int wantedWidth) {
    if (size < 6 || Le16(data) != 0 || Le16(data + 2) != 1) throw EInvalidGraphic("Not an icon file");
    size_t count = Le16(data + 4);
    if (count == 0) throw EInvalidGraphic("Icon file holds no image");
    if (6 + count * 16 > size) throw EInvalidGraphic("Icon file is truncated (directory)");
    if (wantedWidth <= 0) wantedWidth = GetSystemMetrics(SM_CXICON);

    int best = -1, bestDistance = 0, bestBits = 0;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* e = data + 6 + i * 16;
        uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
        if (offset > size || bytes > size - offset || bytes < 40) throw EInvalidGraphic("Icon file is truncated (image)");
        int w = e[0] ? e[0] : 256;
        int bits = Le16(e + 6);
        if (!bits && Le32(data + offset) == 40) bits = Le16(data + offset + 14);
        int distance = std::abs(w - wantedWidth);
        if (best < 0 || distance < bestDistance || (distance == bestDistance && bits > bestBits)) {
            best = static_cast<int>(i);
            bestDistance = distance;
            bestBits = bits;
        }
    }
    const unsigned char* e = data + 6 + static_cast<size_t>(best) * 16;
    uint32_t bytes = Le32(e + 8), offset = Le32(e + 12);
    CheckIcoImage(data + offset, bytes);
    return {std::vector<unsigned char>(data + offset, data + offset + bytes), e[0] ? e[0] : 256, e[1] ? e[1] : 256};
}

HICON IconFromIcoImage(const TIcoImage& image) {
    // The resource bytes are not changed, but the function takes a non-const pointer.
    std::vector<unsigned char> bytes = image.Bytes;
    HICON icon = CreateIconFromResourceEx(bytes.data(), static_cast<DWORD>(bytes.size()), TRUE, 0x00030000, image.Width,
                                          image.Height, LR_DEFAULTCOLOR);
    if (!icon) throw EInvalidGraphic(Format("Icon image %d x %d cannot be created", image.Width, image.Height));
    return icon;
}

HICON IconFromIcoData(const unsigned char* data, size_t size, int wantedWidth) {
    return IconFromIcoImage(PickIcoImage(data, size, wantedWidth));
}

// ---------------------------------------------------------------------------------------------
// Picture formats

void RegisterPictureFormat(const std::string& extension, const std::string& description, TPictureLoader loader) {
    std::string ext = NormalExtension(extension);
    if (ext.empty() || !loader) throw EInvalidGraphic("A picture format needs an extension and a loader");
    auto& formats = Formats();
    for (auto& f : formats)
        if (f.Extension == ext) {
            f.Description = description;
            f.Loader = std::move(loader);
            return;
        }
    formats.push_back({ext, description, std::move(loader)});
}

void UnregisterPictureFormat(const std::string& extension) {
    std::string ext = NormalExtension(extension);
    auto& formats = Formats();
    formats.erase(std::remove_if(formats.begin(), formats.end(), [&](const TPictureFormat& f) { return f.Extension == ext; }),
                  formats.end());
}

const TPictureFormat* FindPictureFormat(const std::string& extension) {
    std::string ext = NormalExtension(extension);
    for (const auto& f : Formats())
        if (f.Extension == ext) return &f;
    return nullptr;
}

std::vector<TPictureFormat> PictureFormats() { return Formats(); }

std::string GraphicFilter() {
    std::string all, each;
    for (const auto& f : Formats()) {
        std::string mask = "*." + f.Extension;
        all += (all.empty() ? "" : ";") + mask;
        each += "|" + f.Description + " (" + mask + ")|" + mask;
    }
    return "All pictures (" + all + ")|" + all + each;
}

// ---------------------------------------------------------------------------------------------
// TPicture

TPicture::~TPicture() {
    if (FBitmap) DeleteObject(FBitmap);
    if (FIcon) DestroyIcon(FIcon);
}

HICON TPicture::Icon() const noexcept {
    if (!FIcon && FPendingIcon) {
        try {
            FIcon = IconFromIcoImage(*FPendingIcon);
        } catch (...) {
            // Checked as far as it can be when loaded; an image the system still refuses draws nothing.
        }
        FPendingIcon.reset();
    }
    return FIcon;
}

void TPicture::SetPendingIcon(TIcoImage image) {
    if (FBitmap) DeleteObject(FBitmap);
    if (FIcon) DestroyIcon(FIcon);
    FBitmap = nullptr;
    FIcon = nullptr;
    FPendingIcon = std::make_unique<TIcoImage>(std::move(image));
    FKind = TGraphicKind::gkIcon;
    FWidth = FPendingIcon->Width;
    FHeight = FPendingIcon->Height;
    Changed();
}

void TPicture::SetBitmap(HBITMAP bitmap) {
    HBITMAP oldBitmap = FBitmap;
    HICON oldIcon = FIcon;
    FBitmap = bitmap;
    FIcon = nullptr;
    FPendingIcon.reset();
    FKind = bitmap ? TGraphicKind::gkBitmap : TGraphicKind::gkNone;
    SIZE s = bitmap ? BitmapSize(bitmap) : SIZE{0, 0};
    FWidth = s.cx;
    FHeight = s.cy < 0 ? -s.cy : s.cy;
    if (oldBitmap && oldBitmap != bitmap) DeleteObject(oldBitmap);
    if (oldIcon) DestroyIcon(oldIcon);
    Changed();
}

void TPicture::SetIcon(HICON icon) {
    HBITMAP oldBitmap = FBitmap;
    HICON oldIcon = FIcon;
    FIcon = icon;
    FBitmap = nullptr;
    FPendingIcon.reset();
    FKind = icon ? TGraphicKind::gkIcon : TGraphicKind::gkNone;
    SIZE s = icon ? IconSize(icon) : SIZE{0, 0};
    FWidth = s.cx;
    FHeight = s.cy;
    if (oldBitmap) DeleteObject(oldBitmap);
    if (oldIcon && oldIcon != icon) DestroyIcon(oldIcon);
    Changed();
}

void TPicture::Clear() { SetBitmap(nullptr); }

void TPicture::Assign(const TPicture& other) {
    if (&other == this) return;
    switch (other.FKind) {
    case TGraphicKind::gkBitmap:
        SetBitmap(static_cast<HBITMAP>(CopyImage(other.FBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
        break;
    case TGraphicKind::gkIcon:
        if (other.FPendingIcon)
            SetPendingIcon(*other.FPendingIcon);
        else
            SetIcon(CopyIcon(other.FIcon));
        break;
    case TGraphicKind::gkNone: Clear(); break;
    }
}

void TPicture::LoadFromFile(const std::string& fileName) {
    std::string name = ExtractFileName(fileName);
    size_t dot = name.rfind('.');
    std::string ext = dot == std::string::npos ? std::string() : name.substr(dot + 1);
    const TPictureFormat* format = FindPictureFormat(ext);
    if (!format) {
        if (ext.empty()) throw EInvalidGraphic("Picture file " + fileName + " has no extension");
        throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
    }
    // Load into a scratch picture first, so a failing loader leaves this one as it was.
    TPicture loaded;
    TPictureLoader loader = format->Loader;   // the registry may change while it runs
    loader(loaded, fileName);
    if (loaded.Empty()) throw EInvalidGraphic("Picture file " + fileName + " holds no image");
    if (loaded.FKind == TGraphicKind::gkBitmap) {
        SetBitmap(loaded.FBitmap);
    } else if (loaded.FPendingIcon) {
        SetPendingIcon(std::move(*loaded.FPendingIcon));
    } else {
        SetIcon(loaded.FIcon);
    }
    loaded.FBitmap = nullptr;
    loaded.FIcon = nullptr;
}

void TPicture::LoadFromData(const std::vector<unsigned char>& data) {
    if (data.size() >= 2 && data[0] == 'B' && data[1] == 'M')
        SetBitmap(BitmapFromBmpData(data.data(), data.size()));
    else if (data.size() >= 4 && data[0] == 0 && data[1] == 0 && data[2] == 1 && data[3] == 0)
        // Made when first drawn or asked for: most pictures of a window sit on pages not shown yet.
        SetPendingIcon(PickIcoImage(data.data(), data.size(), 0));
    else if (data.empty())
        Clear();
    else
        throw EInvalidGraphic("Picture data is neither a bitmap nor an icon");
}

void TPicture::Draw(HDC dc, const RECT& dest, bool transparent) const {
    int w = dest.right - dest.left, h = dest.bottom - dest.top;
    if (w <= 0 || h <= 0) return;
    if (FKind == TGraphicKind::gkIcon) {
        if (!FIcon && FPendingIcon && DrawIcoImageDirectly(dc, dest.left, dest.top, w, h, *FPendingIcon)) return;
        DrawIconEx(dc, dest.left, dest.top, Icon(), w, h, 0, nullptr, DI_NORMAL);
        return;
    }
    if (FKind != TGraphicKind::gkBitmap) return;
    TBitmapDC source(FBitmap);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    if (!transparent) {
        StretchBlt(dc, dest.left, dest.top, w, h, source.Get(), 0, 0, FWidth, FHeight, SRCCOPY);
    } else {
        // A monochrome mask, white where the source has the bottom-left colour, then the
        // invert-and-mask-invert sequence: no msimg32 needed.
        TAutoDeleteObject maskBitmap(CreateBitmap(FWidth, FHeight, 1, 1, nullptr));
        {
            TBitmapDC mask(static_cast<HBITMAP>(maskBitmap.Get()));
            SetBkColor(source.Get(), GetPixel(source.Get(), 0, FHeight - 1));
            BitBlt(mask.Get(), 0, 0, FWidth, FHeight, source.Get(), 0, 0, SRCCOPY);
            COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
            COLORREF oldBk = SetBkColor(dc, RGB(255, 255, 255));
            StretchBlt(dc, dest.left, dest.top, w, h, source.Get(), 0, 0, FWidth, FHeight, SRCINVERT);
            StretchBlt(dc, dest.left, dest.top, w, h, mask.Get(), 0, 0, FWidth, FHeight, SRCAND);
            StretchBlt(dc, dest.left, dest.top, w, h, source.Get(), 0, 0, FWidth, FHeight, SRCINVERT);
            SetTextColor(dc, oldText);
            SetBkColor(dc, oldBk);
        }
    }
    SetStretchBltMode(dc, oldMode);
}

void TPicture::Changed() {
    if (OnChange) OnChange(nullptr);
}

// ---------------------------------------------------------------------------------------------
// TImage

TImage::TImage(TComponent* owner) : TControl(owner) {
    FPicture.OnChange = TNotifyEvent(this, &TImage::PictureChanged);
    SetBounds(0, 0, 105, 105);
    // Around and through the picture (an icon's masked pixels) the parent shows, as under a label.
    SetParentColor(true);
}

void TImage::SetStretch(bool value) {
    if (value == FStretch) return;
    FStretch = value;
    Invalidate();
}

void TImage::SetProportional(bool value) {
    if (value == FProportional) return;
    FProportional = value;
    Invalidate();
}

void TImage::SetCenter(bool value) {
    if (value == FCenter) return;
    FCenter = value;
    Invalidate();
}

void TImage::SetTransparent(bool value) {
    if (value == FTransparent) return;
    FTransparent = value;
    Invalidate();
}

void TImage::SetAutoSize(bool value) {
    if (value == FAutoSize) return;
    FAutoSize = value;
    if (value) PictureChanged(nullptr);
}

RECT TImage::DestRect() {
    int cw = ClientWidth(), ch = ClientHeight();
    int pw = FPicture.Width(), ph = FPicture.Height();
    int w = pw, h = ph;
    if (FStretch || (FProportional && (pw > cw || ph > ch))) {
        if (FProportional && pw > 0 && ph > 0) {
            // The largest size of the picture's shape that fits, never larger than the picture itself.
            if (static_cast<long long>(cw) * ph < static_cast<long long>(ch) * pw) {
                w = cw;
                h = MulDiv(ph, cw, pw);
            } else {
                h = ch;
                w = MulDiv(pw, ch, ph);
            }
            if (w > pw && h > ph) { w = pw; h = ph; }
        } else {
            w = cw;
            h = ch;
        }
    }
    RECT r{0, 0, w, h};
    if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint(TCanvas& canvas) {
    if (FPicture.Empty()) return;
    FPicture.Draw(canvas.Handle(), DestRect(), FTransparent);
}

void TImage::PictureChanged(TObject*) {
    if (FAutoSize && !FPicture.Empty()) SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    Invalidate();
}

void RegisterImageClass() {
    TClassRegistration<TImage>("TImage", "TControl")
        .Custom("Picture.Data", [](TImage& image, const TPropValue& v, TLoadContext& ctx) {
            if (v.Kind != TPropValue::TKind::Binary) throw EDescriptionError(ctx.Where + ": binary data expected");
            try {
                image.SetPictureData(v.Data);
            } catch (const EInvalidGraphic& e) {
                throw EDescriptionError(ctx.Where + ": " + e.Message());
            }
        })
        .Bool("Stretch", &TImage::SetStretch)
        .Bool("Proportional", &TImage::SetProportional)
        .Bool("Center", &TImage::SetCenter)
        .Bool("Transparent", &TImage::SetTransparent)
        .Bool("AutoSize", &TImage::SetAutoSize);
}
