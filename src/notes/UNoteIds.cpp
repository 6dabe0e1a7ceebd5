#include "notes/UNoteIds.h"

#include "base/brRandom.h"
#include "platform/Screens.h"

int RandomLeft(TRandom& random, const Screens& screens, int size) {
  return random.Place(screens.PrimaryWidth(), size);
}

int RandomTop(TRandom& random, const Screens& screens, int size) {
  return random.Place(screens.PrimaryHeight(), size);
}
