#include "store/UNotesMerge.h"

#include <unordered_map>
#include <unordered_set>

#include "store/UTConfigurationManager.h"

namespace {

struct FieldGroup {
  TNoteField field;
  bool (*same)(const TNoteConfig&, const TNoteConfig&);
  void (*take)(TNoteConfig&, const TNoteConfig&);
};

template <auto... Members>
constexpr FieldGroup group(TNoteField field) {
  return {field,
          [](const TNoteConfig& a, const TNoteConfig& b) { return ((a.*Members == b.*Members) && ...); },
          [](TNoteConfig& to, const TNoteConfig& from) { ((to.*Members = from.*Members), ...); }};
}

// Every stored field but the id, which is the key.
constexpr FieldGroup fieldGroups[] = {
    group<&TNoteConfig::Left, &TNoteConfig::Top>(nfPlace),
    group<&TNoteConfig::Width, &TNoteConfig::Height>(nfSize),
    group<&TNoteConfig::Minimized>(nfMinimized),
    group<&TNoteConfig::Color>(nfColor),
    group<&TNoteConfig::FontName, &TNoteConfig::FontSize, &TNoteConfig::FontColor>(nfFont),
    group<&TNoteConfig::ReadOnly>(nfReadOnly),
    group<&TNoteConfig::OnTop>(nfOnTop),
    group<&TNoteConfig::SystemNote>(nfSystemNote),
    group<&TNoteConfig::Chat>(nfChat),
};

std::unordered_map<int32_t, const TNoteConfig*> firstById(const std::vector<TNoteConfig>& records) {
  std::unordered_map<int32_t, const TNoteConfig*> byId;
  for (const TNoteConfig& r : records) byId.emplace(r.Id, &r);
  return byId;
}

}  // namespace

TNotesMerge MergeNoteRecords(const std::vector<TNoteConfig*>& local, const std::vector<TNoteConfig>& base,
                             const std::vector<TNoteConfig>& incoming) {
  TNotesMerge merge;
  const auto baseById = firstById(base);
  const auto incomingById = firstById(incoming);
  std::unordered_set<int32_t> localIds;
  for (TNoteConfig* record : local) {
    localIds.insert(record->Id);
    const auto in = incomingById.find(record->Id);
    if (in == incomingById.end()) continue;
    const auto b = baseById.find(record->Id);
    const TNoteConfig* was = b == baseById.end() ? nullptr : b->second;
    TNoteFields taken = 0;
    for (const FieldGroup& g : fieldGroups) {
      if (g.same(*record, *in->second)) continue;
      if (was && !g.same(*record, *was)) continue;  // changed here since: ours stands
      g.take(*record, *in->second);
      taken |= g.field;
    }
    if (taken) merge.Changed.push_back({record->Id, taken});
  }
  for (const TNoteConfig& r : incoming)
    if (localIds.insert(r.Id).second) merge.Added.push_back(r);
  return merge;
}

std::vector<TNoteConfig> CopyRecords(const TConfigurationManager& collection) {
  std::vector<TNoteConfig> records;
  records.reserve(static_cast<size_t>(collection.Count()));
  for (int i = 0; i < collection.Count(); ++i) records.push_back(collection.At(i));
  return records;
}

std::vector<TNoteConfig*> LiveRecords(const TConfigurationManager& collection) {
  std::vector<TNoteConfig*> records;
  records.reserve(static_cast<size_t>(collection.Count()));
  for (int i = 0; i < collection.Count(); ++i) records.push_back(&collection.At(i));
  return records;
}
