#include "app/UStartupNotes.h"

#include "notes/ui/UNoteFactory.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"

TStoredNotes ScanNotesFolder(TNoteStore& store) {
  TStoredNotes stored;
  stored.LiveNames = store.ListNoteTextFiles(false);
  stored.Ids = store.ScanStoredNoteIds(stored.LiveNames, store.ListNoteTextFiles(true));
  return stored;
}

namespace {
// A file named by hand (QuibNote0003.TXT, quibnote3.txt) becomes the note's own text file, so
// that its text is what the note shows and saves.
void AdoptHandNamedFile(const TStoredNotes& stored, const TNoteStore& store, int32_t id) {
  const std::string own = store.NoteTextPath(id);
  if (FileExists(own)) return;
  for (const std::string& name : stored.LiveNames) {
    if (NoteIdFromFileName(name) != id) continue;
    const std::string path = store.NotesFolder() + PathDelim + name;
    if (path != own && RenameFile(path, own)) return;
  }
}
}  // namespace

std::vector<std::string> OpenStoredNotes(const TStoredNotes& stored, const TNoteStore& store,
                                         TNoteFactory& factory, TConfigurationManager& collection) {
  std::vector<std::string> problems;
  for (const int32_t id : stored.Ids) {
    AdoptHandNamedFile(stored, store, id);
    if (!FileExists(store.NoteTextPath(id))) continue;
    try {
      factory.OpenStoredNote(id, collection);
    } catch (const std::exception& e) {
      problems.emplace_back(e.what());
    }
  }
  return problems;
}

std::string WelcomeText(const std::string& makerNotice) {
  const std::vector<std::string> lines = {
      "Welcome to Quib v2.00c",
      "",
      "[F2] opens Control Panel to configure Quib",
      "[F4] creates a new note on your desktop",
      "Right-Click on the title bar to display a menu of available options.",
      "Double-Click on the title bar to minimize/restore a note",
      "",
      "We hope you will find Quib one of the most useful applications ever made!",
      "Enjoy!",
      "",
      makerNotice,
  };
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}
