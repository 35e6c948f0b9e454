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
    case ToCode(TTagCode::End):
      return std::make_unique<TSWFEnd>();
    case ToCode(TTagCode::ShowFrame):
      return std::make_unique<TSWFShowFrame>();
    case ToCode(TTagCode::SetBackgroundColor):
      return std::make_unique<TSWFSetBackgroundColor>();
    case ToCode(TTagCode::Protect):
      return std::make_unique<TSWFProtect>();
    case ToCode(TTagCode::ProductInfo):
      return std::make_unique<TSWFProductInfo>();
    case ToCode(TTagCode::FrameLabel):
      return std::make_unique<TSWFFrameLabel>();
    case ToCode(TTagCode::ExportAssets):
      return std::make_unique<TSWFExportAssets>();
    case ToCode(TTagCode::ImportAssets):
      return std::make_unique<TSWFImportAssets>();
    case ToCode(TTagCode::EnableDebugger):
      return std::make_unique<TSWFEnableDebugger>();
    case ToCode(TTagCode::EnableDebugger2):
      return std::make_unique<TSWFEnableDebugger2>();
    case ToCode(TTagCode::ScriptLimits):
      return std::make_unique<TSWFScriptLimits>();
    case ToCode(TTagCode::SetTabIndex):
      return std::make_unique<TSWFSetTabIndex>();
    case ToCode(TTagCode::FileAttributes):
      return std::make_unique<TSWFFileAttributes>();
    case ToCode(TTagCode::ImportAssets2):
      return std::make_unique<TSWFImportAssets2>();
    case ToCode(TTagCode::SymbolClass):
      return std::make_unique<TSWFSymbolClass>();
    case ToCode(TTagCode::Metadata):
      return std::make_unique<TSWFMetadata>();
    case ToCode(TTagCode::DefineScalingGrid):
      return std::make_unique<TSWFDefineScalingGrid>();
    case ToCode(TTagCode::DefineSceneAndFrameLabelData):
      return std::make_unique<TSWFDefineSceneAndFrameLabelData>();
    // Action tags.
    case ToCode(TTagCode::DoAction):
      return std::make_unique<TSWFDoAction>();
    case ToCode(TTagCode::DoInitAction):
      return std::make_unique<TSWFDoInitAction>();
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
    case ToCode(TTagCode::PlaceObject):
      return std::make_unique<TSWFPlaceObject>();
    case ToCode(TTagCode::RemoveObject):
      return std::make_unique<TSWFRemoveObject>();
    case ToCode(TTagCode::PlaceObject2):
      return std::make_unique<TSWFPlaceObject2>();
    case ToCode(TTagCode::RemoveObject2):
      return std::make_unique<TSWFRemoveObject2>();
    case ToCode(TTagCode::DefineSprite):
      return std::make_unique<TSWFDefineSprite>();
    case ToCode(TTagCode::PlaceObject3):
      return std::make_unique<TSWFPlaceObject3>();
    // Shapes and morph shapes.
    case ToCode(TTagCode::DefineShape):
      return std::make_unique<TSWFDefineShape>();
    case ToCode(TTagCode::DefineShape2):
      return std::make_unique<TSWFDefineShape2>();
    case ToCode(TTagCode::DefineShape3):
      return std::make_unique<TSWFDefineShape3>();
    case ToCode(TTagCode::DefineShape4):
      return std::make_unique<TSWFDefineShape4>();
    case ToCode(TTagCode::DefineMorphShape):
      return std::make_unique<TSWFDefineMorphShape>();
    case ToCode(TTagCode::DefineMorphShape2):
      return std::make_unique<TSWFDefineMorphShape2>();
    // Button tags.
    case ToCode(TTagCode::DefineButton):
      return std::make_unique<TSWFDefineButton>();
    case ToCode(TTagCode::DefineButtonSound):
      return std::make_unique<TSWFDefineButtonSound>();
    case ToCode(TTagCode::DefineButtonCxform):
      return std::make_unique<TSWFDefineButtonCxform>();
    case ToCode(TTagCode::DefineButton2):
      return std::make_unique<TSWFDefineButton2>();
    // Bitmap and binary-data tags.
    case TSWFDefineBits::kTagID: return std::make_unique<TSWFDefineBits>();
    case TSWFJPEGTables::kTagID: return std::make_unique<TSWFJPEGTables>();
    case TSWFDefineBitsJPEG2::kTagID: return std::make_unique<TSWFDefineBitsJPEG2>();
    case TSWFDefineBitsJPEG3::kTagID: return std::make_unique<TSWFDefineBitsJPEG3>();
    case TSWFDefineBitsLossless::kTagID: return std::make_unique<TSWFDefineBitsLossless>();
    case TSWFDefineBitsLossless2::kTagID: return std::make_unique<TSWFDefineBitsLossless2>();
    case TSWFDefineBinaryData::kTagID: return std::make_unique<TSWFDefineBinaryData>();
    // Font and text tags.
    case ToCode(TTagCode::DefineFont):
      return std::make_unique<TSWFDefineFont>();
    case ToCode(TTagCode::DefineFontInfo):
      return std::make_unique<TSWFDefineFontInfo>();
    case ToCode(TTagCode::DefineFontInfo2):
      return std::make_unique<TSWFDefineFontInfo2>();
    case ToCode(TTagCode::DefineFont2):
      return std::make_unique<TSWFDefineFont2>();
    case ToCode(TTagCode::DefineFont3):
      return std::make_unique<TSWFDefineFont3>();
    case ToCode(TTagCode::DefineFontAlignZones):
      return std::make_unique<TSWFDefineFontAlignZones>();
    case ToCode(TTagCode::DefineFontName):
      return std::make_unique<TSWFDefineFontName>();
    case ToCode(TTagCode::CSMTextSettings):
      return std::make_unique<TSWFCSMTextSettings>();
    case ToCode(TTagCode::DefineText):
      return std::make_unique<TSWFDefineText>();
    case ToCode(TTagCode::DefineText2):
      return std::make_unique<TSWFDefineText2>();
    case ToCode(TTagCode::DefineEditText):
      return std::make_unique<TSWFDefineEditText>();
    default:
      return std::make_unique<TSWFByteCodeTag>(Code);
  }
}

}  // namespace orvanta
