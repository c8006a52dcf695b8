#pragma once

#include <cstdint>

namespace qm::swf {

// Codes of the SWF tags this code looks at by name.
namespace tag {
constexpr uint16_t kEnd = 0;
constexpr uint16_t kShowFrame = 1;
constexpr uint16_t kDefineShape = 2;
constexpr uint16_t kPlaceObject = 4;
constexpr uint16_t kRemoveObject = 5;
constexpr uint16_t kDefineBits = 6;
constexpr uint16_t kJpegTables = 8;
constexpr uint16_t kSetBackgroundColor = 9;
constexpr uint16_t kDefineFont = 10;
constexpr uint16_t kDefineText = 11;
constexpr uint16_t kDoAction = 12;
constexpr uint16_t kDefineFontInfo = 13;
constexpr uint16_t kDefineBitsLossless = 20;
constexpr uint16_t kDefineBitsJpeg2 = 21;
constexpr uint16_t kDefineShape2 = 22;
constexpr uint16_t kProtect = 24;
constexpr uint16_t kDefineText2 = 33;
constexpr uint16_t kPlaceObject2 = 26;
constexpr uint16_t kRemoveObject2 = 28;
constexpr uint16_t kDefineShape3 = 32;
constexpr uint16_t kDefineBitsJpeg3 = 35;
constexpr uint16_t kDefineBitsLossless2 = 36;
constexpr uint16_t kDefineMorphShape = 46;
constexpr uint16_t kDefineFont2 = 48;
constexpr uint16_t kDefineSprite = 39;
constexpr uint16_t kProductInfo = 41;
constexpr uint16_t kFrameLabel = 43;
constexpr uint16_t kEnableDebugger = 58;
constexpr uint16_t kDefineFontInfo2 = 62;
constexpr uint16_t kEnableDebugger2 = 64;
constexpr uint16_t kScriptLimits = 65;
constexpr uint16_t kFileAttributes = 69;
constexpr uint16_t kPlaceObject3 = 70;
constexpr uint16_t kDefineFontAlignZones = 73;
constexpr uint16_t kCsmTextSettings = 74;
constexpr uint16_t kDefineFont3 = 75;
constexpr uint16_t kMetadata = 77;
constexpr uint16_t kDefineShape4 = 83;
constexpr uint16_t kDefineMorphShape2 = 84;
constexpr uint16_t kDefineFontName = 88;
// What only a Flash runtime plays: the first frame drawn while one starts
// passes over these.
constexpr uint16_t kDefineButton = 7;
constexpr uint16_t kDefineSound = 14;
constexpr uint16_t kStartSound = 15;
constexpr uint16_t kDefineButtonSound = 17;
constexpr uint16_t kSoundStreamHead = 18;
constexpr uint16_t kSoundStreamBlock = 19;
constexpr uint16_t kDefineButtonCxform = 23;
constexpr uint16_t kDefineButton2 = 34;
constexpr uint16_t kDefineEditText = 37;
constexpr uint16_t kSoundStreamHead2 = 45;
constexpr uint16_t kExportAssets = 56;
constexpr uint16_t kDoInitAction = 59;
constexpr uint16_t kDefineVideoStream = 60;
constexpr uint16_t kVideoFrame = 61;
constexpr uint16_t kDoAbcOld = 72;
constexpr uint16_t kSymbolClass = 76;
constexpr uint16_t kDefineScalingGrid = 78;
constexpr uint16_t kDoAbc = 82;
constexpr uint16_t kDefineSceneAndFrameLabelData = 86;
constexpr uint16_t kDefineBinaryData = 87;
constexpr uint16_t kStartSound2 = 89;
}  // namespace tag

}  // namespace qm::swf
