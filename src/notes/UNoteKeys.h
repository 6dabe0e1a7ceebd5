// The function keys a note window answers while it has the keyboard focus.
#pragma once

enum class TNoteKeyCommand {
  None,
  ControlPanel,
  Delete,
  NewNote,
  BackgroundColor,
  NewRandomColor,
  Font,
  FontColor,
  NewRandomFontColor,
};

// functionKey: 1 for F1 ... 12 for F12, anything else is no function key. Keys whose command
// depends on Ctrl take Ctrl with any other modifiers; their other command wants no modifier at
// all, so F4 and F11 with only Shift or Alt do nothing.
TNoteKeyCommand NoteKeyCommand(int functionKey, bool shift, bool ctrl, bool alt);
