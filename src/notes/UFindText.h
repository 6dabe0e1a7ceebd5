// The rules of finding text across all notes: how the search text and a note's text compare,
// and the message when no note holds it.
#pragma once

#include <string>

// A to Z made a to z; every other byte stays, so text in any code page keeps its other letters.
std::string AsciiLowerCase(const std::string& text);
// What a search looks for: the text as typed when case matters, else lower-cased as above.
std::string SearchTextFor(const std::string& text, bool matchCase);
// Whether a note's text holds search (made by SearchTextFor with the same matchCase). An empty
// search text matches no note.
bool NoteTextMatches(const std::string& noteText, const std::string& search, bool matchCase);
// Search all notes and did not find "<search>"
std::string NotFoundMessage(const std::string& search);
