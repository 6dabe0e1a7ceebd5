// A real control panel on the scripted seams, in a temporary data folder of its own: the base of
// the window tests of the control panel and of what it drives.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/UNotesList.h"
#include "app/UfrmMain.h"
#include "notes/UNoteIds.h"
#include "notes/ui/UfrmNote.h"
#include "store/UAppFolder.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "support/FakeDesktop.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

class PanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetAppFolder(dir.path());
    CreateDir(NotesFolder());
    system.folder = dir.path();
    platform = {&screens, &dialogs, &system, &desktop, &shell};
    ResetLastNoteId();
  }
  void TearDown() override { stop(); }

  // The control panel started on the folder; ini, unless empty, is written as quib.ini first.
  TfrmMain& start(const std::string& ini = "[Strings]\nsIdentity=tester\n") {
    stop();
    if (!ini.empty()) write("quib.ini", ini);
    main = std::make_unique<TfrmMain>(platform);
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
  TfrmNote& newNote() {
    main->cmCreateQuibNoteClick();
    return list().At(list().Count() - 1);
  }
  std::string read(const std::string& name) const { return ReadFileBytes(dir.path() + name); }
  void write(const std::string& name, const std::string& text) const { WriteFileAtomic(dir.path() + name, text); }

  TempDir dir;
  FakeScreens screens{1024, 768, 30};
  FakeDialogs dialogs;
  FakeSystem system;
  FakeDesktop desktop;
  FakeShell shell;
  TPlatform platform;
  std::unique_ptr<TfrmMain> main;
};
