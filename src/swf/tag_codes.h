#pragma once

#include <cstdint>
#include <string>

namespace orvanta {

// The codes of the tags this library knows, named as the SWF format names them. A tag's TagID
// stays a plain number, since files carry codes no enumeration lists.
enum class TTagCode : uint16_t {
  End = 0,
  ShowFrame = 1,
  DefineShape = 2,
  PlaceObject = 4,
  RemoveObject = 5,
  DefineBits = 6,
  DefineButton = 7,
  JPEGTables = 8,
  SetBackgroundColor = 9,
  DefineFont = 10,
  DefineText = 11,
  DoAction = 12,
  DefineFontInfo = 13,
  DefineSound = 14,
  StartSound = 15,
  DefineButtonSound = 17,
  SoundStreamHead = 18,
  SoundStreamBlock = 19,
  DefineBitsLossless = 20,
  DefineBitsJPEG2 = 21,
  DefineShape2 = 22,
  DefineButtonCxform = 23,
  Protect = 24,
  PlaceObject2 = 26,
  RemoveObject2 = 28,
  DefineShape3 = 32,
  DefineText2 = 33,
  DefineButton2 = 34,
  DefineBitsJPEG3 = 35,
  DefineBitsLossless2 = 36,
  DefineEditText = 37,
  DefineSprite = 39,
  NameCharacter = 40,
  ProductInfo = 41,
  FrameLabel = 43,
  SoundStreamHead2 = 45,
  DefineMorphShape = 46,
  DefineFont2 = 48,
  ExportAssets = 56,
  ImportAssets = 57,
  EnableDebugger = 58,
  DoInitAction = 59,
  DefineVideoStream = 60,
  VideoFrame = 61,
  DefineFontInfo2 = 62,
  EnableDebugger2 = 64,
  ScriptLimits = 65,
  SetTabIndex = 66,
  FileAttributes = 69,
  PlaceObject3 = 70,
  ImportAssets2 = 71,
  DefineFontAlignZones = 73,
  CSMTextSettings = 74,
  DefineFont3 = 75,
  SymbolClass = 76,
  Metadata = 77,
  DefineScalingGrid = 78,
  DoABC = 82,
  DefineShape4 = 83,
  DefineMorphShape2 = 84,
  DefineSceneAndFrameLabelData = 86,
  DefineBinaryData = 87,
  DefineFontName = 88,
  StartSound2 = 89,
  ErrorTag = 240,
};

constexpr uint16_t ToCode(TTagCode code) {
  return static_cast<uint16_t>(code);
}

// PlaceObject, PlaceObject2 or PlaceObject3.
constexpr bool IsPlaceObjectCode(uint16_t code) {
  return code == ToCode(TTagCode::PlaceObject) || code == ToCode(TTagCode::PlaceObject2) ||
         code == ToCode(TTagCode::PlaceObject3);
}

// The SWF name of a tag code ("Error Tag" for the code a failed read leaves), or
// "Unknown <code>".
std::string TagCodeName(uint16_t code);

}  // namespace orvanta
