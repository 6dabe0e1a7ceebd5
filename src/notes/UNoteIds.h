// Note ids: one counter for the whole program, raised at start-up over every note file in the
// notes folder, so that a new note never takes the id of a note whose file is still there.
#pragma once

#include <cstdint>

class Screens;

int32_t LastNoteId();
void ResetLastNoteId();  // back to 0, as at start
// Raises the counter to id when id is larger.
void RaiseLastNoteId(int32_t id);
// Increments the counter and returns it.
int32_t NextNoteId();

// Uniform in 0 .. primary screen width (height) - size - 1; 0 when the screen is smaller.
int32_t RandomLeft(const Screens& screens, int size);
int32_t RandomTop(const Screens& screens, int size);
