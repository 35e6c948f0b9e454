#include "shell/data_commands.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>

#include "media/clip_source.h"
#include "media/swf_reader.h"
#include "platform/artwork_names.h"
#include "platform/clip_table.h"
#include "platform/data_root.h"
#include "platform/errors.h"
#include "platform/stream.h"
#include "platform/template_pack.h"
#include "shell/contact_sheet.h"
#include "shell/embedded_templates.h"

namespace orvanta {

namespace {

// Why the bytes do not read as a SWF file with our reader, or empty when they do.
std::string SwfProblem(std::span<const uint8_t> bytes) {
  try {
    TMemoryViewStream stream(bytes);
    TSWFStreamReader reader(stream);
    if (!reader.Valid) return "not a SWF file";
    reader.ParseTags(true, true);
    for (const auto& tag : reader.TagList)
      if (tag->TagID == 240) return "a tag does not read";
    return {};
  } catch (const std::exception& e) {
    return e.what();
  }
}

std::vector<uint8_t> ReadWholeFile(const std::filesystem::path& file) {
  TFileStream stream(file.string(), TFileStream::Mode::Read);
  std::vector<uint8_t> bytes(static_cast<size_t>(stream.Size()));
  stream.ReadBuffer(bytes.data(), bytes.size());
  return bytes;
}

class TDataCommandLine : public TDataCommands {
 public:
  explicit TDataCommandLine(CLI::App& app) {
    group_ = app.add_subcommand("data", "The templates carried in the program and its data files");
    group_->require_subcommand(1);
    list_ = group_->add_subcommand("list", "Every template with its size and family");
    list_->add_flag("--json", json_, "Machine-readable output");
    extract_ =
        group_->add_subcommand("extract", "Write one template to a SWF file, or all of them");
    extract_->add_option("NAME", name_, "Template name (case does not matter)");
    extract_->add_option("OUT", out_, "SWF file to write");
    auto* all = extract_->add_option("--all", allDir_, "Write every template to DIR/NAME.swf");
    all->excludes(extract_->get_option("NAME"));
    check_ = group_->add_subcommand(
        "check", "Check that every template and data file the builders load is there and reads");
    check_->add_option("--data-root", dataRoot_,
                       "Data folder instead of the one beside the program");
    sheet_ = group_->add_subcommand("sheet", "Draw every template of a family into one PNG");
    sheet_->add_option("FAMILY", name_, "Family, as `data list` shows it")->required();
    sheet_->add_option("OUT", out_, "PNG file to write")->required();
    sheet_->add_option("--height", cellHeight_, "Largest height a template is drawn at, in pixels")
        ->capture_default_str()
        ->check(CLI::Range(8, 1000));
  }

  bool Selected() const override { return group_->parsed(); }

  int Run() override {
    TTemplatePack pack(EmbeddedTemplatePack());
    if (list_->parsed()) {
      ListTemplates(pack, json_, std::cout);
      return 0;
    }
    if (extract_->parsed()) {
      if (!allDir_.empty()) {
        ExtractAllTemplates(pack, allDir_, std::cout);
        return 0;
      }
      if (name_.empty() || out_.empty())
        throw Error("data extract needs NAME and OUT.swf, or --all DIR");
      ExtractTemplate(pack, name_, out_, std::cout);
      return 0;
    }
    if (sheet_->parsed()) {
      WriteContactSheet(pack, name_, out_, cellHeight_, std::cout);
      return 0;
    }
    TDataRoot root(dataRoot_.empty() ? TDataRoot::BesideExecutable()
                                     : std::filesystem::path(dataRoot_));
    return CheckData(pack, root, std::cout, std::cerr);
  }

 private:
  CLI::App *group_, *list_, *extract_, *check_, *sheet_;
  bool json_ = false;
  // Letters (120 high) come out at half size, about the height a banner line shows them.
  int cellHeight_ = 64;
  std::string name_, out_, dataRoot_, allDir_;
};

}  // namespace

std::unique_ptr<TDataCommands> AddDataCommands(CLI::App& app) {
  return std::make_unique<TDataCommandLine>(app);
}

void ListTemplates(const TTemplatePack& pack, bool json, std::ostream& out) {
  if (json) {
    nlohmann::json list = nlohmann::json::array();
    for (const TTemplateEntry& e : pack.Entries())
      list.push_back({{"name", e.Name}, {"size", e.Data.size()}, {"family", e.Family}});
    out << list.dump(1) << "\n";
    return;
  }
  for (const TTemplateEntry& e : pack.Entries())
    out << e.Name << "\t" << e.Data.size() << "\t" << e.Family << "\n";
}

void ExtractTemplate(const TTemplatePack& pack, const std::string& name, const std::string& outName,
                     std::ostream& out) {
  const TTemplateEntry& entry = pack.Get(name);
  TFileStream file(outName, TFileStream::Mode::Create);
  file.WriteBuffer(entry.Data.data(), entry.Data.size());
  out << "wrote " << outName << " (" << entry.Name << ", " << entry.Data.size() << " bytes)\n";
}

void ExtractAllTemplates(const TTemplatePack& pack, const std::string& folder, std::ostream& out) {
  std::filesystem::create_directories(folder);
  for (const TTemplateEntry& e : pack.Entries()) {
    TFileStream file((std::filesystem::path(folder) / (e.Name + ".swf")).string(),
                     TFileStream::Mode::Create);
    file.WriteBuffer(e.Data.data(), e.Data.size());
  }
  out << "wrote " << pack.Entries().size() << " templates to " << folder << "\n";
}

int CheckData(const TTemplatePack& pack, const TDataRoot& root, std::ostream& out,
              std::ostream& err) {
  size_t problems = 0;
  auto report = [&](const std::string& what) {
    err << what << "\n";
    ++problems;
  };
  for (const std::string& name : RequiredTemplateNames())
    if (!pack.Find(name)) report("missing template: " + name);
  for (const TTemplateEntry& e : pack.Entries())
    if (std::string why = SwfProblem(e.Data); !why.empty())
      report("template " + e.Name + " does not read: " + why);
  for (const std::string& name : RequiredDataFiles()) {
    std::optional<std::filesystem::path> file = root.Find(name);
    if (!file) {
      report("missing data file: " + name);
      continue;
    }
    if (file->extension() == ".swf")
      if (std::string why = SwfProblem(ReadWholeFile(*file)); !why.empty())
        report("data file " + name + " does not read: " + why);
  }
  size_t clips = 0;
  for (const std::string& name : DistinctClipNames()) {
    try {
      std::optional<TClipBytes> clip = LoadClipStream(name, root, pack);
      if (!clip)
        report("missing clip: " + name);
      else if (std::string why = SwfProblem(clip->Bytes); !why.empty())
        report("clip " + name + " does not read: " + why);
      else
        ++clips;
    } catch (const Error& e) {
      report("clip " + name + " does not load: " + e.what());
    }
    if (!root.Find("mc_thumb\\mc" + name + ".bmp")) report("missing clip thumbnail: " + name);
  }
  if (problems) {
    err << problems << " problems in the templates and data files\n";
    return 1;
  }
  out << pack.Entries().size() << " templates and " << RequiredDataFiles().size()
      << " data files and " << clips << " library clips in " << root.Folder().string()
      << ": all present and readable\n";
  return 0;
}

}  // namespace orvanta
