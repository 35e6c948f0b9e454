#include "swf/tag_factory.h"

#include "swf/tags_data.h"
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
    default:
      return std::make_unique<TSWFByteCodeTag>(Code);
  }
}

}  // namespace orvanta
