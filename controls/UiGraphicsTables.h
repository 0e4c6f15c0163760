// controls/UiGraphicsTables.h -- colour blending routines with their alpha table, the gamma
// table and the identity matrix, filled once at start
#pragma once
#include <cstdint>

// Foreground X over background Y with weight W (0..255), per 8-bit lane of the 32-bit pixels.
uint32_t CombineReg(uint32_t x, uint32_t y, uint32_t w);
void CombineMem(uint32_t x, uint32_t& y, uint32_t w);
uint32_t BlendReg(uint32_t f, uint32_t b);                 // W = the foreground's alpha (top byte)
void BlendMem(uint32_t f, uint32_t& b);
uint32_t BlendRegEx(uint32_t f, uint32_t b, uint32_t m);   // W = (m x alpha) >> 8
void BlendMemEx(uint32_t f, uint32_t& b, uint32_t m);
void BlendLine(const uint32_t* src, uint32_t* dst, int count);
void BlendLineEx(const uint32_t* src, uint32_t* dst, int count, uint32_t m);

struct TBlendRoutines {
    uint32_t (*CombineReg)(uint32_t, uint32_t, uint32_t);
    void (*CombineMem)(uint32_t, uint32_t&, uint32_t);
    uint32_t (*BlendReg)(uint32_t, uint32_t);
    void (*BlendMem)(uint32_t, uint32_t&);
    uint32_t (*BlendRegEx)(uint32_t, uint32_t, uint32_t);
    void (*BlendMemEx)(uint32_t, uint32_t&, uint32_t);
    void (*BlendLine)(const uint32_t*, uint32_t*, int);
    void (*BlendLineEx)(const uint32_t*, uint32_t*, int, uint32_t);
};

using TFloatMatrix = long double[3][3];   // 80-bit extended on x86

void InitGraphicsTables(bool hasMmx);
const TBlendRoutines& BlendRoutines();
const uint64_t* AlphaTable();             // 256 entries, i x 65537 in both halves; null without MMX
const uint64_t* AlphaBias();              // entry 128
const unsigned char* GammaTable();        // 255 x (i / 255)^0.7, to nearest (ties to even)
const TFloatMatrix& IdentityMatrix();
