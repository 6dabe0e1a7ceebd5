#include "notes/UFindText.h"

std::string AsciiLowerCase(const std::string& text) {
  std::string out = text;
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::string SearchTextFor(const std::string& text, bool matchCase) {
  return matchCase ? text : AsciiLowerCase(text);
}

bool NoteTextMatches(const std::string& noteText, const std::string& search, bool matchCase) {
  if (search.empty()) return false;
  return (matchCase ? noteText : AsciiLowerCase(noteText)).find(search) != std::string::npos;
}

std::string NotFoundMessage(const std::string& search) {
  return "Search all notes and did not find \"" + search + "\"";
}
