// A real control panel on the scripted seams, in a temporary data folder of its own: the base of
// the window tests of the control panel and of what it drives. Each start is a new run of the
// program, with a notes store of its own.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/UNotesTab.h"
#include "app/UQuibApplication.h"
#include "app/UfrmMain.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "support/FakeDesktop.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CreateDir(store->NotesFolder());
    system.folder = dir.path();
    platform = {&screens, &dialogs, &system, &desktop, &shell};
  }
  void TearDown() override { stop(); }

  // The control panel started on the folder; ini, unless empty, is written as quib.ini first.
  TfrmMain& start(const std::string& ini = "[Strings]\nsIdentity=tester\n") {
    stop();
    if (!ini.empty()) write("quib.ini", ini);
    store = std::make_unique<TNoteStore>(dir.path());
    main = std::make_unique<TfrmMain>(platform, *store, title);
    return *main;
  }
  // Exit as the user ends the program, saying yes should something fail to save.
  void stop() {
    if (!main) return;
    dialogs.confirmAnswers = {true};
    main->mmExitClick();
    main.reset();
  }
  TNotesList& list() const { return main->NotesList(); }
  // The control panel's notes tab, found as the user finds it: among the panel's children.
  TNotesTab& notesTab() const { return *main->findChild<TNotesTab*>(); }
  TfrmNote& newNote() {
    main->cmCreateQuibNoteClick();
    return list().At(list().Count() - 1);
  }
  std::string read(const std::string& name) const { return ReadFileBytes(dir.path() + name); }
  void write(const std::string& name, const std::string& text) const {
    WriteFileAtomic(dir.path() + name, text);
  }

  TempDir dir;
  std::unique_ptr<TNoteStore> store = std::make_unique<TNoteStore>(dir.path());
  FakeScreens screens{1024, 768, 30};
  FakeDialogs dialogs;
  FakeSystem system;
  FakeDesktop desktop;
  FakeShell shell;
  TPlatform platform;
  TAppTitle title;
  std::unique_ptr<TfrmMain> main;
};
