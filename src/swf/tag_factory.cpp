#include "swf/tag_factory.h"

#include "swf/tags_data.h"

namespace orvanta {

// The one table of tag classes. Codes without a class of their own stay raw tags.
std::unique_ptr<TSWFObject> CreateTagByCode(uint16_t Code) {
  switch (Code) {
    case TSWFByteCodeTag::kRawTagID:
      return std::make_unique<TSWFByteCodeTag>();
    default:
      return std::make_unique<TSWFByteCodeTag>(Code);
  }
}

}  // namespace orvanta
