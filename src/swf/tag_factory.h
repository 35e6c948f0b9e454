#pragma once

#include <cstdint>
#include <memory>

namespace orvanta {

class TSWFObject;

// A new, empty object of the class registered for Code; any other code gives a raw tag that
// keeps the code, so unknown tags survive a read and write unchanged. The table is defined in
// media/tag_factory.cpp, the first layer that knows every tag class (actions, sounds, video).
std::unique_ptr<TSWFObject> CreateTagByCode(uint16_t Code);

}  // namespace orvanta
