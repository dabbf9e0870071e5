// The main window's control table: one row per control, in tab order, as laid out at design size.
#pragma once
#include <windows.h>

#include <span>

#include "ui/display_scale.h"

namespace quarvel {

// Which edges of the client area a control keeps its distance to when the window is resized.
enum class Anchor { TopLeft, AllSides, Bottom };

struct ControlSpec {
  const char* name;
  int id;
  const char* className;
  const char* caption;
  DWORD style;
  RECT designRect;  // left, top, right, bottom at the design client size
  Anchor anchor;
};

// The main window's style: a normal resizable window with minimise and maximise buttons and a menu bar.
constexpr DWORD kFormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_CONTROLPARENT;

// Design-size pixels, as every number in the table: the window scales them all by its DisplayScale.
constexpr int kDesignClientWidth = 627;
constexpr int kDesignClientHeight = 329;
// The status bar is this high, or as high as its font needs with this room above and below the text: the
// system's status font grows with the person's text size.
constexpr int kStatusBarHeight = 19;
constexpr int kStatusBarTextRoom = 6;

std::span<const ControlSpec> MainControls();

// Where a control goes in a client area of the given size (in the system's pixels): the design rectangle
// and the anchored edges' distances to the client area's edges, scaled; a status bar taller than its
// scaled design height takes that room from the list above it.
RECT PlaceControl(const ControlSpec& control, int clientWidth, int clientHeight, const DisplayScale& scale,
                  int statusBarHeight);

}  // namespace quarvel
