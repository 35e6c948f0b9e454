#pragma once

#include <iosfwd>
#include <string>

namespace orvanta {

class TTemplatePack;

// A picture of every template of one family, drawn by our rasteriser, so that a person can
// judge the art at a glance: one-frame templates once, animations at three moments side by
// side, in name order with numbers compared as numbers. Templates taller than cellHeight are
// drawn smaller. Raises Error for a family without templates.
void WriteContactSheet(const TTemplatePack& pack, const std::string& family,
                       const std::string& outName, int cellHeight, std::ostream& out);

}  // namespace orvanta
