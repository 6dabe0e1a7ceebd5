// The per-note text files: their names (live and deleted), the listing of the notes folder and
// the reading of a note id back out of a file name. Where the folder lies is the notes store's.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// n in decimal, right-aligned in a field of at least width characters, the blanks of the field
// then made zeros: PadNumber(7, 4) = "0007", PadNumber(12345, 4) = "12345".
std::string PadNumber(int32_t n, int width);
// "quibnote" + PadNumber(id, 4) + ".txt", or ".~txt" when deleted: the name a deleted note's
// text is kept under.
std::string NoteTextFileName(int32_t id, bool deleted);
// The names (not paths) of the entries of notesFolder that match quibnote*.txt, or
// quibnote*.~txt when deleted is true. The prefix and the extension are matched without regard
// to letter case, so a hand-written "QuibNote0003.TXT" is found; entries of every kind count,
// in name order. A missing folder gives an empty list. Conflict copies made by folder-sync tools
// (IsConflictCopy) are left out.
std::vector<std::string> ListNoteTextFiles(const std::string& notesFolder, bool deleted);
// True when a bare file name matches the listing's pattern for live or deleted notes.
bool MatchesNoteFilePattern(const std::string& name, bool deleted);
// The note id a file name or path encodes, or -1. Both '/' and '\' end a folder part.
int32_t NoteIdFromFileName(const std::string& name);
