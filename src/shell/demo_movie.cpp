#include "shell/demo_movie.h"

#include "movie/flash_movie.h"
#include "swf/swf_records.h"
#include "swf/tags_control.h"

namespace orvanta {

std::unique_ptr<TFlashMovie> BuildDemoMovie(const DemoOptions& options) {
  auto movie = std::make_unique<TFlashMovie>(0, 0, 320 * 20, 240 * 20, 12);
  movie->SetPixelUnits(true);
  movie->SetVersion(8);
  movie->SetCompressed(options.Compressed);
  if (options.Seed) movie->Random().Seed(*options.Seed);

  movie->BackgroundColor().SetColor(PackRGB(0x33, 0x66, 0x99));
  movie->Protect = true;
  movie->Password = "orvanta";
  movie->UseFileAttributes = true;
  movie->FileAttributes().HasMetadata = true;
  movie->Metadata =
      "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
      "<rdf:Description rdf:about=\"\" xmlns:dc=\"http://purl.org/dc/elements/1.1/\">"
      "<dc:title>Orvanta demo</dc:title></rdf:Description></rdf:RDF>";

  const char* labels[] = {"intro", "anchor", "middle", "outro"};
  for (const char* label : labels) {
    if (std::string(label) == "anchor") {
      auto anchor = std::make_unique<TSWFFrameLabel>(label);
      anchor->NamedAnchor = true;
      movie->Add(std::move(anchor));
    } else {
      movie->FrameLabel = label;
    }
    movie->ShowFrame();
  }
  movie->MakeData();
  return movie;
}

}  // namespace orvanta
