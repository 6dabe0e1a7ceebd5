#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>

#include "base/brRandom.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"
#include "support/FakeFolderWatch.h"
#include "support/qt/PanelTest.h"

namespace {
const std::string kCopy = "quibnotes.sync-conflict-20261209-031500-ABCDEFG.xml";

class NotesFileFollowTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    platform.folderWatch = &watch;
  }
  // What the notes file last held here, as another computer edits it, written under name there.
  void writeTheirs(const std::string& name, const std::function<void(std::vector<TNoteConfig>&)>& edit) {
    std::vector<TNoteConfig> records = main->Configs()->Base();
    edit(records);
    TConfigurationManager theirs(TConfigurationManager::NoLoad{}, dir.path() + name, main->Settings(),
                                 screens, random);
    for (const TNoteConfig& r : records) theirs.AddConfig(r.Id, std::make_unique<TNoteConfig>(r));
    theirs.SaveToFile();
  }
  void report(const std::string& name) const {
    std::string folder = store->DataFolder();
    folder.pop_back();
    watch.Report(folder, {name});
  }
  // The record of the id in the notes file as it lies now.
  std::optional<TNoteConfig> stored(int32_t id) {
    const auto settings = CreateQuibSettings(dir.path());
    const TConfigurationManager file(dir.path() + "quibnotes.xml", *settings, screens, random);
    const TNoteConfig* record = file.GetConfig(id);
    return record ? std::optional(*record) : std::nullopt;
  }
  // An empty data folder, as at a first start.
  void fresh() {
    stop();
    for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
      std::filesystem::remove_all(entry.path());
    SetUp();
  }
  FakeFolderWatch watch;
  TRandom random;
};
}  // namespace

TEST_F(NotesFileFollowTest, TheNotesFileChangedElsewhereIsMergedWithTheChangesMadeHere) {
  enum class News { Watch, Rescan, Save, Copy, CopyAtStart };
  const QPoint there(300, 200);
  struct Case {
    const char* name;
    bool movedHere;     // note 1 moved to (50, 60) here first
    QPoint theirPlace;  // note 1's place in the incoming file
    News news;
    QPoint shown;             // where note 1 shows; (-1, -1): anywhere on the screen
    QPoint kept;              // note 1's place in the notes file at the end
    bool changedAfter;        // the merge kept changes made here, still to be written
    bool movedAfter = false;  // note 1 moved to (50, 60) here after the merge
  } cases[] = {
      {"moved there only", false, there, News::Watch, there, there, false},
      {"moved there, seen by the rescan", false, there, News::Rescan, there, there, false},
      {"moved on both sides: ours stands", true, there, News::Watch, {50, 60}, {50, 60}, true},
      {"off every monitor here", false, {5000, 5000}, News::Watch, {-1, -1}, {5000, 5000}, false},
      {"off every monitor, then moved", false, {5000, 5000}, News::Watch, {50, 60}, {50, 60}, true, true},
      {"unmerged when saved", true, there, News::Save, {50, 60}, {50, 60}, false},
      {"a conflict copy", false, there, News::Copy, there, there, false},
      {"a conflict copy at start-up", false, there, News::CopyAtStart, there, there, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fresh();
    start();
    newNote();
    newNote();
    main->pmSaveAllNotesnowClick();
    if (c.movedHere) list().At(0).move(50, 60);
    const std::string name = c.news == News::Copy || c.news == News::CopyAtStart ? kCopy : "quibnotes.xml";
    writeTheirs(name, [&](std::vector<TNoteConfig>& records) {
      records[0].Left = c.theirPlace.x();
      records[0].Top = c.theirPlace.y();
      records[0].Color = 0x123456;  // recoloured there only
      TNoteConfig added = records[1];
      added.Id = 7;  // a note whose text has not arrived yet
      records.push_back(added);
    });
    if (c.news == News::Watch || c.news == News::Copy) report(name);
    if (c.news == News::Rescan) watch.RunRescan();
    if (c.news == News::Save) main->pmSaveAllNotesnowClick();
    if (c.news == News::CopyAtStart) start("");
    if (c.movedAfter) list().At(0).move(50, 60);

    const TfrmNote& note = list().At(0);
    if (c.shown.x() >= 0) {
      EXPECT_EQ(note.pos(), c.shown);
    } else {
      EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(note.geometry()));
    }
    EXPECT_EQ(note.NoteColor(), 0x123456);
    EXPECT_TRUE(main->Configs()->HasConfig(7));
    list().UpdateAllNoteConfigs();
    EXPECT_EQ(main->Configs()->Changed(), c.changedAfter);
    EXPECT_FALSE(FileExists(dir.path() + kCopy));

    stop();
    const std::optional<TNoteConfig> one = stored(1);
    ASSERT_TRUE(one);
    EXPECT_EQ(QPoint(one->Left, one->Top), c.kept);
    EXPECT_EQ(one->Color, 0x123456);
    EXPECT_TRUE(stored(7));
  }
}

TEST_F(NotesFileFollowTest, ANoteWhoseRecordCameFirstOpensOnScreenWhenItsTextArrives) {
  start();
  newNote();
  main->pmSaveAllNotesnowClick();
  writeTheirs("quibnotes.xml", [](std::vector<TNoteConfig>& records) {
    TNoteConfig added = records[0];
    added.Id = 7;
    added.Left = 5000;
    added.Top = 4000;
    records.push_back(added);
  });
  report("quibnotes.xml");
  WriteFileAtomic(store->NoteTextPath(7), "from elsewhere\r\n");
  watch.Report(store->NotesFolder(), {NoteTextFileName(7, false)});
  ASSERT_EQ(list().Count(), 2);
  EXPECT_TRUE(QRect(0, 0, 1024, 768).contains(list().At(1).geometry()));
  stop();
  const std::optional<TNoteConfig> seven = stored(7);
  ASSERT_TRUE(seven);
  EXPECT_EQ(QPoint(seven->Left, seven->Top), QPoint(5000, 4000));
}
