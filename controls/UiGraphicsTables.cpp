// controls/UiGraphicsTables.cpp
//
// The MMX slots take the same portable routines: the compiler vectorises them, and the
// results must match lane for lane anyway.
#include "UiGraphicsTables.h"

#include <cmath>
#include <memory>

namespace {

TBlendRoutines gRoutines{};
std::unique_ptr<uint64_t[]> gAlpha;
unsigned char gGamma[256];
TFloatMatrix gIdentity;
bool gFilled = false;

uint32_t Lane(uint32_t x, uint32_t y, uint32_t w, int shift) {
    uint32_t a = (x >> shift) & 0xFF, b = (y >> shift) & 0xFF;
    return ((((a * w + 128) >> 8) + ((b * (255 - w) + 128) >> 8)) & 0xFF) << shift;
}

} // namespace

uint32_t CombineReg(uint32_t x, uint32_t y, uint32_t w) {
    if (w >= 255) return x;
    if (w == 0) return y;
    return Lane(x, y, w, 0) | Lane(x, y, w, 8) | Lane(x, y, w, 16) | Lane(x, y, w, 24);
}
void CombineMem(uint32_t x, uint32_t& y, uint32_t w) { y = CombineReg(x, y, w); }
uint32_t BlendReg(uint32_t f, uint32_t b) { return CombineReg(f, b, f >> 24); }
void BlendMem(uint32_t f, uint32_t& b) { b = BlendReg(f, b); }
uint32_t BlendRegEx(uint32_t f, uint32_t b, uint32_t m) { return CombineReg(f, b, ((m & 0xFF) * (f >> 24)) >> 8); }
void BlendMemEx(uint32_t f, uint32_t& b, uint32_t m) { b = BlendRegEx(f, b, m); }

void BlendLine(const uint32_t* src, uint32_t* dst, int count) {
    for (int i = 0; i < count; ++i) {
        uint32_t alpha = src[i] >> 24;
        if (alpha == 0) continue;
        dst[i] = alpha == 255 ? src[i] : BlendReg(src[i], dst[i]);
    }
}

void BlendLineEx(const uint32_t* src, uint32_t* dst, int count, uint32_t m) {
    for (int i = 0; i < count; ++i) {
        uint32_t alpha = src[i] >> 24;
        if (alpha == 0) continue;
        dst[i] = alpha == 255 ? src[i] : BlendRegEx(src[i], dst[i], m);
    }
}

void InitGraphicsTables(bool hasMmx) {
    if (gFilled) return;
    gRoutines = TBlendRoutines{CombineReg, CombineMem, BlendReg, BlendMem, BlendRegEx, BlendMemEx, BlendLine, BlendLineEx};
    if (hasMmx) {
        gAlpha.reset(new uint64_t[256]);          // new[] of uint64_t is 8-byte aligned
        for (uint64_t i = 0; i < 256; ++i) gAlpha[i] = ((i * 65537) << 32) | (i * 65537);
    }
    for (int i = 0; i < 256; ++i) gGamma[i] = static_cast<unsigned char>(std::nearbyint(255.0 * std::pow(i / 255.0, 0.7)));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) gIdentity[r][c] = r == c ? 1.0L : 0.0L;
    gFilled = true;
}

const TBlendRoutines& BlendRoutines() { return gRoutines; }
const uint64_t* AlphaTable() { return gAlpha.get(); }
const uint64_t* AlphaBias() { return gAlpha ? gAlpha.get() + 128 : nullptr; }
const unsigned char* GammaTable() { return gGamma; }
const TFloatMatrix& IdentityMatrix() { return gIdentity; }
