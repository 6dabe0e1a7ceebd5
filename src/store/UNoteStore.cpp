#include "store/UNoteStore.h"

#include <limits>
#include <unordered_set>
#include <utility>

#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UQuibError.h"

TNoteStore::TNoteStore(std::string dataFolder, std::string iconFolder)
    : dataFolder_(std::move(dataFolder)), iconFolder_(std::move(iconFolder)) {
  if (dataFolder_.empty() || dataFolder_.back() != PathDelim) dataFolder_.push_back(PathDelim);
}

std::string TNoteStore::NotesFolder() const {
  return dataFolder_ + "quibnotes";
}

std::string TNoteStore::NotesFilePath() const {
  return dataFolder_ + "quibnotes.xml";
}

std::string TNoteStore::TrayIconFolder() const {
  return iconFolder_.empty() ? dataFolder_ + "tray_icons" : iconFolder_;
}

std::string TNoteStore::NoteTextPath(int32_t id) const {
  return NotesFolder() + PathDelim + NoteTextFileName(id, false);
}

std::string TNoteStore::DeletedNoteTextPath(int32_t id) const {
  return NotesFolder() + PathDelim + NoteTextFileName(id, true);
}

bool TNoteStore::HasNoteText(int32_t id) const {
  return FileExists(NoteTextPath(id)) || FileExists(DeletedNoteTextPath(id));
}

std::vector<std::string> TNoteStore::ListNoteTextFiles(bool deleted) const {
  return ::ListNoteTextFiles(NotesFolder(), deleted);
}

// ---- note ids -----------------------------------------------------------------------------

void TNoteStore::RaiseLastNoteId(int32_t id) {
  if (id > lastNoteId_) lastNoteId_ = id;
}

int32_t TNoteStore::NextNoteId() {
  if (lastNoteId_ == std::numeric_limits<int32_t>::max())
    throw EQuibError("No note id is left: remove the note file with the highest number");
  return ++lastNoteId_;
}

int32_t TNoteStore::NextFreeNoteId(const std::function<bool(int32_t)>& taken) {
  for (;;) {
    const int32_t id = NextNoteId();
    if (!taken(id)) return id;
  }
}

int32_t TNoteStore::NextFreeNoteId() {
  return NextFreeNoteId([this](int32_t candidate) { return HasNoteText(candidate); });
}

std::vector<int32_t> TNoteStore::ScanStoredNoteIds(const std::vector<std::string>& liveNames,
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

// ---- note texts ---------------------------------------------------------------------------

std::optional<TTextFile> TNoteStore::ReadNoteText(int32_t id) {
  const std::string path = NoteTextPath(id);
  if (!FileExists(path)) return std::nullopt;
  const std::string bytes = ReadFileBytes(path);
  Remember(path, bytes);
  TDecodedText decoded = DecodeText(bytes);
  return TTextFile{SplitTextLines(decoded.Text), decoded.Encoding};
}

TTextEncoding TNoteStore::WriteNoteText(int32_t id, const std::vector<std::string>& lines,
                                        TTextEncoding encoding) {
  const std::string path = NoteTextPath(id);
  const std::string bytes = EncodeText(JoinLinesCRLF(lines), encoding);
  // Someone else's version arrived since this program last read or wrote the file, and the
  // window has not taken it in yet (a save between a sync tool's write and the news of it): it
  // is kept as a note of its own before this one goes over it, and opens at the next start.
  if (CheckOwnVersion(path) == TFileState::Changed) {
    const std::string theirs = ReadFileBytes(path);
    const std::string copy = NoteTextPath(NextFreeNoteId());
    WriteFileAtomic(copy, theirs);
    Remember(copy, theirs);
  }
  WriteFileAtomic(path, bytes);
  Remember(path, bytes);
  return encoding;
}

bool TNoteStore::DeleteNoteText(int32_t id) {
  const std::string live = NoteTextPath(id);
  if (!FileExists(live)) return false;
  const std::string deleted = DeletedNoteTextPath(id);
  if (!RenameFile(live, deleted)) return false;
  // A rename keeps the bytes and the time: what was known of the live name now lies under the
  // deleted one.
  if (const auto stamp = LastKnown(live)) known_[deleted] = *stamp;
  Forget(live);
  return true;
}

// ---- what was last read or written --------------------------------------------------------

void TNoteStore::Remember(const std::string& path, const std::string& bytes) {
  known_[path] = StampOf(bytes);
}

void TNoteStore::Forget(const std::string& path) {
  known_.erase(path);
}

std::optional<TFileStamp> TNoteStore::LastKnown(const std::string& path) const {
  const auto it = known_.find(path);
  if (it == known_.end()) return std::nullopt;
  return it->second;
}

std::optional<TFileState> TNoteStore::CheckOwnVersion(const std::string& path) const {
  const auto stamp = LastKnown(path);
  if (!stamp) return std::nullopt;
  return CompareWithDisk(path, *stamp);
}
