// Imports every SWF file of a folder tree as a sprite of a new movie, the way the application
// imports its templates, and writes each result for the conformance harness to play.
//
//   import_corpus_movies CORPUS_DIR OUT_DIR
//
// OUT_DIR receives one movie per source, named after the source's path inside CORPUS_DIR with
// "/" turned into "__", and import.tsv: one line per source with its path, the movie's name,
// "ok" or "error", and the error's message. The exit status is 0 unless the folders cannot be
// used; an import error is a result, not a failure of the tool.

#include <algorithm>
#include <chrono>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "media/flash_external_movie.h"
#include "media/swf_reader.h"
#include "movie/flash_movie.h"
#include "movie/flash_sprite.h"
#include "platform/errors.h"
#include "swf/tags_control.h"

namespace fs = std::filesystem;
using namespace orvanta;

namespace {

bool IsSwf(const fs::path& path) {
  std::string ext = path.extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return std::tolower(c); });
  return ext == ".swf";
}

std::string FlatName(const std::string& relative) {
  std::string name;
  for (char c : relative) {
    if (c == '/')
      name += "__";
    else if (c == '\t' || c == '\n')
      name += '_';
    else
      name += c;
  }
  return name;
}

std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\t', ' ');
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

// A new movie with the source's stage and frame rate, the source imported as a sprite and
// placed at depth 1, written to target. Raises what the import raises.
void ImportOne(const fs::path& source, const fs::path& target) {
  TFlashMovie movie(0, 0, 550, 400, 12);
  movie.SetVersion(8);
  movie.Random().Seed(1);
  TFlashExternalMovie* external =
      movie.AddExternalMovie(source.string(), TFlashExternalMovie::kImportAsSprite, true);
  TSWFStreamReader& reader = external->Reader();
  movie.SetFrameSize(reader.FrameSize());
  movie.SetFPS(reader.FPS());
  // A movie runs one script machine: ActionScript 3 content needs a main movie that says so.
  for (const auto& info : reader.TagList)
    if (auto* attributes = dynamic_cast<TSWFFileAttributes*>(info->TagObject()))
      if (attributes->ActionScript3) {
        movie.UseFileAttributes = true;
        movie.FileAttributes().ActionScript3 = true;
      }
  movie.PlaceObject(external->Sprite(), 1);
  movie.ShowFrame();
  movie.MakeData();
  movie.SaveToFile(target.string());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: import_corpus_movies CORPUS_DIR OUT_DIR\n";
    return 2;
  }
  const fs::path corpus = argv[1];
  const fs::path out = argv[2];
  if (!fs::is_directory(corpus)) {
    std::cerr << corpus << " is not a folder\n";
    return 2;
  }
  fs::create_directories(out);

  std::vector<std::string> sources;
  for (const auto& entry : fs::recursive_directory_iterator(corpus))
    if (entry.is_regular_file() && IsSwf(entry.path()))
      sources.push_back(fs::relative(entry.path(), corpus).generic_string());
  std::sort(sources.begin(), sources.end());

  std::ofstream index(out / "import.tsv");
  index << "source\tmovie\tstatus\tmessage\n";
  const auto started = std::chrono::steady_clock::now();
  int imported = 0;
  int failed = 0;
  for (const std::string& relative : sources) {
    const std::string name = FlatName(relative);
    std::string message;
    try {
      ImportOne(corpus / relative, out / name);
    } catch (const Error& e) {
      message = e.what();
    } catch (const std::exception& e) {
      message = std::string("unexpected failure: ") + e.what();
    }
    if (message.empty()) {
      ++imported;
      index << relative << '\t' << name << "\tok\t\n";
    } else {
      ++failed;
      std::error_code ignored;
      fs::remove(out / name, ignored);
      index << relative << '\t' << name << "\terror\t" << OneLine(message) << '\n';
      std::cout << "error " << relative << ": " << message << '\n';
    }
  }
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - started)
                      .count();
  std::cout << sources.size() << " movies: " << imported << " imported, " << failed
            << " not imported (" << ms << " ms)\n";
  return index.good() ? 0 : 1;
}
