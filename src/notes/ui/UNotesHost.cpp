#include "notes/ui/UNotesHost.h"

#include "base/UAppTitle.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "store/UNoteStore.h"
#include "store/USettingsKeys.h"
#include "store/brRegVal.h"

std::string TNotesHost::LastImportDir() const {
  return parts_.Settings.GetString(setting::sLastImportDir);
}
void TNotesHost::SetLastImportDir(const std::string& folder) {
  parts_.Settings.SetString(setting::sLastImportDir, folder);
}
std::string TNotesHost::LastExportDir() const {
  return parts_.Settings.GetString(setting::sLastExportDir);
}
void TNotesHost::SetLastExportDir(const std::string& folder) {
  parts_.Settings.SetString(setting::sLastExportDir, folder);
}

std::string TNotesHost::ApplicationTitle() const {
  return parts_.Title.Text();
}

std::optional<TTextFile> TNotesHost::ReadNoteText(int32_t id) {
  return parts_.Store.ReadNoteText(id);
}

TTextEncoding TNotesHost::WriteNoteText(int32_t id, const std::vector<std::string>& lines,
                                        TTextEncoding encoding) {
  return parts_.Store.WriteNoteText(id, lines, encoding);
}

bool TNotesHost::DeleteNoteText(int32_t id) {
  return parts_.Store.DeleteNoteText(id);
}

void TNotesHost::MoveMinimizedGroup(int dx, int dy, int32_t id) {
  parts_.Notes.MoveMinimizedGroup(dx, dy, id);
}

void TNotesHost::NoteDeleted(TfrmNote& note) {
  // The record stays in the collection, so that an undeleted note comes back as it was.
  parts_.Notes.UpdateNoteConfig(note);
  parts_.Notes.RemoveNoteFromList(note.Id());
}
