#include "notes/UNoteTitle.h"

#include "base/brStringUtil.h"

std::string NoteTitle(const std::string& titleTemplate, int32_t id, bool systemNote, bool readOnly) {
  std::string title = ReplaceAll(titleTemplate, "$id$", std::to_string(id));
  if (systemNote) title = "System " + title;
  if (readOnly) title += " *";
  return title;
}
