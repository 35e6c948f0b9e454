#include "shell/project_commands.h"

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iostream>

#include "platform/data_root.h"
#include "platform/errors.h"
#include "project/field_schema.h"
#include "project/page_blocks.h"
#include "project/project_file.h"

namespace orvanta {

namespace {

void PrintWarnings(const TWarnings& warnings, std::ostream& out) {
  for (const TWarning& w : warnings) out << "warning: " << w.Text() << "\n";
}

class TCommands : public TProjectCommands {
 public:
  explicit TCommands(CLI::App& app) {
    group_ = app.add_subcommand("project", "Create, check and edit project files (.fls)");
    group_->require_subcommand(1);
    new_ = group_->add_subcommand("new", "Write the empty project");
    new_->add_option("OUT", file_, "Project file to write")->required();
    check_ = group_->add_subcommand("check", "Load a project and list every warning");
    check_->add_option("FILE", file_, "Project file")->required();
    check_->add_flag("--json", json_, "Machine-readable result");
    get_ = group_->add_subcommand("get", "Print one field of a page");
    get_->add_option("FILE", file_, "Project file")->required();
    get_->add_option("NAME", name_, "Field name")->required();
    get_->add_option("--page", page_, "Page number (1 to 10)")->capture_default_str();
    set_ = group_->add_subcommand("set", "Change fields of a page, validated, in one step");
    set_->add_option("FILE", file_, "Project file")->required();
    set_->add_option("--page", page_, "Page number (1 to 10)")->capture_default_str();
    set_->add_option("NAME=VALUE", assignments_, "Fields to set")->required();
    schema_ = group_->add_subcommand("schema", "Print the fields of every editor as JSON");
  }

  bool Selected() const override { return group_->parsed(); }

  int Run() override {
    if (*new_) WriteEmptyProject(file_, std::cout);
    if (*check_) return CheckProject(file_, json_, std::cout, std::cerr);
    if (*get_) PrintProjectField(file_, name_, page_, std::cout);
    if (*set_) SetProjectFields(file_, page_, assignments_, std::cout);
    if (*schema_) std::cout << FieldSchema().dump(1) << "\n";
    return 0;
  }

 private:
  CLI::App* group_;
  CLI::App *new_, *check_, *get_, *set_, *schema_;
  std::string file_, name_;
  std::vector<std::string> assignments_;
  int page_ = 1;
  bool json_ = false;
};

}  // namespace

std::unique_ptr<TProjectCommands> AddProjectCommands(CLI::App& app) {
  return std::make_unique<TCommands>(app);
}

void WriteEmptyProject(const std::string& fileName, std::ostream& out) {
  TBannerDocument doc = TBannerDocument::New();
  TWarnings warnings;
  SaveProject(doc, fileName, warnings);
  PrintWarnings(warnings, out);
  out << "wrote " << fileName << " (1 page, " << SavedFieldCount() << " fields)\n";
}

int CheckProject(const std::string& fileName, bool json, std::ostream& out, std::ostream& err) {
  try {
    const TLoadedProject project = LoadProject(fileName);
    if (!json) {
      out << fileName << ": " << project.Document.PageCount() << " page(s), " << SavedFieldCount()
          << " fields per page, " << project.Warnings.size() << " warning(s)\n";
      PrintWarnings(project.Warnings, out);
      return 0;
    }
    nlohmann::json warnings = nlohmann::json::array();
    for (const TWarning& w : project.Warnings)
      warnings.push_back({{"page", w.Page}, {"field", w.Field}, {"message", w.Message}});
    out << nlohmann::json{{"file", fileName},
                          {"ok", true},
                          {"pages", project.Document.PageCount()},
                          {"fields", SavedFieldCount()},
                          {"warnings", warnings}}
               .dump(1)
        << "\n";
    return 0;
  } catch (const Error& e) {
    if (json)
      out << nlohmann::json{{"file", fileName}, {"ok", false}, {"error", e.what()}}.dump(1) << "\n";
    else
      err << "orvanta: " << e.what() << "\n";
    return 1;
  }
}

void PrintProjectField(const std::string& fileName, const std::string& name, int page,
                       std::ostream& out) {
  const TLoadedProject project = LoadProjectPage(fileName, page);
  out << DisplayedValue(project.Document.Current.Field(name)) << "\n";
}

namespace {

// The animated text as typed is a block of the page rather than a field; "\n" in the value
// stands for a line break, which a command line cannot hold.
constexpr std::string_view kInputTextName = "InputText";

std::string WithLineBreaks(const std::string& value) {
  std::string text;
  for (size_t i = 0; i < value.size(); ++i) {
    if (value.compare(i, 2, "\\n") == 0) {
      text += '\n';
      ++i;
    } else {
      text += value[i];
    }
  }
  return text;
}

}  // namespace

void ApplyFieldAssignments(TPageState& state, int page, const std::vector<std::string>& assignments,
                           TWarnings& warnings) {
  for (const std::string& assignment : assignments) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos) throw Error("\"" + assignment + "\" is not NAME=VALUE");
    const std::string name = assignment.substr(0, equals);
    if (name == kInputTextName) {
      state.InputText = WithLineBreaks(assignment.substr(equals + 1));
      continue;
    }
    // The photo list ("|" between the files) and the fonts are blocks, not fields.
    if (SetFontOrPhotoBlock(state, name, assignment.substr(equals + 1))) continue;
    const int index = FindSavedField(name);
    if (index < 0) throw Error("no field is named \"" + name + "\"; nothing was changed");
    std::string problem;
    const TFieldValue value =
        NormaliseTypedValue(FieldRegistry()[index], assignment.substr(equals + 1), problem);
    if (!problem.empty()) warnings.push_back({page, name, problem});
    state.SetField(index, value.Text, value.FreeText, page, warnings);
  }
}

std::string ProjectToRead(const std::string& fileName, const TDataRoot& data) {
  std::error_code ec;
  if (std::filesystem::exists(fileName, ec)) return fileName;
  try {
    if (auto shipped = data.Find(fileName)) return shipped->string();
  } catch (const Error&) {
    // A name that would leave the data root is not looked for there.
  }
  return fileName;
}

TLoadedProject LoadProjectPage(const std::string& fileName, int page) {
  TLoadedProject project = LoadProject(fileName);
  if (page < 1 || page > project.Document.PageCount())
    throw Error(fileName + " has no page " + std::to_string(page) + " (it has " +
                std::to_string(project.Document.PageCount()) + ")");
  project.Document.LoadPage(page, project.Warnings);
  return project;
}

void SetProjectFields(const std::string& fileName, int page,
                      const std::vector<std::string>& assignments, std::ostream& out) {
  TLoadedProject project = LoadProjectPage(fileName, page);
  TWarnings warnings;
  ApplyFieldAssignments(project.Document.Current, page, assignments, warnings);
  SaveProject(project.Document, fileName, warnings);
  PrintWarnings(warnings, out);
  out << "set " << assignments.size() << " field(s) on page " << page << " of " << fileName << "\n";
}

}  // namespace orvanta
