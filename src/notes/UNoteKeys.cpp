#include "notes/UNoteKeys.h"

TNoteKeyCommand NoteKeyCommand(int functionKey, bool shift, bool ctrl, bool alt) {
  const bool none = !shift && !ctrl && !alt;
  switch (functionKey) {
    case 2:
      return TNoteKeyCommand::ControlPanel;
    case 4:
      if (ctrl) return TNoteKeyCommand::Delete;
      return none ? TNoteKeyCommand::NewNote : TNoteKeyCommand::None;
    case 9:
      return TNoteKeyCommand::BackgroundColor;
    case 10:
      return TNoteKeyCommand::NewRandomColor;
    case 11:
      if (ctrl) return TNoteKeyCommand::Font;
      return none ? TNoteKeyCommand::FontColor : TNoteKeyCommand::None;
    case 12:
      return TNoteKeyCommand::NewRandomFontColor;
    default:
      return TNoteKeyCommand::None;
  }
}
