// The geometry of the arrange commands: packing all notes, as minimized squares, into a
// cluster, a row or a column centred where they stood; and bringing back notes that lie off
// every monitor.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

class Screens;

enum class TArrangeKind { Cluster, Horizontally, Vertically };

struct TArrangeBox {
  int Left = 0;
  int Top = 0;
};

struct TNotesBounds {
  int64_t MinLeft = 2147483647, MinTop = 2147483647;
  int64_t MaxRight = -2147483647, MaxBottom = -2147483647;
};

struct TGridShape {
  int Columns = 0;
  int Rows = 0;
};

// Columns and rows for n notes.
TGridShape ArrangeShape(TArrangeKind kind, int n);
// Over the squares' top-left corners; a square reaches 16 pixels right and down.
TNotesBounds GetNotesBounds(const std::vector<TArrangeBox>& notes);
// New top-left corners in list order, on a 16-pixel pitch. With gridOn the block's origin is
// rounded to the grid; a grid value that truncates to 0 leaves that axis as it is.
std::vector<TArrangeBox> ArrangeNotes(const std::vector<TArrangeBox>& notes, TArrangeKind kind, bool gridOn,
                                      double gridX, double gridY);

// A note is lost unless all four corners of its window lie in some monitor's work area; a lost
// note gets a random place on the primary screen for its full size (y drawn first).
std::optional<TArrangeBox> LostNoteTarget(const Screens& screens, int left, int top, int width, int height,
                                          int fullWidth, int fullHeight);
