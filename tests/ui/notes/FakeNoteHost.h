// A stand-in for the control panel that note windows talk to: options set by the test, the
// open notes it snaps against, a notes store in a temporary folder of its own, and a record of
// every call a note makes.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/brRandom.h"
#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "notes/ui/UNoteHost.h"
#include "notes/ui/UfrmNote.h"
#include "platform/TPlatform.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/USettingsKeys.h"
#include "store/UTNoteConfig.h"
#include "store/brRegVal.h"
#include "support/FakeDesktop.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

class FakeNoteHost : public TNoteHost, public TNoteBoxSource {
 public:
  FakeNoteHost() : settings(CreateQuibSettings(folder.path())), boxes(*this) {
    CreateDir(store.NotesFolder());
    platform.screens = &screens;
    platform.dialogs = &dialogs;
    platform.desktop = &desktop;
  }

  TNoteOptions Options() const override { return {{grid, edges, notesSnap, gridX, gridY}, title}; }
  const TbrRegVal& Settings() const override { return *settings; }
  std::string LastImportDir() const override { return settings->GetString(setting::sLastImportDir); }
  void SetLastImportDir(const std::string& folder) override {
    settings->SetString(setting::sLastImportDir, folder);
  }
  std::string LastExportDir() const override { return settings->GetString(setting::sLastExportDir); }
  void SetLastExportDir(const std::string& folder) override {
    settings->SetString(setting::sLastExportDir, folder);
  }
  const TBoxController& BoxController() const override { return boxes; }
  // Made at the first request, from the screens as the test has set them by then.
  TScreenSnapper& ScreenSnapper() override {
    if (!snapper) snapper = std::make_unique<TScreenSnapper>(screens);
    return *snapper;
  }
  const TPlatform& Platform() const override { return platform; }
  TRandom& Random() override { return random; }
  std::string ApplicationTitle() const override { return appTitle; }
  std::optional<TTextFile> ReadNoteText(int32_t id) override { return store.ReadNoteText(id); }
  TTextEncoding WriteNoteText(int32_t id, const std::vector<std::string>& lines,
                              TTextEncoding encoding) override {
    return store.WriteNoteText(id, lines, encoding);
  }
  bool DeleteNoteText(int32_t id) override { return store.DeleteNoteText(id); }
  void MoveMinimizedGroup(int dx, int dy, int32_t id) override { groupMoves.push_back({dx, dy, id}); }
  void ShowControlPanel() override { ++controlPanelShown; }
  void CreateNewNote() override { ++newNotes; }
  void ExitApplication() override { ++exits; }
  void NoteDeleted(TfrmNote& note) override {
    Record(note);
    deletedIds.push_back(note.Id());
    std::erase(open, &note);
  }
  bool ClosingAll() const override { return closingAll; }
  // The note's record, refreshed from the window.
  const TNoteConfig& Record(const TfrmNote& note) {
    auto& record = records[note.Id()];
    if (!record) record = std::make_unique<TNoteConfig>(*settings, screens, random);
    note.FillConfig(*record);
    return *record;
  }

  int NoteCount() const override { return static_cast<int>(open.size()); }
  TNoteBox NoteBoxAt(int i) const override {
    const TfrmNote* n = open[static_cast<size_t>(i)];
    return {n->Id(), n->x(), n->y(), n->width(), n->height()};
  }

  struct GroupMove {
    int dx, dy;
    int32_t id;
    bool operator==(const GroupMove&) const = default;
  };

  FakeScreens screens{1024, 768, 30};
  FakeDialogs dialogs;
  FakeDesktop desktop;
  TPlatform platform;
  TempDir folder;  // the data folder, with its notes folder
  TNoteStore store{folder.path()};
  TRandom random;
  std::unique_ptr<TbrRegVal> settings;
  TBoxController boxes;
  std::unique_ptr<TScreenSnapper> snapper;

  bool grid = false, edges = false, notesSnap = false, closingAll = false;
  double gridX = 8, gridY = 8;
  std::string title = "Quib [$id$]";
  std::string appTitle = "Quib v2.00c";

  std::vector<TfrmNote*> open;
  std::vector<GroupMove> groupMoves;
  std::vector<int32_t> deletedIds;
  std::map<int32_t, std::unique_ptr<TNoteConfig>> records;
  int controlPanelShown = 0;
  int newNotes = 0;
  int exits = 0;
};
