// The folder watch on a real folder: what a sync tool does there is reported by name, a burst
// once, and the folder's own end as "look at it whole".
#include <gtest/gtest.h>

#include <QTest>
#include <filesystem>
#include <fstream>

#include "platform/QtFolderWatch.h"
#include "support/TempDir.h"

namespace {
namespace fs = std::filesystem;

class FolderWatchTest : public ::testing::Test {
 public:
  void SetUp() override {
    folder = dir.path() + "notes";
    fs::create_directory(folder);
    write("quibnote0001.txt");
    watch.SetHandler([this](const std::string& f, const std::vector<std::string>& names) {
      EXPECT_EQ(f, folder);
      reports.push_back(names);
    });
    ASSERT_TRUE(watch.Watch(folder));
  }
  void write(const std::string& name) const { std::ofstream(folder + "/" + name) << "text"; }
  // Waits for the next report; the limit only ends a run that would hang.
  std::vector<std::string> next() {
    const size_t had = reports.size();
    if (!QTest::qWaitFor([&] { return reports.size() > had; }, 10000)) return {"(nothing reported)"};
    return reports.back();
  }

  TempDir dir;
  std::string folder;
  TQtFolderWatch watch;
  std::vector<std::vector<std::string>> reports;
};
}  // namespace

TEST_F(FolderWatchTest, ReportsWritesRenamesAndRemovals) {
  using Names = std::vector<std::string>;
  struct Case {
    const char* what;
    std::function<void(FolderWatchTest&)> act;
    Names expected;
  } cases[] = {
      {"a new file", [](FolderWatchTest& t) { t.write("quibnote0002.txt"); }, {"quibnote0002.txt"}},
      {"a file written again", [](FolderWatchTest& t) { t.write("quibnote0001.txt"); }, {"quibnote0001.txt"}},
      {"written aside and renamed into place, many times over",
       [](FolderWatchTest& t) {
         for (int i = 0; i < 20; ++i) {
           t.write(".tmp");
           fs::rename(t.folder + "/.tmp", t.folder + "/quibnote0001.txt");
         }
       },
       {".tmp", "quibnote0001.txt"}},
      {"renamed to the deleted name",
       [](FolderWatchTest& t) {
         fs::rename(t.folder + "/quibnote0002.txt", t.folder + "/quibnote0002.~txt");
       },
       {"quibnote0002.txt", "quibnote0002.~txt"}},
      {"removed",
       [](FolderWatchTest& t) { fs::remove(t.folder + "/quibnote0002.~txt"); },
       {"quibnote0002.~txt"}},
      {"the folder itself removed",
       [](FolderWatchTest& t) { fs::remove_all(t.folder); },
       {"quibnote0001.txt", ""}},
  };
  for (const Case& c : cases) {
    c.act(*this);
    EXPECT_EQ(next(), c.expected) << c.what;
  }
  // The watch ended with the folder; one made again under the name is watched anew.
  fs::create_directory(folder);
  ASSERT_TRUE(watch.Watch(folder));
  write("quibnote0003.txt");
  EXPECT_EQ(next(), Names{"quibnote0003.txt"});
}

TEST_F(FolderWatchTest, NothingAfterUnwatchAndNoWatchOnAMissingFolder) {
  watch.Unwatch(folder);
  write("quibnote0002.txt");
  QTest::qWait(3 * TQtFolderWatch::kCoalesceMs);
  EXPECT_TRUE(reports.empty());
  EXPECT_FALSE(watch.Watch(dir.path() + "missing"));
}
