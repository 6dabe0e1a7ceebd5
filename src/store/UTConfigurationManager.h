// The collection of note records, kept in insertion order and keyed by id, and the notes file
// it is read from and written to.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "store/UNotesMerge.h"
#include "store/UTNoteConfig.h"

class TbrRegVal;
class TNoteStore;
class Screens;
class TRandom;

class TConfigurationManager {
 public:
  // Tag for a collection that does not read its file when made.
  struct NoLoad {};

  // Stores the path and loads the file (LoadFromFile); raises its errors. The defaults of the
  // records read draw from random, which must outlive the collection. A store given is told what
  // the file held each time it is read or written.
  TConfigurationManager(std::string fileName, const TbrRegVal& settings, const Screens& screens,
                        TRandom& random, TNoteStore* store = nullptr);
  // Stores the path only; the list stays empty until LoadFromFile.
  TConfigurationManager(NoLoad, std::string fileName, const TbrRegVal& settings, const Screens& screens,
                        TRandom& random, TNoteStore* store = nullptr);
  TConfigurationManager(const TConfigurationManager&) = delete;
  TConfigurationManager& operator=(const TConfigurationManager&) = delete;

  const std::string& FileName() const { return fileName_; }

  // Appends the record under the decimal id; the collection owns it. Duplicate ids are kept,
  // and lookups find the first.
  void AddConfig(int32_t id, std::unique_ptr<TNoteConfig> record);
  // The record of the first entry with this id, or null.
  TNoteConfig* GetConfig(int32_t id) const;
  bool HasConfig(int32_t id) const { return GetConfig(id) != nullptr; }

  int Count() const { return static_cast<int>(configs_.size()); }
  // The record at a zero-based position in insertion order.
  TNoteConfig& At(int index) const { return *configs_.at(static_cast<size_t>(index)).second; }

  // Appends the records of the notes file, each bounded to the desktop (BoundNoteRecord); a
  // missing file is created empty. When the file cannot be read or parsed, nothing is appended,
  // the file is marked unreadable and the error is raised. A file cut short (IsDamaged) gives
  // the records read before the cut and is marked unreadable too, so it is kept, not
  // overwritten.
  void LoadFromFile();
  // Writes the whole list; the old file stays whole until the new one is complete. Refuses
  // while the file on disk is marked unreadable, so it can never be overwritten by accident.
  void SaveToFile();
  // SaveToFile when the records differ from what was last saved; true when it wrote.
  bool SaveToFileIfChanged();
  // The notes file as SaveToFile writes it.
  std::string Content() const;
  // True when the records differ from what was last saved or marked saved.
  bool Changed() const { return Content() != savedContent_; }
  // The records as they stand count as what the file holds (after loading it).
  void MarkSaved();

  // What this collection last read from or wrote to its file, or took from it in a merge: the
  // base against which the next merge tells the changes made here.
  const std::vector<TNoteConfig>& Base() const { return base_; }
  // Reads the notes file at path as someone else left it (this collection's own file, or a
  // conflict copy of it) and merges its records in (MergeNoteRecords); records only there are
  // appended. Nullopt, with nothing changed, when the file cannot be read whole or holds a wrong
  // value: one caught half-written is read again at the next news. For the collection's own file
  // the store is told what it held, its records become the base and their order the
  // collection's (records only here after them), the collection counts as changed only when the
  // merge kept changes made here, and a mark of an unreadable file is cleared (that file is
  // gone). A copy leaves the base as it is: what it brought is a change, still to be written.
  std::optional<TNotesMerge> MergeFile(const std::string& path);

  // The file on disk holds notes this collection could not read: it must be moved aside
  // before the next save.
  void MarkUnreadable() { unreadable_ = true; }
  bool IsUnreadable() const { return unreadable_; }
  // The file was cut short (it ends inside a tag, a comment or CDATA, or before its root
  // element is closed) and is still to be moved aside.
  bool IsDamaged() const { return damaged_ && unreadable_; }
  // Renames the unreadable file to "<name>.bak", or "<name>.bak1", ".bak2", ... when those
  // exist (never replacing anything), clears the mark and returns the new path. Returns an
  // empty path when the file is gone already. Raises EQuibError when it cannot be renamed;
  // the mark then stays.
  std::string MoveAsideUnreadableFile();

 private:
  void AppendConfig(std::string key, std::unique_ptr<TNoteConfig> record);
  // Puts the records in the order of records, those it lacks after them: two computers that
  // made notes in another order then write one file alike, rather than each rewriting the
  // other's without end.
  void FollowOrder(const std::vector<TNoteConfig>& records);
  void Write(std::string content);
  // The records of a notes file's bytes, bounded to the desktop; false when the file was cut
  // short. Raises EQuibError for a file that is no notes file or holds a wrong value.
  bool ParseRecords(const std::string& bytes, const TNoteDefaults& defaults,
                    std::vector<std::unique_ptr<TNoteConfig>>& into) const;

  std::string fileName_;
  const TbrRegVal& settings_;
  const Screens& screens_;
  TRandom& random_;
  TNoteStore* store_;
  std::vector<std::pair<std::string, std::unique_ptr<TNoteConfig>>> configs_;
  // Position of the first entry of each key, so that lookups stay cheap for many notes.
  std::unordered_map<std::string, size_t> firstByKey_;
  bool unreadable_ = false;
  bool damaged_ = false;
  std::string savedContent_;
  std::vector<TNoteConfig> base_;
};
