// Where a note goes while it is dragged by its title strip or sized by its grip: the grid, the
// note and screen-edge snapping, and the smallest size, as plain arithmetic on integers.
#pragma once

#include <functional>

// The snapping options of the control panel as a drag reads them.
struct TDragSnapping {
  bool Grid = false;   // "Snap to Screen Grid": replaces the other two while on
  bool Edges = false;  // "Snap To Screen Edges"
  bool Notes = false;  // "Snap To Other Notes"
  double GridX = 8;
  double GridY = 8;
};

// One pointer motion of a drag: the window's rectangle now, the pointer within the pressed
// control and where it was pressed.
struct TDragInput {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  int X = 0;
  int Y = 0;
  int DownX = 0;
  int DownY = 0;
};

struct TDragPoint {
  int X = 0;
  int Y = 0;
  bool operator==(const TDragPoint&) const = default;
};
struct TDragSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TDragSize&) const = default;
};

// A snapper adjusting the position of a moving w x h rectangle, or the size of one whose
// top-left corner stays. An empty function counts as no snapping.
using TMoveSnap = std::function<void(int& x, int& y, int w, int h)>;
using TSizeSnap = std::function<void(int left, int top, int& w, int& h)>;

inline constexpr int MinNoteWidth = 64;
inline constexpr int MinNoteHeight = 36;

// A grid step that truncates to 0 cannot divide (nor can one that is not a number or lies beyond
// the integer range): that axis then moves and sizes freely, as if the grid were off for it.
bool GridAxisUsable(double grid);
// round(raw / grid) * trunc(grid), halves to even; raw itself when the grid is not usable.
int GridMove(int raw, double grid);
// trunc(raw / grid) * trunc(grid) + 1; raw itself when the grid is not usable.
int GridSize(int raw, double grid);

// The new top-left corner of a note dragged by its strip. In grid mode only the grid applies;
// otherwise the raw position goes through the note snapping, then the screen edges, which
// therefore win.
TDragPoint NoteMoveTarget(const TDragSnapping& snapping, const TDragInput& in, const TMoveSnap& toNotes,
                          const TMoveSnap& toEdges);
// The new size of a note sized by its grip: as the move (the grid truncates and adds a pixel),
// and never below MinNoteWidth x MinNoteHeight, whatever the snapping did.
TDragSize NoteSizeTarget(const TDragSnapping& snapping, const TDragInput& in, const TSizeSnap& toNotes,
                         const TSizeSnap& toEdges);
