#include "conformance_movies.h"
#include "conformance_support.h"

#include "script/action.h"
#include "swf/bits_engine.h"
#include "swf/tags_control.h"
#include "swf/tags_data.h"
#include "swf/tags_display.h"
#include "platform/stream.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;

Case Empty(bool compressed) {
  Case c{compressed ? "empty_cws.swf" : "empty.swf", NewMovie(5, compressed), {}};
  c.Expect = {{"header", Header(compressed ? 6 : 5, 0, compressed)}, {"tags", json::array()}};
  return c;
}

Case Version(int version) {
  Case c{"version_" + std::to_string(version) + ".swf", NewMovie(version), {}};
  c.Movie->BackgroundColor().SetColor(PackRGB(0x20, 0x40, 0x80));
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(version, 1)},
              {"tags", {"SetBackgroundColor", "ShowFrame"}},
              {"fields", {{"0", {{"color", {{"r", 0x20}, {"g", 0x40}, {"b", 0x80}}}}}}}};
  return c;
}

Case Labels() {
  Case c{"labels.swf", NewMovie(6), {}};
  TFlashMovie& m = *c.Movie;
  m.FrameLabel = "first";
  m.ShowFrame();
  auto anchor = std::make_unique<TSWFFrameLabel>("anchor");
  anchor->NamedAnchor = true;
  m.Add(std::move(anchor));
  m.ShowFrame(2);
  c.Expect = {{"header", Header(6, 3)},
              {"tags", {"FrameLabel", "ShowFrame", "FrameLabel", "ShowFrame", "ShowFrame"}},
              {"fields",
               {{"0", {{"name", "first"}, {"isAnchor", false}}},
                {"2", {{"name", "anchor"}, {"isAnchor", true}}}}}};
  return c;
}

Case Protection(bool withPassword) {
  Case c{withPassword ? "protect_password.swf" : "protect.swf", NewMovie(5), {}};
  c.Movie->Protect = true;
  if (withPassword) c.Movie->Password = "secret";
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(5, 1)}, {"tags", {"Protect", "ShowFrame"}}};
  if (withPassword)
    c.Expect["rawTags"] = {{{"index", 0}, {"code", 24}, {"length", 31}, {"hexPrefix", "0000243124"}}};
  else
    c.Expect["rawTags"] = {{{"index", 0}, {"code", 24}, {"length", 0}}};
  return c;
}

// swf-parser reads EnableDebugger (58) as a bare password string, while these tags share the
// Protect layout (a reserved UI16 before the hash, nothing at all without a password); the empty
// tag is checked by its raw bytes. EnableDebugger2 carries the hash as real files do.
Case Debugger() {
  Case c{"debugger.swf", NewMovie(6), {}};
  c.Movie->Add(std::make_unique<TSWFEnableDebugger>());
  auto debugger2 = std::make_unique<TSWFEnableDebugger2>();
  debugger2->Password = "dbg";
  c.Movie->Add(std::move(debugger2));
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(6, 1)},
              {"codes", {58, 64, 1, 0}},
              {"rawTags",
               {{{"index", 0}, {"code", 58}, {"length", 0}},
                {{"index", 1}, {"code", 64}, {"length", 31}, {"hexPrefix", "0000243124"}}}}};
  return c;
}

Case Assets() {
  Case c{"assets.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  m.Add(RectangleShape(1, 400, 300, 0x0000FF));
  m.ExportAssets("box", 1);
  auto import = std::make_unique<TSWFImportAssets>();
  import->URL = "library.swf";
  import->SetAsset("shared", 2);
  m.Add(std::move(import));
  auto import2 = std::make_unique<TSWFImportAssets2>();
  import2->URL = "library2.swf";
  import2->SetAsset("other", 3);
  m.Add(std::move(import2));
  m.ShowFrame();
  c.Expect = {
      {"header", Header(8, 1)},
      {"codes", {2, 56, 57, 71, 1, 0}},
      {"fields",
       {{"1", {{"assets", {{{"id", 1}, {"name", "box"}}}}}},
        {"2", {{"url", "library.swf"}, {"assets", {{{"id", 2}, {"name", "shared"}}}}}},
        {"3", {{"url", "library2.swf"}, {"assets", {{{"id", 3}, {"name", "other"}}}}}}}}};
  return c;
}

// The libraries the assets movie imports from, so that the player finds what it asks for.
Case Library(const std::string& file, const std::string& name, int version) {
  Case c{file, NewMovie(version), {}};
  c.Movie->Add(RectangleShape(1, 300, 300, 0x008800));
  c.Movie->ExportAssets(name, 1);
  c.Movie->ShowFrame();
  c.Expect = {{"header", Header(version, 1)},
              {"tags", {"DefineShape", "ExportAssets", "ShowFrame"}},
              {"fields", {{"1", {{"assets", {{{"id", 1}, {"name", name}}}}}}}}};
  return c;
}

Case Attributes() {
  Case c{"attributes.swf", NewMovie(9), {}};
  TFlashMovie& m = *c.Movie;
  m.UseFileAttributes = true;
  m.FileAttributes().UseNetwork = true;
  m.FileAttributes().HasMetadata = true;
  m.Metadata = "<rdf:RDF>caf\xE9</rdf:RDF>";
  auto product = std::make_unique<TSWFProductInfo>();
  product->ProductID = 3;
  product->Edition = 6;
  product->MajorVersion = 9;
  product->MinorVersion = 1;
  product->BuildLow = 1234;
  product->CompilationDate = 1700000000000ULL;
  m.Add(std::move(product));
  m.ShowFrame();
  c.Expect = {{"header", Header(9, 1)},
              {"tags", {"FileAttributes", "Metadata", "RawBody:41", "ShowFrame"}},
              {"fields",
               {{"0", {{"useNetwork", true}, {"hasMetadata", true}, {"useAs3", false}}},
                {"1", {{"metadata", "<rdf:RDF>caf\xC3\xA9</rdf:RDF>"}}}}},
              // swf-parser does not decode ProductInfo: its bytes are checked instead.
              {"rawTags",
               {{{"index", 2},
                 {"code", 41},
                 {"hex", "03000000" "06000000" "09" "01" "d2040000" "00000000" "0068e5cf8b010000"}}}}};
  return c;
}

Case Limits() {
  Case c{"limits.swf", NewMovie(7), {}};
  TFlashMovie& m = *c.Movie;
  auto limits = std::make_unique<TSWFScriptLimits>();
  limits->MaxRecursionDepth = 1000;
  limits->ScriptTimeoutSeconds = 30;
  m.Add(std::move(limits));
  m.Add(RectangleShape(1, 400, 300, 0x00FF00));
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(1);
  m.Add(std::move(place));
  auto tab = std::make_unique<TSWFSetTabIndex>();
  tab->Depth = 1;
  tab->TabIndex = 4;
  m.Add(std::move(tab));
  m.ShowFrame();
  c.Expect = {{"header", Header(7, 1)},
              {"tags", {"ScriptLimits", "DefineShape", "PlaceObject", "SetTabIndex", "ShowFrame"}},
              {"fields",
               {{"0", {{"maxRecursionDepth", 1000}, {"scriptTimeout", 30}}},
                {"3", {{"depth", 1}, {"index", 4}}}}}};
  return c;
}

Case ScalingGridAndScenes() {
  Case c{"grid_scenes.swf", NewMovie(9), {}};
  TFlashMovie& m = *c.Movie;
  auto scenes = std::make_unique<TSWFDefineSceneAndFrameLabelData>();
  scenes->AddScene("Scene 1", 0);
  scenes->AddFrameLabel("start", 0);
  scenes->AddFrameLabel("end", 1);
  m.Add(std::move(scenes));
  m.Add(RectangleShape(1, 2000, 1000, 0xFF8000));
  auto grid = std::make_unique<TSWFDefineScalingGrid>();
  grid->CharacterId = 1;
  grid->Splitter = TSWFRect(200, 200, 1800, 800);
  m.Add(std::move(grid));
  m.FrameLabel = "start";
  m.ShowFrame();
  m.FrameLabel = "end";
  m.ShowFrame();
  c.Expect = {
      {"header", Header(9, 2)},
      {"tags",
       {"DefineSceneAndFrameLabelData", "DefineShape", "DefineScalingGrid", "FrameLabel",
        "ShowFrame", "FrameLabel", "ShowFrame"}},
      {"fields",
       {{"0",
         {{"scenes", {{{"offset", 0}, {"name", "Scene 1"}}}},
          {"labels", {{{"frame", 0}, {"name", "start"}}, {{"frame", 1}, {"name", "end"}}}}}},
        {"2",
         {{"characterId", 1},
          {"splitter", {{"xMin", 200}, {"xMax", 1800}, {"yMin", 200}, {"yMax", 800}}}}}}}};
  return c;
}

// Every kind of place and remove tag, with matrices, colour transforms, names, ratios, clip
// depths and clip actions, across several frames.
Case DisplayList() {
  Case c{"display_list.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  m.BackgroundColor().SetColor(0xFFFFFF);
  m.Add(RectangleShape(1, 600, 400, 0x0000CC));
  m.Add(RectangleShape(2, 1200, 1200, 0xCC0000));

  auto place = std::make_unique<TSWFPlaceObject>();
  place->CharacterId = 1;
  place->Depth = 1;
  place->Matrix.SetTranslate(100, 200);
  place->ColorTransform.SetRedMult(128);
  place->ColorTransform.SetGreenMult(256);
  place->ColorTransform.SetBlueMult(256);
  place->ColorTransform.SetRedAdd(20);
  place->ColorTransform.SetGreenAdd(0);
  place->ColorTransform.SetBlueAdd(-20);
  place->HasColorTransform = true;
  m.Add(std::move(place));

  auto place2 = std::make_unique<TSWFPlaceObject2>();
  place2->Depth = 2;
  place2->SetCharacterId(2);
  place2->Matrix().SetScale(0.5, 0.75);
  place2->Matrix().SetRotate(30);
  place2->Matrix().SetTranslate(1000, 500);
  place2->ColorTransform().SetAlphaMult(128);
  place2->SetName("box");
  place2->SetRatio(7);
  place2->EventVersion = 8;
  auto& onLoad = place2->ClipActions().AddRecord(ClipEvents({kClipEventLoad}));
  onLoad.Actions.Add(std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>{0x07}));
  auto& onKey = place2->ClipActions().AddRecord(ClipEvents({kClipEventEnterFrame}), 65);
  onKey.Actions.Add(std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>{0x06}));
  m.Add(std::move(place2));

  auto mask = std::make_unique<TSWFPlaceObject2>();
  mask->Depth = 3;
  mask->SetCharacterId(1);
  mask->SetClipDepth(5);
  m.Add(std::move(mask));

  auto place3 = std::make_unique<TSWFPlaceObject3>();
  place3->Depth = 4;
  place3->SetCharacterId(1);
  place3->Matrix().SetTranslate(2000, 1500);
  place3->BlendMode = 3;  // multiply
  place3->HasBlendMode = true;
  place3->HasCacheAsBitmap = true;
  m.Add(std::move(place3));
  m.ShowFrame();

  auto move = std::make_unique<TSWFPlaceObject2>();
  move->Depth = 2;
  move->PlaceFlagMove = true;
  move->Matrix().SetTranslate(1400, 600);
  m.Add(std::move(move));
  auto remove = std::make_unique<TSWFRemoveObject>();
  remove->CharacterId = 1;
  remove->Depth = 1;
  m.Add(std::move(remove));
  m.ShowFrame();
  m.RemoveObject(2);
  m.RemoveObject(4);
  m.ShowFrame();

  c.Expect = {
      {"header", Header(8, 3)},
      {"codes", {9, 2, 2, 4, 26, 26, 70, 1, 26, 5, 1, 28, 28, 1, 0}},
      {"fields",
       {{"3",
         {{"isUpdate", false},
          {"characterId", 1},
          {"depth", 1},
          {"matrix", {{"translateX", 100}, {"translateY", 200}}},
          {"colorTransform",
           {{"redMult", 0.5}, {"greenMult", 1}, {"redAdd", 20}, {"blueAdd", -20}}}}},
        {"4",
         {{"isUpdate", false},
          {"characterId", 2},
          {"depth", 2},
          {"name", "box"},
          {"ratio", 7},
          {"matrix", {{"translateX", 1000}, {"translateY", 500}}},
          {"colorTransform", {{"alphaMult", 0.5}}},
          {"colorTransform", {{"alphaMult", 0.5}}}}},
        {"5", {{"characterId", 1}, {"depth", 3}, {"clipDepth", 5}}},
        {"6",
         {{"characterId", 1}, {"depth", 4}, {"blendMode", "Multiply"}, {"bitmapCache", true}}},
        {"8", {{"isUpdate", true}, {"depth", 2}, {"matrix", {{"translateX", 1400}}}}},
        {"9", {{"characterId", 1}, {"depth", 1}}},
        {"11", {{"depth", 2}}},
        {"12", {{"depth", 4}}}}},
      // swf-parser reads 32-bit clip-event flags as a float, so the clip actions are checked by
      // their bytes: reserved 0, all events (Load | EnterFrame, KeyPress), then each record's
      // flags, size, key code and actions, and the 32-bit end marker.
      {"rawTags",
       {{{"index", 4},
         {"code", 26},
         {"hexSuffix",
          "0000"          // reserved
          "03000200"      // AllEventFlags: Load, EnterFrame; KeyPress
          "01000000"      // Load
          "02000000" "0700"
          "02000200"      // EnterFrame, KeyPress
          "03000000" "41" "0600"
          "00000000"}}}}};
  return c;
}

// Clip events of an SWF 5 movie take 16 bits, which swf-parser decodes field by field.
Case ClipEvents16() {
  Case c{"clip_events_v5.swf", NewMovie(5), {}};
  TFlashMovie& m = *c.Movie;
  m.Add(RectangleShape(1, 600, 400, 0x00AA00));
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(1);
  place->SetName("clip");
  place->EventVersion = 5;
  auto& record = place->ClipActions().AddRecord(ClipEvents({kClipEventLoad, kClipEventMouseDown}));
  record.Actions.Add(std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>{0x07}));
  place->ClipActions().AddRecord(ClipEvents({kClipEventEnterFrame}))
      .Actions.Add(std::make_unique<TSWFActionByteCode>(std::vector<uint8_t>{0x06}));
  m.Add(std::move(place));
  m.ShowFrame();
  c.Expect = {
      {"header", Header(5, 1)},
      {"tags", {"DefineShape", "PlaceObject", "ShowFrame"}},
      {"fields",
       {{"1",
         {{"name", "clip"},
          {"clipActions",
           {{{"events", {{"load", true}, {"mouseDown", true}, {"enterFrame", false}}},
             {"actions", "0700"}},
            {{"events", {{"enterFrame", true}, {"load", false}}}, {"actions", "0600"}}}}}}}}};
  return c;
}

// Insertion in front of earlier content: mode 1 at an index, mode 2 in front of a frame's end.
Case AddModes() {
  Case c{"add_modes.swf", NewMovie(8), {}};
  TFlashMovie& m = *c.Movie;
  m.FrameLabel = "one";
  m.ShowFrame();
  m.FrameLabel = "two";
  m.ShowFrame();
  m.AddMode = 1;
  m.AddPosition = 0;
  m.Add(RectangleShape(1, 400, 400, 0x336699));
  m.AddMode = 2;
  m.AddPosition = 3;  // the label of frame two: lands in front of frame one's ShowFrame
  auto place = std::make_unique<TSWFPlaceObject2>();
  place->Depth = 1;
  place->SetCharacterId(1);
  m.Add(std::move(place));
  m.AddMode = 0;
  c.Expect = {{"header", Header(8, 2)},
              {"tags", {"DefineShape", "FrameLabel", "PlaceObject", "ShowFrame", "FrameLabel",
                        "ShowFrame"}},
              {"fields", {{"1", {{"name", "one"}}}, {"2", {{"depth", 1}, {"characterId", 1}}}}}};
  return c;
}

}  // namespace

std::vector<Case> MovieSpineCases() {
  std::vector<Case> cases;
  cases.push_back(Empty(false));
  cases.push_back(Empty(true));
  for (int version = 5; version <= 10; ++version) cases.push_back(Version(version));
  cases.push_back(Labels());
  cases.push_back(Protection(false));
  cases.push_back(Protection(true));
  cases.push_back(Debugger());
  cases.push_back(Assets());
  cases.push_back(Library("library.swf", "shared", 5));
  cases.push_back(Library("library2.swf", "other", 8));
  cases.push_back(Attributes());
  cases.push_back(Limits());
  cases.push_back(ScalingGridAndScenes());
  cases.push_back(DisplayList());
  cases.push_back(ClipEvents16());
  cases.push_back(AddModes());
  return cases;
}

}  // namespace orvanta::conformance
