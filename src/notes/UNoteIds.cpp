#include "notes/UNoteIds.h"

#include <limits>
#include <unordered_set>

#include "base/brRandom.h"
#include "platform/Screens.h"
#include "store/UNoteFiles.h"
#include "store/UQuibError.h"

namespace {
int32_t lastNoteId = 0;
}  // namespace

int32_t LastNoteId() {
  return lastNoteId;
}

void ResetLastNoteId() {
  lastNoteId = 0;
}

void RaiseLastNoteId(int32_t id) {
  if (id > lastNoteId) lastNoteId = id;
}

int32_t NextNoteId() {
  if (lastNoteId == std::numeric_limits<int32_t>::max())
    throw EQuibError("No note id is left: remove the note file with the highest number");
  return ++lastNoteId;
}

int32_t NextFreeNoteId(const std::function<bool(int32_t)>& taken) {
  for (;;) {
    const int32_t id = NextNoteId();
    if (!taken(id)) return id;
  }
}

std::vector<int32_t> ScanStoredNoteIds(const std::vector<std::string>& liveNames,
                                       const std::vector<std::string>& deletedNames) {
  std::vector<int32_t> toOpen;
  std::unordered_set<int32_t> seen;
  for (const std::string& name : liveNames) {
    const int32_t id = NoteIdFromFileName(name);
    if (id < 1) continue;
    RaiseLastNoteId(id);
    if (seen.insert(id).second) toOpen.push_back(id);
  }
  for (const std::string& name : deletedNames) {
    const int32_t id = NoteIdFromFileName(name);
    if (id != -1) RaiseLastNoteId(id);
  }
  return toOpen;
}

int RandomLeft(TRandom& random, const Screens& screens, int size) {
  return random.Place(screens.PrimaryWidth(), size);
}

int RandomTop(TRandom& random, const Screens& screens, int size) {
  return random.Place(screens.PrimaryHeight(), size);
}
