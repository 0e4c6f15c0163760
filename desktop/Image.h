// desktop/Image.h -- TPicture (a bitmap or an icon), the registry of picture file formats,
// and TImage, the control that shows a picture
//
// A picture format is a file extension with a loader; "bmp" and "ico" are built
// in, others (JPEG through libjpeg) register at program start. LoadFromFile picks
// the loader by the file's extension.
#pragma once
#include <windows.h>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Controls.h"
#include "Events.h"
#include "SysUtils.h"

// Picture data that cannot be used: an unknown format, a damaged or unsupported file.
class EInvalidGraphic : public Exception {
public:
    using Exception::Exception;
};

enum class TGraphicKind { gkNone, gkBitmap, gkIcon };

// One image of an icon file: its resource bytes and size.
struct TIcoImage {
    std::vector<unsigned char> Bytes;
    int Width = 0, Height = 0;
};

class TPicture {
public:
    TPicture() = default;
    ~TPicture();
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    TGraphicKind Kind() const noexcept { return FKind; }
    bool Empty() const noexcept { return FKind == TGraphicKind::gkNone; }
    int Width() const noexcept { return FWidth; }
    int Height() const noexcept { return FHeight; }
    HBITMAP Bitmap() const noexcept { return FBitmap; }   // borrowed; null unless a bitmap
    HICON Icon() const noexcept;                          // borrowed; null unless an icon

    void SetBitmap(HBITMAP bitmap);               // takes ownership; null clears
    void SetIcon(HICON icon);                     // takes ownership; null clears
    void Assign(const TPicture& other);           // a copy of the other's image
    void Clear();
    // By extension through the registered formats; throws EInvalidGraphic (unknown
    // extension, bad data) or EWin32Error (file not readable). On error the picture is unchanged.
    void LoadFromFile(const std::string& fileName);
    void LoadFromData(const std::vector<unsigned char>& data);   // a BMP or ICO file's bytes, told by signature

    // Bitmaps: transparent takes the bottom-left pixel's colour as see-through. Icons use their mask.
    void Draw(HDC dc, const RECT& dest, bool transparent) const;

    TNotifyEvent OnChange;                        // after every new image, Sender = null

private:
    void Changed();
    void SetPendingIcon(TIcoImage image);
    TGraphicKind FKind = TGraphicKind::gkNone;
    HBITMAP FBitmap = nullptr;
    mutable HICON FIcon = nullptr;
    mutable std::unique_ptr<TIcoImage> FPendingIcon;   // an icon file's chosen image, until first needed
    int FWidth = 0, FHeight = 0;
};

// Picture file formats. Extensions are compared without the dot and ignoring case.
using TPictureLoader = std::function<void(TPicture& picture, const std::string& fileName)>;
struct TPictureFormat {
    std::string Extension;                        // "bmp"
    std::string Description;                      // "Bitmaps"
    TPictureLoader Loader;
};
void RegisterPictureFormat(const std::string& extension, const std::string& description, TPictureLoader loader);
void UnregisterPictureFormat(const std::string& extension);
const TPictureFormat* FindPictureFormat(const std::string& extension);   // null when none
std::vector<TPictureFormat> PictureFormats();     // in registration order
std::string GraphicFilter();                      // "All pictures (*.bmp;*.ico)|*.bmp;*.ico|Bitmaps (*.bmp)|*.bmp|..."

// Decoders for file bytes, shared with TImageList; each throws EInvalidGraphic saying what is wrong.
HBITMAP BitmapFromBmpData(const unsigned char* data, size_t size);               // the caller owns it
HICON IconFromIcoData(const unsigned char* data, size_t size, int wantedWidth);  // nearest size, most colours; the caller owns it
TIcoImage PickIcoImage(const unsigned char* data, size_t size, int wantedWidth); // the image IconFromIcoData makes
HICON IconFromIcoImage(const TIcoImage& image);                                  // the caller owns it
std::vector<unsigned char> ReadFileBytes(const std::string& fileName);          // throws EWin32Error

class TImage : public TControl {
public:
    explicit TImage(TComponent* owner);

    TPicture& Picture() noexcept { return FPicture; }
    bool Stretch() const noexcept { return FStretch; }
    void SetStretch(bool value);                  // fill the control
    bool Proportional() const noexcept { return FProportional; }
    void SetProportional(bool value);             // stretch keeps the aspect ratio, never enlarges
    bool Center() const noexcept { return FCenter; }
    void SetCenter(bool value);
    bool Transparent() const noexcept { return FTransparent; }
    void SetTransparent(bool value);
    bool AutoSize() const noexcept { return FAutoSize; }
    void SetAutoSize(bool value);                 // the control takes the picture's size
    void SetPictureData(const std::vector<unsigned char>& data) { FPicture.LoadFromData(data); }

    virtual RECT DestRect();                      // where Paint draws the picture, in client coordinates

protected:
    bool OwnPaint() const override { return true; }
    void Paint(TCanvas& canvas) override;
    virtual void PictureChanged(TObject* sender); // the picture's OnChange: AutoSize, repaint

private:
    TPicture FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FTransparent = false;
    bool FAutoSize = false;
};

void RegisterImageClass();
