// Note ids: the one process-wide counter of the highest id in use, handing out new ids, the
// start-up scan that raises the counter over the notes folder, and random note positions.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class Screens;
class TRandom;

// The highest note id in use in this run; 0 at start.
int32_t LastNoteId();
// Back to 0, for tests that start a fresh run.
void ResetLastNoteId();
// Raises the counter to id when id is larger; never lowers it.
void RaiseLastNoteId(int32_t id);
// Counter + 1, which becomes the counter. Throws EQuibError when the id range is used up rather
// than wrapping round to an id that may already be taken.
int32_t NextNoteId();
// NextNoteId, skipping every id for which taken is true (a live or deleted text file of that id
// that appeared after the start-up scan), so a new note never takes over another's file. Throws
// as NextNoteId does when the range runs out.
int32_t NextFreeNoteId(const std::function<bool(int32_t)>& taken);

// The start-up scan over the names of the live and the deleted note text files: returns the ids
// of the live notes to open, in listing order, and raises the counter over every id of both
// lists. Names that encode no id, or an id below 1 (quibnote-5.txt), open nothing; an id is
// returned once even when two names encode it (quibnote3.txt and quibnote0003.txt), since two
// windows on one note would overwrite each other's text.
std::vector<int32_t> ScanStoredNoteIds(const std::vector<std::string>& liveNames,
                                       const std::vector<std::string>& deletedNames);

// Uniform integers from 0 to (primary width - size - 1) and (primary height - size - 1); 0 when
// the note does not fit on the primary screen.
int RandomLeft(TRandom& random, const Screens& screens, int size);
int RandomTop(TRandom& random, const Screens& screens, int size);
