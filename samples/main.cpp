// Writes the sample projects and their thumbnails into the data root:
// "default_template/" + name + ".fls", "default_template/blank.fls" and
// "mc_thumb/templatescreenshot/" + name + ".bmp".
//
//   orvanta_samples PACK DATA_ROOT

#include <chrono>
#include <filesystem>
#include <iostream>

#include <unistd.h>

#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "project/project_file.h"
#include "sample_build.h"
#include "thumbnail_pictures.h"

namespace {

namespace fs = std::filesystem;
using namespace orvanta;

void Save(TBannerDocument& doc, const fs::path& file) {
  TWarnings warnings;
  SaveProject(doc, file, warnings);
  if (!warnings.empty()) throw Error(file.string() + ": " + warnings.front().Text());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: orvanta_samples PACK DATA_ROOT\n";
    return 2;
  }
  try {
    const auto start = std::chrono::steady_clock::now();
    const std::vector<uint8_t> packBytes = ReadWholeFile(argv[1]);
    const TTemplatePack templates(packBytes);
    const TDataRoot data(argv[2]);
    const fs::path projects = data.Folder() / "default_template";
    const fs::path thumbnails = data.Folder() / "mc_thumb" / "templatescreenshot";
    fs::create_directories(projects);
    fs::create_directories(thumbnails);
    const fs::path work = fs::temp_directory_path() / ("orvanta-samples-" + std::to_string(getpid()));

    fs::create_directories(work);
    int failed = 0;
    const auto recipes = samples::SampleRecipes();
    for (const samples::TSampleRecipe& recipe : recipes) {
      samples::TBuiltSample sample = samples::BuildSample(recipe, data, templates, work);
      for (const TWarning& w : sample.Warnings) {
        std::cerr << "orvanta_samples: " << recipe.Name << ": " << w.Text() << "\n";
        ++failed;
      }
      Save(sample.Document, projects / (recipe.Name + ".fls"));
      WriteWholeFile((thumbnails / (recipe.Name + ".bmp")).string(),
                     artwork::EncodeBMP24(sample.Thumbnail));
    }
    fs::remove_all(work);
    if (failed > 0) return 1;
    // Written last: the build takes the blank project as the sign that every sample is there.
    TBannerDocument blank = TBannerDocument::New();
    Save(blank, projects / "blank.fls");
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::cout << "samples: " << recipes.size() << " projects and thumbnails in " << seconds
              << " s\n";
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "orvanta_samples: " << e.what() << "\n";
    return 1;
  }
}
