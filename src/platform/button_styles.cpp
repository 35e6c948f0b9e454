#include "platform/button_styles.h"

#include "platform/errors.h"

namespace orvanta {

const std::vector<TButtonStyle>& ButtonStyles() {
  constexpr auto C = TCaptionPosition::Center, R = TCaptionPosition::Right,
                 B = TCaptionPosition::Bottom, T = TCaptionPosition::Top;
  static const std::vector<TButtonStyle> styles = {
      {"Button1_1", 150, 150, true, C},   {"Button1_2", 150, 150, true, C},
      {"Button1_3", 150, 150, true, C},   {"Button1_4", 150, 150, true, C},
      {"Button1_5", 150, 150, true, C},   {"Button2_1", 150, 150, true, C},
      {"Button2_2", 150, 150, true, C},   {"Button2_3", 150, 150, true, C},
      {"Button2_4", 150, 150, true, C},   {"Button2_5", 150, 150, true, C},
      {"Button3_1", 150, 42, true, C},    {"Button3_2", 150, 42, true, C},
      {"Button3_3", 150, 42, true, C},    {"Button3_4", 150, 42, true, C},
      {"Button3_5", 150, 42, true, C},    {"Button4_1", 150, 150, true, C},
      {"Button4_2", 150, 150, true, C},   {"Button4_3", 150, 150, true, C},
      {"Button4_4", 150, 150, true, C},   {"Button4_5", 150, 150, true, C},
      {"Button6", 110, 27, false, C},     {"Button7", 86, 54, true, C},
      {"Button8", 36, 36, true, B},       {"Button9", 92, 28, true, T},
      {"Button10", 120, 28, true, C},     {"Button11", 91, 50, true, T},
      {"Button12", 130, 40, true, C},     {"Button13", 58, 55, true, B},
      {"Button14", 101, 30, true, C},     {"Button15", 69, 69, true, B},
      {"Button16", 178, 26, true, C},     {"Button17", 150, 90, true, C},
      {"BlankBox", 136, 41, false, C},    {"Button19", 81, 21, true, T},
      {"Button5_1", 150, 150, true, C},   {"Button5_2", 150, 150, true, C},
      {"Button5_3", 150, 150, true, C},   {"Button5_4", 150, 150, true, C},
      {"Button5_5", 150, 150, true, C},   {"Button25", 60, 80, true, R},
      {"Button26", 150, 42, true, C},     {"Button6_1", 150, 150, true, C},
      {"Button6_2", 150, 150, true, C},   {"Button6_3", 150, 150, true, C},
      {"Button6_4", 150, 150, true, C},   {"Button6_5", 150, 150, true, C},
      {"Button7_1", 150, 57, true, C},    {"Button7_2", 150, 57, true, C},
      {"Button7_3", 150, 57, true, C},    {"Button7_4", 150, 57, true, C},
      {"Button7_5", 150, 57, true, C},    {"Button37", 175, 40, false, C},
      {"Button38", 74, 74, true, C},      {"Button39", 130, 42, true, C},
      {"Button40", 36, 32, true, R},      {"Button41", 9, 9, true, R},
      {"Button8_1", 150, 150, true, C},   {"Button8_2", 150, 150, true, C},
      {"Button8_3", 150, 150, true, C},   {"Button8_4", 150, 150, true, C},
      {"Button8_5", 150, 150, true, C},   {"Button9_1", 150, 150, true, C},
      {"Button9_2", 150, 150, true, C},   {"Button9_3", 150, 150, true, C},
      {"Button9_4", 150, 150, true, C},   {"Button9_5", 150, 150, true, C},
      {"Button52", 102, 40, true, C},     {"Button53", 321, 21, true, C},
      {"Button54", 172, 70, true, C},     {"Button55", 70, 27, true, C},
      {"Button10_1", 150, 150, true, C},  {"Button10_2", 150, 150, true, C},
      {"Button10_3", 150, 150, true, C},  {"Button10_4", 150, 150, true, C},
      {"Button10_5", 150, 150, true, C},  {"Button61", 116, 31, true, C},
      {"Button62", 287, 250, true, C},    {"Button63", 138, 20, true, C},
      {"Button64", 68, 40, true, C},      {"Button65", 105, 30, true, C},
      {"Button66", 160, 30, true, C},     {"Button67", 115, 117, true, C},
      {"Button68", 115, 117, true, C},    {"Button69", 115, 117, true, C},
      {"Button70", 115, 117, true, C},    {"Button71", 150, 60, false, C},
      {"Button72", 150, 60, false, C},    {"Button73", 150, 150, false, C},
      {"Button74", 150, 90, false, C},    {"Button75", 250, 120, false, C},
      {"Button76", 250, 120, false, C},   {"Button77", 250, 120, false, C},
      {"Button78", 250, 120, false, C},   {"Button79", 250, 120, false, C},
      {"Button80", 100, 100, false, R},   {"Button81", 80, 20, true, C},
      {"Button82", 80, 20, true, C},      {"Button83", 80, 20, true, C},
      {"Button84", 80, 20, true, C},      {"Button85", 80, 20, true, C},
      {"Button86", 124, 52, true, C},     {"Button87", 135, 30, true, C},
      {"Button88", 112, 40, true, C},     {"Button89", 112, 40, true, C},
      {"Button90", 112, 40, true, C},     {"Button91", 112, 40, true, C},
      {"Button92", 112, 40, true, C},     {"Button93", 171, 41, true, C},
      {"Button94", 133, 133, true, C},    {"Button95", 133, 133, true, C},
      {"Button96", 133, 133, true, C},    {"Button97", 133, 133, true, C},
      {"NewButton1", 140, 40, false, C},  {"NewButton2", 120, 36, false, C},
      {"NewButton3", 160, 44, false, C},  {"NewButton4", 100, 100, false, C},
      {"NewButton5", 130, 34, false, C},  {"NewButton6", 180, 40, false, C},
      {"NewButton7", 90, 90, false, C},   {"NewButton8", 150, 50, false, C},
      {"NewButton9", 110, 32, false, C},  {"NewButton10", 140, 140, false, C},
      {"NewButton11", 200, 46, false, C}, {"NewButton12", 26, 26, false, R},
      {"NewButton13", 30, 30, false, R},  {"NewButton14", 120, 120, false, C},
      {"NewButton15", 150, 38, false, C}, {"NewButton16", 96, 34, false, C},
      {"NewButton17", 170, 48, false, C}, {"NewButton18", 128, 128, false, C},
      {"NewButton19", 140, 30, false, C}, {"NewButton20", 110, 110, false, C},
      {"NewButton21", 190, 36, false, C}, {"NewButton22", 124, 40, false, C},
      {"NewButton23", 80, 80, false, C},  {"NewButton24", 160, 60, false, C},
      {"NewButton25", 136, 36, false, C},
  };
  return styles;
}

const TButtonStyle& ButtonStyleInfo(int style) {
  const auto& styles = ButtonStyles();
  if (style < 1 || style > static_cast<int>(styles.size()))
    throw Error("no button style " + std::to_string(style));
  return styles[static_cast<size_t>(style - 1)];
}

}  // namespace orvanta
