#include "store/UTConfigurationManager.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/UXMLConstants.h"
#include "store/brRegVal.h"
#include "store/brXMLReader.h"

namespace {
const std::string noteIndent = "    ";

// The notes file holding the records, in order.
std::string ContentOf(const std::vector<const TNoteConfig*>& records) {
  std::vector<std::string> lines;
  lines.reserve(records.size() + 4);
  lines.emplace_back(xmlc::Header);
  lines.emplace_back();
  lines.emplace_back(std::string("<") + xmlc::RootElement + ">");
  for (const TNoteConfig* record : records) WriteNoteElement(*record, lines, noteIndent);
  lines.emplace_back(std::string("</") + xmlc::RootElement + ">");
  return JoinLinesCRLF(lines);
}

// Anything at all at the path, a dangling link included: a backup name must not take it.
bool pathTaken(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}
}  // namespace

TConfigurationManager::TConfigurationManager(std::string fileName, const TbrRegVal& settings,
                                             const Screens& screens, TRandom& random, TNoteStore* store)
    : TConfigurationManager(NoLoad{}, std::move(fileName), settings, screens, random, store) {
  LoadFromFile();
}

TConfigurationManager::TConfigurationManager(NoLoad, std::string fileName, const TbrRegVal& settings,
                                             const Screens& screens, TRandom& random, TNoteStore* store)
    : fileName_(std::move(fileName)),
      settings_(settings),
      screens_(screens),
      random_(random),
      store_(store) {}

void TConfigurationManager::AppendConfig(std::string key, std::unique_ptr<TNoteConfig> record) {
  if (!record) throw std::invalid_argument("TConfigurationManager: a record is required");
  firstByKey_.emplace(key, configs_.size());  // keeps the first position of a repeated key
  configs_.emplace_back(std::move(key), std::move(record));
}

void TConfigurationManager::AddConfig(int32_t id, std::unique_ptr<TNoteConfig> record) {
  AppendConfig(std::to_string(id), std::move(record));
}

TNoteConfig* TConfigurationManager::GetConfig(int32_t id) const {
  const auto it = firstByKey_.find(std::to_string(id));
  return it == firstByKey_.end() ? nullptr : configs_[it->second].second.get();
}

bool TConfigurationManager::ParseRecords(const std::string& bytes, const TNoteDefaults& defaults,
                                         std::vector<std::unique_ptr<TNoteConfig>>& into) const {
  const std::vector<std::string> lines = SplitTextLines(bytes);
  bool whole = true;
  const std::unique_ptr<TXMLNode> document = TXMLReader(lines).Parse(&whole);
  if (!document) throw EQuibError("XML DocumentElement is nil. Loading Aborted!");
  const TXMLNode* root = document->FindChild(xmlc::RootElement);
  if (!root) throw EQuibError("Root node element is not recognised. Loading aborted!");
  const std::vector<TMonitor> monitors = screens_.Monitors();
  for (int i = 0; i < root->ChildCount(); ++i) {
    const TXMLNode& child = *root->Child(i);
    if (child.Kind != TXMLNodeKind::Element || child.Name != xmlc::NoteElement) continue;
    auto record = std::make_unique<TNoteConfig>(defaults, screens_, random_);
    record->LoadFromNode(child);
    BoundNoteRecord(*record, monitors);
    into.push_back(std::move(record));
  }
  return whole;
}

void TConfigurationManager::LoadFromFile() {
  // Only a file that is not there at all is made anew; anything else under the name (a folder,
  // a file that cannot be read) is an unreadable notes file, never overwritten.
  struct stat st {};
  if (::stat(fileName_.c_str(), &st) != 0 && errno == ENOENT) {
    SaveToFile();
    return;
  }
  // Read once for all records. A settings store without these keys is the program's fault,
  // not the file's: it fails here, before a failure could mark a good file unreadable.
  const TNoteDefaults defaults = TNoteDefaults::FromSettings(settings_);
  // Read everything first: a file that fails half-way adds nothing.
  std::vector<std::unique_ptr<TNoteConfig>> loaded;
  try {
    const std::string bytes = ReadFileBytes(fileName_);
    if (store_) store_->Remember(fileName_, bytes);
    // Cut short (a crash or a full disk elsewhere, a sync tool): what was read is loaded, and the
    // file is kept as it is until it has been moved aside.
    damaged_ = !ParseRecords(bytes, defaults, loaded);
    unreadable_ = damaged_;
  } catch (const EQuibError&) {
    unreadable_ = true;
    throw;
  }
  for (auto& record : loaded) {
    base_.push_back(*record);
    const int32_t id = record->Id;
    AddConfig(id, std::move(record));
  }
}

std::optional<TNotesMerge> TConfigurationManager::MergeFile(const std::string& path) {
  const TNoteDefaults defaults = TNoteDefaults::FromSettings(settings_);
  std::string bytes;
  std::vector<std::unique_ptr<TNoteConfig>> read;
  try {
    bytes = ReadFileBytes(path);
    if (!ParseRecords(bytes, defaults, read)) return std::nullopt;
  } catch (const EQuibError&) {
    return std::nullopt;
  }
  std::vector<TNoteConfig> incoming;
  incoming.reserve(read.size());
  for (const auto& record : read) incoming.push_back(*record);
  TNotesMerge merge = MergeNoteRecords(LiveRecords(*this), base_, incoming);
  for (const TNoteConfig& record : merge.Added) AddConfig(record.Id, std::make_unique<TNoteConfig>(record));
  if (path != fileName_) return merge;
  if (store_) store_->Remember(fileName_, bytes);
  // The file holds the incoming records: unchanged is what they would write.
  std::vector<const TNoteConfig*> written;
  written.reserve(incoming.size());
  for (const TNoteConfig& record : incoming) written.push_back(&record);
  savedContent_ = ContentOf(written);
  FollowOrder(incoming);
  base_ = std::move(incoming);
  unreadable_ = false;
  damaged_ = false;
  return merge;
}

void TConfigurationManager::FollowOrder(const std::vector<TNoteConfig>& records) {
  std::unordered_map<int32_t, size_t> rank;
  for (size_t i = 0; i < records.size(); ++i) rank.emplace(records[i].Id, i);
  const auto rankOf = [&](const std::pair<std::string, std::unique_ptr<TNoteConfig>>& entry) {
    const auto it = rank.find(entry.second->Id);
    return it == rank.end() ? records.size() : it->second;
  };
  std::stable_sort(configs_.begin(), configs_.end(),
                   [&](const auto& a, const auto& b) { return rankOf(a) < rankOf(b); });
  firstByKey_.clear();
  for (size_t i = 0; i < configs_.size(); ++i) firstByKey_.emplace(configs_[i].first, i);
}

void TConfigurationManager::MarkSaved() {
  savedContent_ = Content();
  base_ = CopyRecords(*this);
}

std::string TConfigurationManager::Content() const {
  std::vector<const TNoteConfig*> records;
  records.reserve(configs_.size());
  for (const auto& entry : configs_) records.push_back(entry.second.get());
  return ContentOf(records);
}

void TConfigurationManager::SaveToFile() {
  Write(Content());
}

bool TConfigurationManager::SaveToFileIfChanged() {
  std::string content = Content();
  if (content == savedContent_) return false;
  Write(std::move(content));
  return true;
}

void TConfigurationManager::Write(std::string content) {
  if (unreadable_)
    throw EQuibError("The notes file \"" + fileName_ +
                     "\" could not be read and is kept as it is. Saving the notes aborted!");
  WriteFileAtomic(fileName_, content);
  if (store_) store_->Remember(fileName_, content);
  savedContent_ = std::move(content);
  base_ = CopyRecords(*this);
}

std::string TConfigurationManager::MoveAsideUnreadableFile() {
  if (!unreadable_) return std::string();
  if (!pathTaken(fileName_)) {
    unreadable_ = false;
    return std::string();
  }
  for (int n = 0; n < 100000; ++n) {
    std::string target = fileName_ + ".bak" + (n == 0 ? std::string() : std::to_string(n));
    if (pathTaken(target)) continue;
    if (RenameFile(fileName_, target)) {
      if (store_) store_->Forget(fileName_);
      unreadable_ = false;
      return target;
    }
    const int err = errno;
    // Someone took the name between the test and the rename: try the next one.
    if (pathTaken(target) && pathTaken(fileName_)) continue;
    throw EQuibError("Cannot rename file \"" + fileName_ + "\" to \"" + target + "\". " + std::strerror(err));
  }
  throw EQuibError("Cannot rename file \"" + fileName_ + "\": every backup name is taken.");
}
