#include "swf/tag_factory.h"

#include "script/tags_abc.h"
#include "script/tags_action.h"
#include "swf/tags_bitmap.h"
#include "swf/tags_button.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_shape.h"
#include "swf/tags_display.h"
#include "swf/tags_font.h"
#include "swf/tags_text.h"
#include "media/sound_tags.h"
#include "media/tags_video.h"

namespace orvanta {

// The one table of tag classes. Codes without a class of their own stay raw tags.
std::unique_ptr<TSWFObject> CreateTagByCode(uint16_t Code) {
  switch (Code) {
    case TSWFByteCodeTag::kRawTagID:
      return std::make_unique<TSWFByteCodeTag>();
    case TSWFDefineVideoStream::kTagID:
      return std::make_unique<TSWFDefineVideoStream>();
    case TSWFVideoFrame::kTagID:
      return std::make_unique<TSWFVideoFrame>();
    // Control tags.
    case 0: return std::make_unique<TSWFEnd>();
    case 1: return std::make_unique<TSWFShowFrame>();
    case 9: return std::make_unique<TSWFSetBackgroundColor>();
    case 24: return std::make_unique<TSWFProtect>();
    case 41: return std::make_unique<TSWFProductInfo>();
    case 43: return std::make_unique<TSWFFrameLabel>();
    case 56: return std::make_unique<TSWFExportAssets>();
    case 57: return std::make_unique<TSWFImportAssets>();
    case 58: return std::make_unique<TSWFEnableDebugger>();
    case 64: return std::make_unique<TSWFEnableDebugger2>();
    case 65: return std::make_unique<TSWFScriptLimits>();
    case 66: return std::make_unique<TSWFSetTabIndex>();
    case 69: return std::make_unique<TSWFFileAttributes>();
    case 71: return std::make_unique<TSWFImportAssets2>();
    case 76: return std::make_unique<TSWFSymbolClass>();
    case 77: return std::make_unique<TSWFMetadata>();
    case 78: return std::make_unique<TSWFDefineScalingGrid>();
    case 86: return std::make_unique<TSWFDefineSceneAndFrameLabelData>();
    // Action tags.
    case 12: return std::make_unique<TSWFDoAction>();
    case 59: return std::make_unique<TSWFDoInitAction>();
    case TSWFDoABC::kTagCode:
      return std::make_unique<TSWFDoABC>();
    // Sound tags.
    case TSWFDefineSound::kTagID: return std::make_unique<TSWFDefineSound>();
    case TSWFStartSound::kTagID: return std::make_unique<TSWFStartSound>();
    case TSWFStartSound2::kTagID: return std::make_unique<TSWFStartSound2>();
    case TSWFSoundStreamHead::kTagID: return std::make_unique<TSWFSoundStreamHead>();
    case TSWFSoundStreamHead2::kTagID: return std::make_unique<TSWFSoundStreamHead2>();
    case TSWFSoundStreamBlock::kTagID: return std::make_unique<TSWFSoundStreamBlock>();
    // Display-list tags.
    case 4: return std::make_unique<TSWFPlaceObject>();
    case 5: return std::make_unique<TSWFRemoveObject>();
    case 26: return std::make_unique<TSWFPlaceObject2>();
    case 28: return std::make_unique<TSWFRemoveObject2>();
    case 39: return std::make_unique<TSWFDefineSprite>();
    case 70: return std::make_unique<TSWFPlaceObject3>();
    // Shapes and morph shapes.
    case 2: return std::make_unique<TSWFDefineShape>();
    case 22: return std::make_unique<TSWFDefineShape2>();
    case 32: return std::make_unique<TSWFDefineShape3>();
    case 83: return std::make_unique<TSWFDefineShape4>();
    case 46: return std::make_unique<TSWFDefineMorphShape>();
    case 84: return std::make_unique<TSWFDefineMorphShape2>();
    // Button tags.
    case 7: return std::make_unique<TSWFDefineButton>();
    case 17: return std::make_unique<TSWFDefineButtonSound>();
    case 23: return std::make_unique<TSWFDefineButtonCxform>();
    case 34: return std::make_unique<TSWFDefineButton2>();
    // Bitmap and binary-data tags.
    case TSWFDefineBits::kTagID: return std::make_unique<TSWFDefineBits>();
    case TSWFJPEGTables::kTagID: return std::make_unique<TSWFJPEGTables>();
    case TSWFDefineBitsJPEG2::kTagID: return std::make_unique<TSWFDefineBitsJPEG2>();
    case TSWFDefineBitsJPEG3::kTagID: return std::make_unique<TSWFDefineBitsJPEG3>();
    case TSWFDefineBitsLossless::kTagID: return std::make_unique<TSWFDefineBitsLossless>();
    case TSWFDefineBitsLossless2::kTagID: return std::make_unique<TSWFDefineBitsLossless2>();
    case TSWFDefineBinaryData::kTagID: return std::make_unique<TSWFDefineBinaryData>();
    // Font and text tags.
    case 10: return std::make_unique<TSWFDefineFont>();
    case 13: return std::make_unique<TSWFDefineFontInfo>();
    case 62: return std::make_unique<TSWFDefineFontInfo2>();
    case 48: return std::make_unique<TSWFDefineFont2>();
    case 75: return std::make_unique<TSWFDefineFont3>();
    case 73: return std::make_unique<TSWFDefineFontAlignZones>();
    case 88: return std::make_unique<TSWFDefineFontName>();
    case 74: return std::make_unique<TSWFCSMTextSettings>();
    case 11: return std::make_unique<TSWFDefineText>();
    case 33: return std::make_unique<TSWFDefineText2>();
    case 37: return std::make_unique<TSWFDefineEditText>();
    default:
      return std::make_unique<TSWFByteCodeTag>(Code);
  }
}

}  // namespace orvanta
