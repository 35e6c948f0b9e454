#include "swf/tag_factory.h"

#include "script/tags_abc.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_display.h"
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
    case TSWFDoABC::kTagCode:
      return std::make_unique<TSWFDoABC>();
    // Display-list tags.
    case 4: return std::make_unique<TSWFPlaceObject>();
    case 5: return std::make_unique<TSWFRemoveObject>();
    case 26: return std::make_unique<TSWFPlaceObject2>();
    case 28: return std::make_unique<TSWFRemoveObject2>();
    case 39: return std::make_unique<TSWFDefineSprite>();
    case 70: return std::make_unique<TSWFPlaceObject3>();
    default:
      return std::make_unique<TSWFByteCodeTag>(Code);
  }
}

}  // namespace orvanta
