// The geometry of the arrange commands on plain note boxes: packing minimized notes into a
// cluster, a row or a column of squares centred on their old bounding box, and finding a new
// place for notes that lie off every monitor.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "notes/UTBoxController.h"

class Screens;
class TRandom;

enum class TArrangeKind { Cluster, Horizontally, Vertically };

// Columns and rows of the block of squares for n notes.
struct TGridShape {
  int Columns = 0;
  int Rows = 0;
  bool operator==(const TGridShape&) const = default;
};

// 64 bits: largest left + 16 passes the 32-bit range for a note at its far end.
struct TNotesBounds {
  int64_t MinLeft = 2147483647;
  int64_t MinTop = 2147483647;
  int64_t MaxRight = -2147483647;   // largest left + 16
  int64_t MaxBottom = -2147483647;  // largest top + 16
  bool operator==(const TNotesBounds&) const = default;
};

struct TNotePos {
  int Left = 0;
  int Top = 0;
  bool operator==(const TNotePos&) const = default;
};

// The screen grid the block's origin snaps to when "Snap to Screen Grid" is on.
struct TArrangeGrid {
  bool Snap = false;
  double Horizontal = 0;
  double Vertical = 0;
};

// Squares are 17 pixels and lie on a 16-pixel pitch, so neighbours share a border line.
inline constexpr int ArrangePitch = 16;

// n >= 1; for n <= 0 the shape is 0 x 0.
TGridShape ArrangeShape(TArrangeKind kind, int n);
TNotesBounds GetNotesBounds(const std::vector<TNoteBox>& notes);
// The top left of a block of the given shape centred on the bounds, truncating toward zero.
TNotePos ArrangeOrigin(const TNotesBounds& bounds, TGridShape shape);
// round(value / grid) * trunc(grid), ties to even; a grid that truncates to 0 leaves the value.
int SnapToGridValue(int value, double grid);
// Position i (list order) of count notes: (x0 + (i mod c) * 16, y0 + (i div c) * 16).
std::vector<TNotePos> PlaceNotesInGrid(int x0, int y0, int columns, int count);
// The new positions, in list order, of the notes after they have been minimized; empty for no
// notes. Positions are not clamped to the screen.
std::vector<TNotePos> ArrangeNotes(const std::vector<TNoteBox>& notes, TArrangeKind kind,
                                   const TArrangeGrid& grid);

// A note is lost unless each corner of its current window lies in the work area of some
// monitor. A lost note gets a random place on the primary screen for its full size (the top
// drawn first); a note that is not lost gets nothing.
std::optional<TNotePos> LostNoteTarget(TRandom& random, const Screens& screens, const TNoteBox& note,
                                       int fullWidth, int fullHeight);
