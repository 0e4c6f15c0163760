// controls/FxTypes.h -- the enumerations shared by the styled panel and labels
// (their value names are the ones window descriptions store)
#pragma once

enum class TDirection { drNone, drUp, drDown, drLeft, drRight, drUpLeft, drUpRight, drDownLeft, drDownRight };
enum class TVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TSide : unsigned { sdLeft = 1, sdTop = 2, sdRight = 4, sdBottom = 8 };
using TSides = unsigned;                       // a set of TSide bits
constexpr TSides AllSides = sdLeft | sdTop | sdRight | sdBottom;
enum class TShadowStyle {
    ssNone, ssCustom, ssRaised, ssRaisedColor, ssRaisedShadow, ssRaisedThickShadow,
    ssRecessed, ssRecessedColor, ssRecessedShadow, ssShadow, ssThickShadow
};
enum class TTextLayout { tlTop, tlCenter, tlBottom };

// One pixel step along a direction.
struct TStep { int Dx, Dy; };
constexpr TStep DirectionStep(TDirection d) {
    switch (d) {
    case TDirection::drUp: return {0, -1};
    case TDirection::drDown: return {0, 1};
    case TDirection::drLeft: return {-1, 0};
    case TDirection::drRight: return {1, 0};
    case TDirection::drUpLeft: return {-1, -1};
    case TDirection::drUpRight: return {1, -1};
    case TDirection::drDownLeft: return {-1, 1};
    case TDirection::drDownRight: return {1, 1};
    case TDirection::drNone: break;
    }
    return {0, 0};
}
