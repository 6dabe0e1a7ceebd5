#include "app/UExitSave.h"

#include <cstdlib>

#include "app/UNotesSaver.h"

namespace {
TNotesSaver* armed = nullptr;
bool registered = false;

void saveAtExit() {
  TNotesSaver* saver = armed;
  armed = nullptr;
  if (saver) saver->SaveFilesAtExit();
}
}  // namespace

TExitSave::TExitSave(TNotesSaver& saver) {
  armed = &saver;
  // Registered now, after everything the save touches was made: the handlers and destructors
  // of what was made before run after this one.
  if (!registered) registered = std::atexit(saveAtExit) == 0;
}

TExitSave::~TExitSave() {
  armed = nullptr;
}
