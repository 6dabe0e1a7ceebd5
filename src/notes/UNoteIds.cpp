#include "notes/UNoteIds.h"

#include "graphics/brRandom.h"
#include "platform/Screens.h"

namespace {
int32_t lastNoteId = 0;
}

int32_t LastNoteId() { return lastNoteId; }
void ResetLastNoteId() { lastNoteId = 0; }
void RaiseLastNoteId(int32_t id) {
  if (id > lastNoteId) lastNoteId = id;
}
int32_t NextNoteId() { return ++lastNoteId; }

int32_t RandomLeft(const Screens& screens, int size) { return RandomInt(screens.PrimaryWidth() - size); }
int32_t RandomTop(const Screens& screens, int size) { return RandomInt(screens.PrimaryHeight() - size); }
