// The stored record of one note (id, geometry, flags, colours, font), how it is read from a
// note element of the notes file and how it is written back as one line.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "graphics/UColorTypes.h"

class TbrRegVal;
class TRandom;
class Screens;
class TXMLNode;
struct TMonitor;

// What a new record takes from the settings store, read once for many records.
struct TNoteDefaults {
  bool RandomColor = true;
  int32_t FontSize = 8;
  TColor FontColor = clBlack;
  std::string FontName;
  static TNoteDefaults FromSettings(const TbrRegVal& settings);
};

class TNoteConfig {
 public:
  // Fills the defaults in this order: Left and Top (one random draw each, a place where the
  // default size fits on the primary screen), the fixed values, the colour (one more draw only
  // when bRandomColor is set), then the default font from the settings store, which must be
  // loaded already.
  TNoteConfig(const TbrRegVal& settings, const Screens& screens, TRandom& random);
  TNoteConfig(const TNoteDefaults& defaults, const Screens& screens, TRandom& random);

  int32_t Id = 0;
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Width = 128;  // full size, also while the note is minimized
  int32_t Height = 128;
  bool Minimized = false;
  bool SystemNote = false;
  bool Chat = false;
  bool ReadOnly = false;
  bool OnTop = false;
  TColor Color = clDefaultNoteColor;
  int32_t FontSize = 0;
  TColor FontColor = clBlack;
  std::string FontName;

  // Sets the fields named by the element's attributes; the later of repeated names wins and
  // unknown names are ignored. Raises EQuibError for a value that is not a valid integer or
  // boolean.
  void LoadFromNode(const TXMLNode& element);
};

// The largest side a stored note may have, whatever the desktop.
inline constexpr int32_t kMaxNoteSide = 16384;

// Keeps a loaded record within what a desktop can show: its size between the smallest the grip
// makes (64 x 36) and twice the virtual desktop (the union of the monitors), never more than
// kMaxNoteSide a side; its place within kMaxNoteSide of the desktop's origin. A damaged or
// hand-edited file otherwise makes a window of gigabytes, or one past X11's 16-bit coordinates.
void BoundNoteRecord(TNoteConfig& record, const std::vector<TMonitor>& monitors);

// A record with defaults and the given id.
std::unique_ptr<TNoteConfig> CreateNoteConfig(int32_t id, const TbrRegVal& settings, const Screens& screens,
                                              TRandom& random);

// Appends the record's note element, on one line after the indent.
void WriteNoteElement(const TNoteConfig& record, std::vector<std::string>& lines, const std::string& indent);
