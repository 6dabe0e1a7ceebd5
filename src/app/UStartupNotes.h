// The note steps of start-up: one scan of the notes folder that raises the id counter over
// every live and deleted note file before anything can fail, the windows of the stored notes,
// and the welcome note of a first run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TConfigurationManager;
class TNoteFactory;
class TNoteStore;

struct TStoredNotes {
  std::vector<std::string> LiveNames;  // as listed, for notes whose file was named by hand
  std::vector<int32_t> Ids;            // the live notes to open, in listing order
};

// Lists the notes folder once and raises the id counter over every live and deleted note.
TStoredNotes ScanNotesFolder(TNoteStore& store);
// Opens a window for each stored note. A note whose text file cannot be read is skipped and
// its file left as it is; the result holds one message for each.
std::vector<std::string> OpenStoredNotes(const TStoredNotes& stored, const TNoteStore& store,
                                         TNoteFactory& factory, TConfigurationManager& collection);
// The welcome note's lines, joined by CR LF, with no break after the last.
std::string WelcomeText(const std::string& makerNotice);
