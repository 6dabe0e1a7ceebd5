// The title of a note and the function keys of a note window.
#include <gtest/gtest.h>

#include "notes/UNoteKeys.h"
#include "notes/UNoteTitle.h"

namespace {

TEST(NoteTitle, Cases) {
  struct Case {
    const char* tmpl;
    int id;
    bool system, readOnly;
    const char* want;
  };
  const Case cases[] = {
      {"Quib [$id$]", 7, false, false, "Quib [7]"},
      {"Quib [$id$]", 7, true, true, "System Quib [7] *"},
      {"Quib [$id$]", 7, true, false, "System Quib [7]"},
      {"Quib [$id$]", 7, false, true, "Quib [7] *"},
      {"Quib [$id$]", 12345, false, false, "Quib [12345]"},
      {"$id$-$id$", 3, false, false, "3-3"},
      {"$ID$ $id", 3, false, false, "$ID$ $id"},
      {"", 3, false, true, " *"},
      {"No number", 3, false, false, "No number"},
  };
  for (const auto& c : cases) EXPECT_EQ(NoteTitle(c.tmpl, c.id, c.system, c.readOnly), c.want) << c.tmpl;
}

TEST(NoteKeys, Table) {
  using K = TNoteKeyCommand;
  struct Case {
    int key;
    bool shift, ctrl, alt;
    K want;
  };
  const Case cases[] = {
      {2, false, false, false, K::ControlPanel},
      {2, true, true, true, K::ControlPanel},
      {4, false, false, false, K::NewNote},
      {4, false, true, false, K::Delete},
      {4, true, true, true, K::Delete},
      {4, true, false, false, K::None},
      {4, false, false, true, K::None},
      {9, true, false, false, K::BackgroundColor},
      {10, false, true, false, K::NewRandomColor},
      {11, false, false, false, K::FontColor},
      {11, false, true, true, K::Font},
      {11, true, false, false, K::None},
      {11, false, false, true, K::None},
      {12, false, false, true, K::NewRandomFontColor},
      {1, false, false, false, K::None},
      {3, false, false, false, K::None},
      {5, false, false, false, K::None},
      {8, false, false, false, K::None},
      {0, false, false, false, K::None},
      {13, false, false, false, K::None},
  };
  for (const auto& c : cases)
    EXPECT_EQ(NoteKeyCommand(c.key, c.shift, c.ctrl, c.alt), c.want)
        << "F" << c.key << " " << c.shift << c.ctrl << c.alt;
}

}  // namespace
