#include "window/hover_looks.h"

#include <algorithm>
#include <iterator>
#include <string>

#include "forms/player_context.h"
#include "window/chrome.h"

namespace qm {

namespace {

constexpr Colour kTextNormal = 0xFFFFFF;
constexpr Colour kTextHover = 0xFF9933;

enum class Look {
  TitleHover,
  TransportHover,
  TextHover,
  TextAndTitleReset,
  TitleReset,
  TransportReset,
  None,
  FrameRestoreNormal,
  FrameRestoreHover
};
enum class Rule { Never, WhenMaximised, Always };

struct Row {
  const char* piece;
  bool arrowPointer;  // the window's pointer shape goes back to the arrow
  Look look;
  bool showAtOnce;  // the pointer shows on any movement
  Rule rule;
  bool armsHideTimer;
};

// clang-format off
const Row kRows[] = {
    // piece       arrow  look                    show   rule                 arms
    {"Image16",    true,  Look::TitleHover,       true,  Rule::Never,         false},
    {"Image17",    true,  Look::TitleHover,       true,  Rule::Never,         false},
    {"Image18",    true,  Look::TitleHover,       true,  Rule::Never,         false},
    {"Image19",    true,  Look::TitleHover,       true,  Rule::Never,         false},
    {"Image21",    true,  Look::TitleHover,       true,  Rule::Never,         false},
    {"Image3",     false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Image4",     false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Image6",     false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Image8",     false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Image9",     false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Image20",    false, Look::TransportHover,   true,  Rule::Never,         false},
    {"Label3",     false, Look::TextHover,        true,  Rule::WhenMaximised, true},
    {"Label6",     false, Look::TextHover,        true,  Rule::WhenMaximised, true},
    {"Label7",     false, Look::TextHover,        true,  Rule::WhenMaximised, true},
    {"Label8",     false, Look::TextHover,        true,  Rule::WhenMaximised, true},
    {"Label9",     false, Look::TextHover,        true,  Rule::WhenMaximised, true},
    {"Image33",    true,  Look::TextAndTitleReset, false, Rule::WhenMaximised, false},
    {"Image38",    true,  Look::TextAndTitleReset, false, Rule::WhenMaximised, false},
    {"Image39",    true,  Look::TextAndTitleReset, false, Rule::WhenMaximised, false},
    {"Image36",    true,  Look::TitleReset,       false, Rule::WhenMaximised, false},
    {"Image34",    true,  Look::TransportReset,   false, Rule::WhenMaximised, false},
    {"Image35",    true,  Look::None,             false, Rule::WhenMaximised, false},
    {"Image40",    true,  Look::None,             false, Rule::WhenMaximised, false},
    {"Image41",    true,  Look::None,             false, Rule::Always,        false},
    {"Image32",    false, Look::None,             false, Rule::Always,        true},
    {"Frame3",     false, Look::FrameRestoreNormal, false, Rule::WhenMaximised, true},
    {"Frame4",     false, Look::FrameRestoreNormal, false, Rule::WhenMaximised, true},
    {"Image11",    false, Look::FrameRestoreHover, false, Rule::Never,         false},
    {"WindowsMediaPlayer1", false, Look::None,    false, Rule::WhenMaximised, true},
};

// Each button's normal and hover picture store.
const struct { const char* button; const char* normal; const char* hover; } kPictures[] = {
    {"Image21", "Image30", "Image31"}, {"Image17", "Image22", "Image23"}, {"Image18", "Image24", "Image25"},
    {"Image16", "Image26", "Image27"}, {"Image19", "Image28", "Image29"}, {"Image3",  "Image52", "Image53"},
    {"Image4",  "Image54", "Image55"}, {"Image6",  "Image56", "Image57"}, {"Image8",  "Image58", "Image59"},
    {"Image20", "Image60", "Image61"}, {"Image9",  "Image62", "Image63"}, {"Image11", "Image13", "Image12"},
};
// clang-format on

const char* const kTitleButtons[] = {"Image21", "Image17", "Image18", "Image16", "Image19"};
const char* const kTransportButtons[] = {"Image3", "Image4", "Image6", "Image8", "Image20", "Image9"};
const char* const kTextButtons[] = {"Label3", "Label6", "Label7", "Label8", "Label9"};

void setPicture(Form1& f, const std::string& button, bool hover) {
  for (const auto& pictures : kPictures)
    if (button == pictures.button)
      f.control<Image>(button).setPicture(f.control<Image>(hover ? pictures.hover : pictures.normal).picture());
}

void titleReset(Form1& f) {
  for (const char* b : kTitleButtons) setPicture(f, b, false);
}
void transportReset(Form1& f) {
  for (const char* b : kTransportButtons) setPicture(f, b, false);
}
void textLook(Form1& f, const std::string& hovered) {
  for (const char* l : kTextButtons) f.control<Label>(l).setForeColor(l == hovered ? kTextHover : kTextNormal);
}

const Row* rowOf(const Control& piece) {
  for (const Row& r : kRows)
    if (piece.name() == r.piece) return &r;
  return nullptr;
}

}  // namespace

void hoverMove(PlayerContext& p, Control& piece, double x, double y) {
  const Row* row = rowOf(piece);
  if (!row) return;
  Form1& f = p.form;
  if (row->arrowPointer) f.setMousePointer(0);
  if (row->showAtOnce) showPointer(p.windows);
  switch (row->look) {
    case Look::TitleHover:
      titleReset(f);
      setPicture(f, piece.name(), true);
      break;
    case Look::TransportHover:
      setPicture(f, piece.name(), true);
      break;
    case Look::TextHover:
      textLook(f, piece.name());
      break;
    case Look::TextAndTitleReset:
      textLook(f, "");
      titleReset(f);
      break;
    case Look::TitleReset:
      titleReset(f);
      break;
    case Look::TransportReset:
      transportReset(f);
      break;
    case Look::FrameRestoreHover:
      setPicture(f, "Image11", true);
      break;
    case Look::FrameRestoreNormal:
    case Look::None:
      break;
  }
  const bool runs = row->rule == Rule::Always || (row->rule == Rule::WhenMaximised && isMaximised(f));
  // The first movement over the full-screen panels or the video only records
  // the reference point.
  if (runs && pointerRule(p, x, y, row->armsHideTimer) &&
      (row->look == Look::FrameRestoreNormal || piece.kind() == ControlKind::MediaPlayer))
    return;
  if (row->look == Look::FrameRestoreNormal) setPicture(f, "Image11", false);
}

void connectHoverLooks(PlayerContext& p) {
  Form1& f = p.form;
  // The bars' pieces come through the chrome, which first sees whether the
  // pointer is in a sizing strip.
  static const std::string kBarPieces[] = {"Image33", "Image34", "Image35", "Image36",
                                           "Image38", "Image39", "Image40", "Image41"};
  for (const Row& r : kRows) {
    if (std::find(std::begin(kBarPieces), std::end(kBarPieces), r.piece) != std::end(kBarPieces)) continue;
    Control& piece = f.control(r.piece);
    piece.MouseMove.connect([&p, &piece](int, int, double x, double y) { hoverMove(p, piece, x, y); });
  }
}

}  // namespace qm
