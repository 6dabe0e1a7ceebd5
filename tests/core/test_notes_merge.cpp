#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "base/brRandom.h"
#include "store/UFileUtil.h"
#include "store/UNotesMerge.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {
FakeScreens screens;
TRandom source;

TNoteConfig record(int32_t id) {
  TNoteConfig r(TNoteDefaults{}, screens, source);
  r.Id = id, r.Left = 10, r.Top = 20, r.Color = 100, r.FontName = "Sans";
  return r;
}

std::string line(const TNoteConfig& r) {
  std::vector<std::string> lines;
  WriteNoteElement(r, lines, "");
  return lines.at(0);
}

// One change of each field group, and a second change of the same group.
struct Change {
  TNoteField field;
  std::function<void(TNoteConfig&, int)> apply;
};
const Change changes[] = {
    {nfPlace, [](TNoteConfig& r, int n) { r.Top += n; }},
    {nfSize, [](TNoteConfig& r, int n) { r.Width += n; }},
    {nfMinimized, [](TNoteConfig& r, int n) { r.Minimized = n == 1; }},
    {nfColor, [](TNoteConfig& r, int n) { r.Color += n; }},
    {nfFont, [](TNoteConfig& r, int n) { r.FontName += std::to_string(n); }},
    {nfFont, [](TNoteConfig& r, int n) { r.FontColor += n; }},
    {nfFont, [](TNoteConfig& r, int n) { r.FontSize += n; }},
    {nfReadOnly, [](TNoteConfig& r, int n) { r.ReadOnly = n == 1; }},
    {nfOnTop, [](TNoteConfig& r, int n) { r.OnTop = n == 1; }},
    {nfSystemNote, [](TNoteConfig& r, int n) { r.SystemNote = n == 1; }},
    {nfChat, [](TNoteConfig& r, int n) { r.Chat = n == 1; }},
};
}  // namespace

TEST(NotesMerge, EachFieldTakesTheIncomingValueOnlyWhenUnchangedHere) {
  // 0: as in base; 1 and 2: two different changes.
  struct Case {
    int local, incoming;
    bool withBase;
    int expected;
  } cases[] = {
      {0, 1, true, 1},   // changed there only
      {1, 0, true, 1},   // changed here only
      {1, 2, true, 1},   // changed on both sides: ours stands
      {1, 1, true, 1},   // the same change on both sides: nothing to follow
      {0, 0, true, 0},   // changed nowhere
      {1, 2, false, 2},  // no base record: made from defaults before its record came
  };
  for (const Change& change : changes) {
    for (const Case& c : cases) {
      SCOPED_TRACE(testing::Message() << "field " << change.field << ", " << c.local << "/" << c.incoming
                                      << (c.withBase ? "" : " without base"));
      const auto variant = [&](int n) {
        TNoteConfig r = record(1);
        if (n) change.apply(r, n);
        return r;
      };
      TNoteConfig local = variant(c.local);
      const TNotesMerge m = MergeNoteRecords(
          {&local}, c.withBase ? std::vector{record(1)} : std::vector<TNoteConfig>{}, {variant(c.incoming)});
      EXPECT_EQ(line(local), line(variant(c.expected)));
      const TNoteFields taken = c.expected != c.local ? static_cast<TNoteFields>(change.field) : 0u;
      EXPECT_EQ(m.Changed.size(), taken ? 1u : 0u);
      EXPECT_EQ(m.Changed.empty() ? 0u : m.Changed[0].Taken, taken);
      EXPECT_TRUE(m.Added.empty());
    }
  }
}

TEST(NotesMerge, RecordsOfTheCollection) {
  TempDir dir;
  const auto settings = CreateQuibSettings(dir.path());
  TConfigurationManager collection(TConfigurationManager::NoLoad{}, dir.path() + "quibnotes.xml", *settings,
                                   screens, source);
  for (int32_t id : {1, 2, 3}) collection.AddConfig(id, std::make_unique<TNoteConfig>(record(id)));
  const std::vector<TNoteConfig> base = CopyRecords(collection);
  collection.GetConfig(1)->Left = 500;  // moved here

  std::vector<TNoteConfig> incoming = {record(5), record(1), record(4), record(5)};
  incoming[0].Color = 5;  // the first of a repeated id counts
  incoming[1].Color = 7;  // note 1 recoloured there
  incoming[1].Left = 1;   // and moved there too
  // Note 2 is not in the incoming file yet, note 3 came back unchanged.
  incoming.push_back(record(3));
  const TNotesMerge m = MergeNoteRecords(LiveRecords(collection), base, incoming);

  const TNoteConfig& one = *collection.GetConfig(1);
  EXPECT_EQ(one.Left, 500);
  EXPECT_EQ(one.Color, 7);
  ASSERT_EQ(m.Changed.size(), 1u);
  EXPECT_EQ(m.Changed[0].Id, 1);
  EXPECT_EQ(m.Changed[0].Taken, static_cast<TNoteFields>(nfColor));
  EXPECT_EQ(line(*collection.GetConfig(2)), line(record(2)));
  ASSERT_EQ(m.Added.size(), 2u);
  EXPECT_EQ(m.Added[0].Id, 5);
  EXPECT_EQ(m.Added[0].Color, 5);
  EXPECT_EQ(m.Added[1].Id, 4);
}

TEST(NotesMerge, OnlyTheCollectionsOwnFileReadWholeBecomesTheBase) {
  struct Case {
    bool own;  // the collection's own file, else a conflict copy beside it
    bool cut;  // the file ends half-way
    size_t base;
  } cases[] = {{true, false, 3}, {false, false, 2}, {true, true, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.own << c.cut);
    TempDir dir;
    const auto settings = CreateQuibSettings(dir.path());
    const std::string path = dir.path() + "quibnotes.xml";
    TConfigurationManager ours(TConfigurationManager::NoLoad{}, path, *settings, screens, source);
    TConfigurationManager theirs(TConfigurationManager::NoLoad{}, c.own ? path : path + ".copy", *settings,
                                 screens, source);
    // Made here in another order.
    for (int32_t id : {2, 1}) ours.AddConfig(id, std::make_unique<TNoteConfig>(record(id)));
    for (int32_t id : {1, 2, 3}) theirs.AddConfig(id, std::make_unique<TNoteConfig>(record(id)));
    ours.SaveToFile();
    ours.MarkUnreadable();  // a file it could not read is gone once another is merged
    const std::string content = theirs.Content();
    WriteFileAtomic(theirs.FileName(), c.cut ? content.substr(0, content.size() - 10) : content);

    EXPECT_EQ(ours.MergeFile(theirs.FileName()).has_value(), !c.cut);
    EXPECT_EQ(ours.Count(), c.cut ? 2 : 3);
    EXPECT_EQ(ours.Base().size(), c.base);
    // Note 3 is in the file already; only a copy's leaves something to write.
    EXPECT_EQ(ours.Changed(), !c.own);
    EXPECT_EQ(ours.IsUnreadable(), !c.own || c.cut);
  }
}
