// The satellite symbols of the sky plot: five sets of 32 images (16 x 16, one per satellite
// number 1..32, id = set base + number - 1) and the three legend images. They are drawn by
// this code when first asked for, so the program carries no image files for them.
//
//   set 109  below the horizon (native negative elevation)     grey ring, grey number
//   set 141  on the horizon (NMEA elevation 0; never drawn)    dark ring, dark number
//   set 173  decoding / used in the fix                        yellow disc, black number
//   set 205  tracked, not decoding / not used in the fix       green ring, green number
//   set 237  unlocked (never drawn)                            dark red ring, red number
//   271 legend "..DECODE" (as 173), 272 legend "..-ELV" (as 109), 273 legend "..UNLOCK"
//   (as 205); 273 is also the id of "no symbol" on a channel.
#pragma once

#include <QImage>

namespace orbex {

inline constexpr int kSymbolSize = 16;
inline constexpr int kBelowHorizonSet = 109;
inline constexpr int kOnHorizonSet = 141;
inline constexpr int kDecodingSet = 173;
inline constexpr int kTrackedSet = 205;
inline constexpr int kUnlockedSet = 237;
inline constexpr int kSatellitesPerSet = 32;
inline constexpr int kLegendDecode = 271;
inline constexpr int kLegendBelowHorizon = 272;
inline constexpr int kNoSymbol = 273;  // also the "..UNLOCK" legend image

// The symbol of satellite number in the set with base; kNoSymbol when the number is not 1..32
// (a channel without a satellite, or a satellite this plot has no image for).
int SymbolId(int setBase, int number);
// The set base of a symbol id, or 0 for the legend images and unknown ids.
int SymbolSet(int id);
// The image of a symbol or legend id; a null image for an unknown id.
const QImage& SymbolImage(int id);

}  // namespace orbex
