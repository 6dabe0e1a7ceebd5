// The notes store's id counter, the start-up scan over real files in a notes folder, and the
// random positions of new notes.
#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

#include "base/brRandom.h"
#include "notes/UNoteIds.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

namespace {
class NoteIdsTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateDir(dir.path() + "quibnotes"); }
  void touch(const std::string& name) { WriteFileAtomic(dir.path() + "quibnotes/" + name, "x\r\n"); }
  static std::vector<int32_t> scan(TNoteStore& s) {
    return s.ScanStoredNoteIds(s.ListNoteTextFiles(false), s.ListNoteTextFiles(true));
  }

  TempDir dir;
  TNoteStore store{dir.path()};
};

std::vector<int32_t> sorted(std::vector<int32_t> ids) {
  std::sort(ids.begin(), ids.end());
  return ids;
}
}  // namespace

TEST_F(NoteIdsTest, StartUpScanOfTheNotesFolder) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    std::vector<int32_t> opened;  // in any order: the directory decides the listing order
    int32_t nextId;
  } cases[] = {
      {"empty folder", {}, {}, 1},
      {"live and deleted",
       {"quibnote0002.txt", "quibnote0005.txt", "quibnote0004.~txt", "quibnote0009.~txt"},
       {2, 5},
       10},
      {"a deleted id above the live ones",
       {"quibnote0003.txt", "quibnote0009.txt", "quibnote0012.~txt"},
       {3, 9},
       13},
      {"a name written by hand", {"QuibNote0003.TXT"}, {3}, 4},
      {"more than four digits", {"quibnote12345.txt"}, {12345}, 12346},
      {"names without an id are skipped",
       {"quibnote.txt", "quibnoteabc.txt", "notes0007.txt", "quibnote0007.doc", "quibnote0001.txt"},
       {1},
       2},
      {"only deleted notes open nothing", {"quibnote0006.~txt"}, {}, 7},
      {"two names of one note open it once", {"quibnote3.txt", "quibnote0003.txt"}, {3}, 4},
      {"ids below 1 open nothing", {"quibnote-5.txt", "quibnote0000.txt"}, {}, 1},
  };
  for (const auto& c : cases) {
    TempDir fresh;
    TNoteStore run(fresh.path());
    CreateDir(fresh.path() + "quibnotes");
    for (const auto& f : c.files) WriteFileAtomic(fresh.path() + "quibnotes/" + f, "");
    EXPECT_EQ(sorted(scan(run)), sorted(c.opened)) << c.what;
    EXPECT_EQ(run.NextNoteId(), c.nextId) << c.what;
  }
}

TEST_F(NoteIdsTest, ScanKeepsTheListingOrderAndOnlyRaisesTheCounter) {
  const std::vector<std::string> live = {"quibnote0009.txt", "quibnote0002.txt", "x.txt", "quibnote0005.txt"};
  store.RaiseLastNoteId(40);  // notes made before the scan keep their ids out of reach
  EXPECT_EQ(store.ScanStoredNoteIds(live, {"quibnote0001.~txt"}), (std::vector<int32_t>{9, 2, 5}));
  EXPECT_EQ(store.LastNoteId(), 40);
}

TEST_F(NoteIdsTest, IdsAreNeverHandedOutTwice) {
  EXPECT_EQ(store.LastNoteId(), 0);
  EXPECT_EQ(store.NextNoteId(), 1);
  EXPECT_EQ(store.NextNoteId(), 2);
  store.RaiseLastNoteId(1);  // lower: no effect
  EXPECT_EQ(store.NextNoteId(), 3);
  store.RaiseLastNoteId(std::numeric_limits<int32_t>::max() - 1);
  EXPECT_EQ(store.NextNoteId(), std::numeric_limits<int32_t>::max());
  // Wrapping round would hand out ids of notes that may still be on disk.
  EXPECT_THROW(store.NextNoteId(), EQuibError);
  EXPECT_EQ(store.LastNoteId(), std::numeric_limits<int32_t>::max());
}

TEST_F(NoteIdsTest, ANewNoteAfterTheScanTakesAFreeName) {
  touch("quibnote0002.txt");
  touch("quibnote0007.~txt");
  scan(store);
  const int32_t id = store.NextNoteId();
  EXPECT_FALSE(FileExists(store.NoteTextPath(id)));
  EXPECT_FALSE(FileExists(store.DeletedNoteTextPath(id)));
}

TEST_F(NoteIdsTest, NextFreeIdSkipsIdsWhoseFilesAppearedSinceTheScan) {
  constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
  struct Case {
    int32_t counter;
    std::vector<int32_t> taken;
    int32_t expected;  // 0: no id is left
  } cases[] = {
      {0, {}, 1},
      {0, {1, 2, 4}, 3},
      {5, {1, 2, 3}, 6},
      {kMax - 2, {kMax - 1}, kMax},
      {kMax - 2, {kMax - 1, kMax}, 0},
  };
  for (const auto& c : cases) {
    TNoteStore run(dir.path());
    run.RaiseLastNoteId(c.counter);
    const auto taken = [&](int32_t id) {
      return std::find(c.taken.begin(), c.taken.end(), id) != c.taken.end();
    };
    if (c.expected == 0) {
      EXPECT_THROW(run.NextFreeNoteId(taken), EQuibError) << c.counter;
    } else {
      EXPECT_EQ(run.NextFreeNoteId(taken), c.expected) << c.counter;
      EXPECT_EQ(run.LastNoteId(), c.expected);
    }
  }
}

TEST(NoteIdsRandom, PositionsStayOnThePrimaryScreen) {
  FakeScreens screens(1024, 768);
  // A second monitor must not widen the range.
  screens.monitors.push_back({{1024, 0, 3024, 768}, {1024, 0, 3024, 768}});
  struct Case {
    int size;
    int maxLeft, maxTop;  // inclusive
  } cases[] = {{128, 1024 - 128 - 1, 768 - 128 - 1},
               {767, 1024 - 767 - 1, 0},
               {768, 1024 - 768 - 1, 0},
               {2000, 0, 0},
               {std::numeric_limits<int>::min(), 2147483646, 2147483646}};
  TRandom random(3);
  for (const auto& c : cases) {
    int seenMaxLeft = 0, seenMaxTop = 0;
    for (int i = 0; i < 20000; ++i) {
      const int left = RandomLeft(random, screens, c.size);
      const int top = RandomTop(random, screens, c.size);
      ASSERT_GE(left, 0) << c.size;
      ASSERT_LE(left, c.maxLeft) << c.size;
      ASSERT_GE(top, 0) << c.size;
      ASSERT_LE(top, c.maxTop) << c.size;
      seenMaxLeft = std::max(seenMaxLeft, left);
      seenMaxTop = std::max(seenMaxTop, top);
    }
    // Small ranges are drawn to their end: an off-by-one would never reach it.
    if (c.maxLeft < 1000) {
      EXPECT_EQ(seenMaxLeft, c.maxLeft) << c.size;
    }
    if (c.maxTop < 1000) {
      EXPECT_EQ(seenMaxTop, c.maxTop) << c.size;
    }
  }
}
