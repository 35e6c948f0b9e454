#include "project/page_background.h"

#include <algorithm>

#include "media/flash_image.h"
#include "movie/flash_movie.h"
#include "movie/flash_shape.h"
#include "platform/errors.h"

namespace orvanta {

namespace {

bool AddPictureFill(TFlashMovie& movie, const TPageState& page, const TDepthPlan& depths,
                    TBuildContext& context, int width, int height) {
  const std::string& name = page.Field("PageBackGroundImageEdit").Text;
  const auto path = context.Resolve(name, {"photos\\", "mc_thumb\\html\\_default\\"});
  if (!path) {
    if (name != "None") context.Warn("PageBackGroundImageEdit", name + " file not found !");
    return false;
  }
  try {
    TFlashImage* image = movie.AddImage(path->string());
    TFlashShape* fill = movie.AddRectangle(0, 0, std::max<int>(width, image->Width()),
                                           std::max<int>(height, image->Height()));
    fill->SetImageFill(*image, 2);
    movie.PlaceObject(fill, depths.PageBackground);
    return true;
  } catch (const Error& e) {
    context.Warn("PageBackGroundImageEdit", e.what());
    return false;
  }
}

}  // namespace

void AddPageBackground(TFlashMovie& movie, const TPageState& page, const TDepthPlan& depths,
                       TBuildContext& context) {
  const int width = IntegerField(page, "SWFWidth"), height = IntegerField(page, "SWFHeight");
  if (OptionField(page, "PageBackGroundImageEnabled") &&
      AddPictureFill(movie, page, depths, context, width, height))
    return;
  const uint32_t bgr = uint32_t(IntegerField(page, "PageBackGroundSolidColor"));
  TFlashShape* fill = movie.AddRectangle(0, 0, width, height);
  fill->SetSolidColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  movie.PlaceObject(fill, depths.PageBackground);
}

}  // namespace orvanta
