// Button movies: a DefineButton2 whose states show different colours and whose condition
// actions trace, and a DefineButton with its release script and a DefineButtonCxform. Ruffle's
// mouse is moved over them, pressed and released; the colours of each state and the traces
// printed check the state bits, the records' colour transforms and the condition flags.
#include <memory>
#include <string>

#include "conformance_movies.h"
#include "conformance_scene.h"
#include "media/filters.h"
#include "movie/flash_button.h"
#include "movie/flash_place_object.h"
#include "movie/flash_shape.h"
#include "script/actions_basic.h"
#include "script/flash_action_script.h"
#include "swf/tags_button.h"

namespace orvanta::conformance {

namespace {

using nlohmann::json;

constexpr uint32_t kWhite = 0xFFFFFF;

void Trace(TFlashActionScript& script, const std::string& text) {
  script.Push(TPushValue(text));
  script.Actions().Add(std::make_unique<TSWFActionTrace>());
}

// The action bytes of Trace(text): a push of the string, trace, and the end flag.
std::string TraceHex(const std::string& text) {
  std::string hex = "96" + Scene::Hex((text.size() + 2) << 16).substr(0, 2) + "0000";
  for (unsigned char ch : text) hex += Scene::Hex(ch).substr(4);
  return hex +
         "00"
         "26"
         "00";
}

// A 100 x 70 pixel rectangle from the origin, solid.
TFlashShape* Face(Scene& s, uint32_t rgb) {
  TFlashShape* shape = s.M().AddRectangle(0, 0, 100, 70);
  shape->SetSolidColor(Packed(rgb));
  s.Expect(22);
  return shape;
}

json Record(bool up, bool over, bool down, bool hit, uint16_t id, uint16_t depth) {
  return {{"stateUp", up},       {"stateOver", over}, {"stateDown", down},
          {"stateHitTest", hit}, {"characterId", id}, {"depth", depth}};
}

json Conditions(unsigned bit) {
  static const char* const kNames[] = {"idleToOverUp",     "overUpToIdle",      "overUpToOverDown",
                                       "overDownToOverUp", "outDownToOverDown", "overDownToOutDown",
                                       "outDownToIdle",    "idleToOverDown",    "overDownToIdle"};
  json flags = json::object();
  for (unsigned i = 0; i < 9; ++i) flags[kNames[i]] = i == bit;
  return flags;
}

// DefineButton2 at (50, 40): red when up, green under the mouse with a blue drop shadow, blue
// while pressed (the red face through the down record's colour transform); each transition
// traces. In the up state a small square inverts the face beneath it (a record blend mode).
Case Button2() {
  Scene s("button2.swf", 8);
  TFlashMovie& m = s.M();
  m.BackgroundColor().SetColor(PackRGB(255, 255, 255));
  s.Expect(9);
  TFlashShape* red = Face(s, 0xFF0000);
  TFlashShape* green = Face(s, 0x00A000);
  TFlashShape* hit = Face(s, 0x808080);
  TFlashShape* patch = m.AddRectangle(0, 0, 20, 20);
  patch->SetSolidColor(Packed(0x808080));
  s.Expect(22);

  TFlashButton* button = m.AddButton(false, true);
  button->AddRecord(*red, kButtonStateUp, 1);
  TSWFButtonRecord& over = button->AddRecord(*green, kButtonStateOver, 2);
  auto& shadow =
      static_cast<TSWFDropShadowFilter&>(*over.FilterList().AddFilter(kFilterDropShadow));
  shadow.DropShadowColor.SetRGBA(Packed(0x0000FF));
  shadow.BlurX = shadow.BlurY = 2;
  shadow.Angle = 0.785398;
  shadow.Distance = 6;
  shadow.Strength = 1;
  TSWFColorTransform& toBlue = button->AddRecord(*red, kButtonStateDown, 3).ColorTransform();
  toBlue.SetMult(0, 256, 256, 256);
  toBlue.SetAdd(0, 0, 255, 0);
  button->AddRecord(*hit, kButtonStateHitTest, 4);
  TSWFButtonRecord& invert = button->AddRecord(*patch, kButtonStateUp, 5);
  invert.PlaceMatrix().SetTranslate(200, 200);
  invert.ButtonHasBlendMode = true;
  invert.BlendMode = 10;

  Trace(button->OnRollOver(), "over");
  TFlashActionScript press(&m, button->FindCondAction(kCondOverUpToOverDown, true));
  Trace(press, "press");
  Trace(button->OnRelease(), "release");
  Trace(button->OnRollOut(), "out");

  json records = {Record(true, false, false, false, red->CharacterId(), 1),
                  Record(false, true, false, false, green->CharacterId(), 2),
                  Record(false, false, true, false, red->CharacterId(), 3),
                  Record(false, false, false, true, hit->CharacterId(), 4),
                  Record(true, false, false, false, patch->CharacterId(), 5)};
  records[1]["filters"] = {{{"filter", 0},
                            {"color", Rgba(0x0000FF)},
                            {"blurX", 2},
                            {"distance", 6},
                            {"strength", 1},
                            {"passes", 1}}};
  records[1]["blendMode"] = "Normal";
  records[4]["blendMode"] = "Invert";
  records[4]["matrix"] = {{"translateX", 200}, {"translateY", 200}};
  records[2]["colorTransform"] = {{"redMult", 0},   {"greenMult", 1}, {"blueMult", 1},
                                  {"redAdd", 0},    {"greenAdd", 0},  {"blueAdd", 255},
                                  {"alphaMult", 1}, {"alphaAdd", 0}};
  // An empty transform on the other records: no change.
  records[0]["colorTransform"] = {{"redMult", 1}, {"redAdd", 0}, {"blueAdd", 0}};
  json actions = json::array();
  const std::pair<unsigned, const char*> events[] = {{kCondIdleToOverUp, "over"},
                                                     {kCondOverUpToOverDown, "press"},
                                                     {kCondOverDownToOverUp, "release"},
                                                     {kCondOverUpToIdle, "out"}};
  for (const auto& [bit, text] : events)
    actions.push_back({{"conditions", Conditions(bit)}, {"actions", TraceHex(text)}});
  s.Expect(34, {{"id", button->CharacterId()},
                {"trackAsMenu", false},
                {"records", records},
                {"actions", actions}});

  TFlashPlaceObject* place = m.PlaceObject(button, 1);
  place->SetTranslate(50, 40);
  s.Expect(26, {{"depth", 1},
                {"characterId", button->CharacterId()},
                {"matrix", {{"translateX", 1000}, {"translateY", 800}}}});
  m.ShowFrame();
  s.Expect(1);

  s.Pixel(100, 75, 0xFF0000, "the button, up");
  s.Pixel(70, 60, 0x00FFFF, "the inverting square over the red face, up");
  s.Pixel(45, 75, kWhite, "left of the button");
  s.Pixel(100, 115, kWhite, "below the button");
  auto look = [](uint32_t rgb, const std::string& what) {
    return json{{"pixels", {{{"x", 100}, {"y", 75}, {"rgb", Scene::Hex(rgb)}, {"what", what}}}}};
  };
  json overLook = look(0x00A000, "the button under the mouse: over");
  overLook["pixels"].push_back({{"x", 152},
                                {"y", 112},
                                {"rgb", "0000ff"},
                                {"tol", 60},
                                {"what", "the over face's drop shadow, below right"}});
  overLook["pixels"].push_back(
      {{"x", 70}, {"y", 60}, {"rgb", "00a000"}, {"what", "no inverting square in the over state"}});
  s.Steps() = {{{"mouse", "move"}, {"x", 100}, {"y", 75}, {"waitMs", 300}},
               overLook,
               {{"traces", {"over"}}},
               {{"mouse", "down"}, {"waitMs", 300}},
               look(0x0000FF, "the button pressed: down, the red face turned blue"),
               {{"traces", {"over", "press"}}},
               {{"mouse", "up"}, {"waitMs", 300}},
               look(0x00A000, "the button released: over again"),
               {{"traces", {"release"}}},
               {{"mouse", "move"}, {"x", 10}, {"y", 10}, {"waitMs", 300}},
               look(0xFF0000, "the mouse gone: up"),
               {{"traces", {"out"}}}};
  s.Entry()["traces"] = {"over", "press", "release", "out"};
  return s.Done(8, 1);
}

// DefineButton at (50, 40) with a DefineButtonCxform that drops green: the grey up face shows
// magenta; the blue over face and red down face have no green to lose. Releasing traces.
Case Button1() {
  Scene s("button1.swf", 8);
  TFlashMovie& m = s.M();
  m.BackgroundColor().SetColor(PackRGB(255, 255, 255));
  s.Expect(9);
  TFlashShape* grey = Face(s, 0xC8C8C8);
  TFlashShape* blue = Face(s, 0x0000FF);
  TFlashShape* red = Face(s, 0xFF0000);

  TFlashButton* button = m.AddButton(false, false);
  button->AddRecord(*grey, kButtonStateUp, 1);
  button->AddRecord(*blue, kButtonStateOver, 2);
  button->AddRecord(*red, kButtonStateDown, 3);
  button->AddRecord(*grey, kButtonStateHitTest, 4);
  Trace(button->OnRelease(), "clicked");
  s.Expect(7, {{"id", button->CharacterId()},
               {"records",
                {Record(true, false, false, false, grey->CharacterId(), 1),
                 Record(false, true, false, false, blue->CharacterId(), 2),
                 Record(false, false, true, false, red->CharacterId(), 3),
                 Record(false, false, false, true, grey->CharacterId(), 4)}},
               {"actions", {{{"actions", TraceHex("clicked")}}}}});

  auto cxform = std::make_unique<TSWFDefineButtonCxform>();
  cxform->ButtonId = button->CharacterId();
  cxform->ButtonColorTransform.SetMult(256, 0, 256, 256);
  m.Add(std::move(cxform));
  s.Expect(23, {{"buttonId", button->CharacterId()},
                {"transform",
                 {{"redMult", 1},
                  {"greenMult", 0},
                  {"blueMult", 1},
                  {"redAdd", 0},
                  {"greenAdd", 0},
                  {"blueAdd", 0}}}});

  m.PlaceObject(button, 1)->SetTranslate(50, 40);
  s.Expect(26, {{"depth", 1}, {"characterId", button->CharacterId()}});
  m.ShowFrame();
  s.Expect(1);

  s.Pixel(100, 75, 0xC800C8, "the grey up face without its green");
  s.Pixel(160, 75, kWhite, "right of the button");
  auto look = [](uint32_t rgb, const std::string& what) {
    return json{{"pixels", {{{"x", 100}, {"y", 75}, {"rgb", Scene::Hex(rgb)}, {"what", what}}}}};
  };
  s.Steps() = {{{"mouse", "move"}, {"x", 100}, {"y", 75}, {"waitMs", 300}},
               look(0x0000FF, "the button under the mouse: over"),
               {{"mouse", "down"}, {"waitMs", 300}},
               look(0xFF0000, "the button pressed: down"),
               {{"traces", json::array()}},
               {{"mouse", "up"}, {"waitMs", 300}},
               {{"traces", {"clicked"}}},
               look(0x0000FF, "the button released: over again")};
  s.Entry()["traces"] = {"clicked"};
  return s.Done(8, 1);
}

}  // namespace

std::vector<Case> ButtonCases() {
  std::vector<Case> cases;
  cases.push_back(Button2());
  cases.push_back(Button1());
  return cases;
}

}  // namespace orvanta::conformance
