// A note's commands through its real menu actions and keys, answered by the scripted dialogs:
// the menu, the key table, colours and font, import, export, dropped files, delete, read only.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QContextMenuEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <QUrl>
#include <functional>

#include "NoteTestUtil.h"
#include "graphics/brColorUtil.h"
#include "store/brRegVal.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  WriteFileAtomic(path, bytes);
}

std::vector<std::string> Lines(std::initializer_list<const char*> lines) {
  return {lines.begin(), lines.end()};
}

TEST(NoteMenu, ItemsInOrderMadeWhenFirstOpened) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 0, 0);
  // Most notes never open their menu, so none is made for them.
  EXPECT_FALSE(note->HasMenu());
  QContextMenuEvent e(QContextMenuEvent::Mouse, {60, 8}, note->pos() + QPoint(60, 8));
  QApplication::sendEvent(note->pb, &e);
  ASSERT_TRUE(note->HasMenu());
  TNotePopupMenu& pm = note->Menu();
  EXPECT_TRUE(pm.isVisible());
  pm.hide();

  QStringList top, hidden;
  for (QAction* a : pm.actions()) {
    top << (a->isSeparator() ? "-" : a->text());
    if (!a->isVisible()) hidden << top.back();
  }
  EXPECT_EQ(top,
            QStringList({"&Control Panel\tF2", "-", "&Send this Quib-Note over Network...\tF5", "-",
                         "&Appearance (Colors && Fonts)", "-", "&Import Text File", "&Export Text File", "-",
                         "&New Quib-Note\tF4", "New Quib-&Chat\tF6", "&Delete this Quib-Note\tCtrl+F4", "-",
                         "&Read Only", "Stay On &Top", "-", "E&xit Application ..."}));
  EXPECT_EQ(hidden, QStringList({"&Send this Quib-Note over Network...\tF5", "-", "New Quib-&Chat\tF6"}));
  QStringList sub;
  for (QAction* a : pm.pmAppearance->actions()) sub << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(sub, QStringList({"&Background Color\tF9", "New &Random Color\tF10", "-", "&Font\tCtrl+F11",
                              "F&ont Color\tF11", "New Random Fo&nt Color\tF12"}));
  EXPECT_FALSE(pm.pmSendNoteOverNetwork->isEnabled());
  EXPECT_FALSE(pm.pmNewQuibChat->isEnabled());
  EXPECT_TRUE(pm.pmReadOnly->isCheckable());
  EXPECT_TRUE(pm.pmOnTop->isCheckable());
  // Labels only: the keys go through the key preview.
  for (QAction* a : pm.actions() + pm.pmAppearance->actions()) EXPECT_TRUE(a->shortcut().isEmpty());
}

TEST(NoteMenu, ProgramCommandsAndCheckMarks) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 60, 70);
  TNotePopupMenu& pm = note->Menu();
  pm.pmControlPanel->trigger();
  pm.pmNewQuibNote->trigger();
  pm.pmExitApplication->trigger();
  pm.pmSendNoteOverNetwork->trigger();
  pm.pmNewQuibChat->trigger();
  EXPECT_EQ(std::vector<int>({t.host.controlPanelShown, t.host.newNotes, t.host.exits}),
            std::vector<int>({1, 1, 1}));
  EXPECT_TRUE(t.host.dialogs.shown.empty());
  for (const bool want : {true, false}) {
    pm.pmOnTop->trigger();
    EXPECT_EQ(note->OnTop(), want);
    EXPECT_EQ(pm.pmOnTop->isChecked(), want);
    EXPECT_EQ(note->pos(), QPoint(60, 70));
    // Changed from elsewhere, the marks follow.
    note->SetReadOnly(want);
    EXPECT_EQ(pm.pmReadOnly->isChecked(), want);
  }
}

TEST(NoteKeys, EachKeyWithEachModifierRule) {
  const Qt::KeyboardModifiers none = Qt::NoModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier,
                              alt = Qt::AltModifier;
  struct Case {
    int key;
    Qt::KeyboardModifiers mods;
    const char* command;  // "" for none
  };
  const Case cases[] = {
      {Qt::Key_F2, none, "control panel"},
      {Qt::Key_F2, ctrl | shift | alt, "control panel"},
      {Qt::Key_F4, none, "new note"},
      {Qt::Key_F4, ctrl, "delete"},
      {Qt::Key_F4, ctrl | shift, "delete"},
      {Qt::Key_F4, ctrl | alt, "delete"},
      {Qt::Key_F4, shift, ""},
      {Qt::Key_F4, alt, ""},
      {Qt::Key_F4, shift | alt, ""},
      {Qt::Key_F9, none, "background colour"},
      {Qt::Key_F9, ctrl | alt, "background colour"},
      {Qt::Key_F10, none, "random colour"},
      {Qt::Key_F10, shift, "random colour"},
      {Qt::Key_F11, none, "font colour"},
      {Qt::Key_F11, ctrl, "font"},
      {Qt::Key_F11, ctrl | shift | alt, "font"},
      {Qt::Key_F11, shift, ""},
      {Qt::Key_F11, alt, ""},
      {Qt::Key_F12, none, "random font colour"},
      {Qt::Key_F12, ctrl, "random font colour"},
      {Qt::Key_F1, none, ""},
      {Qt::Key_F3, none, ""},
      {Qt::Key_F5, none, ""},
      {Qt::Key_F6, ctrl, ""},
      {Qt::Key_F7, none, ""},
      {Qt::Key_F8, shift, ""},
  };
  for (const auto& c : cases) {
    // Keys come to the text area, or to the window itself when the text area is hidden.
    for (const bool toWindow : {false, true}) {
      Notes t;
      TfrmNote* note = MakeNote(t.host, 1, 0, 0);
      const TColor color = note->NoteColor(), fontColor = note->TextFont().Color;
      SendKey(toWindow ? static_cast<QWidget&>(*note) : *note->mem, c.key, c.mods);
      std::vector<std::string> ran;
      if (t.host.controlPanelShown) ran.push_back("control panel");
      if (t.host.newNotes) ran.push_back("new note");
      for (const auto& s : t.host.dialogs.shown) {
        if (s.kind == "confirm") ran.push_back("delete");
        if (s.kind == "font") ran.push_back("font");
        // The colour dialog opens preset with the colour it is to change.
        if (s.kind == "color")
          ran.push_back(s.text == std::to_string(color) ? "background colour" : "font colour");
      }
      if (note->NoteColor() != color) ran.push_back("random colour");
      if (note->TextFont().Color != fontColor) ran.push_back("random font colour");
      const std::vector<std::string> want =
          *c.command ? std::vector<std::string>{c.command} : std::vector<std::string>{};
      EXPECT_EQ(ran, want) << "F" << c.key - Qt::Key_F1 + 1 << " " << c.mods.toInt() << " " << toWindow;
    }
  }
}

TEST(NoteCommands, ColourAndFontChoicesReachTheNoteAndItsRecord) {
  TFontSpec serif{"DejaVu Serif", 14, RGB(9, 8, 7), true, true};
  struct Case {
    const char* name;
    QAction* TNotePopupMenu::*item;
    std::function<void(FakeDialogs&)> script;
    std::function<void(const TfrmNote&, const TNoteConfig&)> check;
    bool changes;
  };
  const TColor noteColor = clDefaultNoteColor;
  const Case cases[] = {
      {"background colour", &TNotePopupMenu::pmBackgroundColor,
       [](FakeDialogs& d) { d.colorAnswers = {RGB(10, 200, 90)}; },
       [](const TfrmNote& n, const TNoteConfig& r) {
         EXPECT_EQ(r.Color, RGB(10, 200, 90));
         EXPECT_EQ(n.FrameColor(), RGB(0, 150, 40));
         EXPECT_EQ(n.mem->palette().color(QPalette::Base), QColor(10, 200, 90));
       },
       true},
      {"background colour cancelled", &TNotePopupMenu::pmBackgroundColor,
       [](FakeDialogs& d) { d.colorAnswers = {-1}; },
       [noteColor](const TfrmNote&, const TNoteConfig& r) { EXPECT_EQ(r.Color, noteColor); }, false},
      {"font colour", &TNotePopupMenu::pmFontColor, [](FakeDialogs& d) { d.colorAnswers = {RGB(200, 0, 0)}; },
       [noteColor](const TfrmNote& n, const TNoteConfig& r) {
         EXPECT_EQ(r.FontColor, RGB(200, 0, 0));
         EXPECT_EQ(r.Color, noteColor);
         EXPECT_EQ(n.mem->palette().color(QPalette::Text), QColor(200, 0, 0));
       },
       true},
      {"font", &TNotePopupMenu::pmFont, [serif](FakeDialogs& d) { d.fontAnswers = {serif}; },
       [](const TfrmNote& n, const TNoteConfig& r) {
         EXPECT_EQ(std::tuple(r.FontName, r.FontSize, r.FontColor),
                   std::tuple("DejaVu Serif", 14, RGB(9, 8, 7)));
         // The whole font applies, though only name, size and colour are stored.
         EXPECT_TRUE(n.mem->font().bold());
         EXPECT_TRUE(n.mem->font().italic());
         EXPECT_EQ(n.mem->font().pointSize(), 14);
       },
       true},
      {"font cancelled", &TNotePopupMenu::pmFont, [](FakeDialogs& d) { d.fontAnswers = {TFontSpec{""}}; },
       [](const TfrmNote&, const TNoteConfig& r) { EXPECT_EQ(r.FontName, "MS Sans Serif"); }, false},
      {"new random colour", &TNotePopupMenu::pmNewRandomColor, [](FakeDialogs&) {},
       [](const TfrmNote& n, const TNoteConfig& r) {
         EXPECT_EQ(r.Color, n.NoteColor());
         EXPECT_EQ(n.FrameColor(), AdjustBrightness(r.Color, -50));
         for (int shift : {0, 8, 16}) EXPECT_GE((r.Color >> shift) & 0xFF, 64);
       },
       true},
      {"new random font colour", &TNotePopupMenu::pmNewRandomFontColor, [](FakeDialogs&) {},
       [](const TfrmNote&, const TNoteConfig& r) {
         for (int shift : {0, 8, 16}) EXPECT_GE((r.FontColor >> shift) & 0xFF, 64);
       },
       true},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    c.script(t.host.dialogs);
    QSignalSpy changed(note, &TfrmNote::Changed);
    (note->Menu().*c.item)->trigger();
    SCOPED_TRACE(c.name);
    c.check(*note, t.host.Record(*note));
    EXPECT_EQ(changed.count() > 0, c.changes);
    EXPECT_FALSE(note->Modified());
  }
}

// A file for the import and the drop, in a folder of its own under the test's folder.
struct FileCase {
  enum Kind { File, Cancelled, Missing, Folder, Pipe };
  static std::string Make(Kind kind, const std::string& folder) {
    CreateDir(folder);
    const std::string path = folder + "some file.txt";
    if (kind == File) WriteBytes(path, "first line\r\nsecond\tline");
    if (kind == Folder) CreateDir(path);
    if (kind == Pipe) mkfifo(path.c_str(), 0600);
    return kind == Cancelled ? std::string() : path;
  }
};

TEST(NoteCommands, ImportTextFile) {
  struct Case {
    const char* name;
    FileCase::Kind kind;
  };
  const Case cases[] = {{"a text file", FileCase::File},
                        {"cancelled", FileCase::Cancelled},
                        {"a missing file", FileCase::Missing},
                        {"a folder", FileCase::Folder},
                        {"a pipe", FileCase::Pipe}};
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    note->SetLines({"old text"});
    note->SetModified(false);
    t.host.settings->SetString("sLastImportDir", "/where/it/was/");
    const std::string path = FileCase::Make(c.kind, t.host.folder.path() + "in/");
    t.host.dialogs.pathAnswers = {path};
    QSignalSpy changed(note, &TfrmNote::Changed);
    note->Menu().pmImportTextFile->trigger();
    SCOPED_TRACE(c.name);
    const TFileDialogSpec& spec = t.host.dialogs.lastSpec;
    EXPECT_EQ(std::vector<std::string>({spec.Title, spec.Filter, spec.DefaultExt, spec.InitialDir}),
              std::vector<std::string>(
                  {"Import Text File", "Text Files (*.txt)|*.txt|All Files (*)|*", "txt", "/where/it/was/"}));
    const bool imported = c.kind == FileCase::File;
    EXPECT_EQ(note->Lines(), imported ? Lines({"first line", "second\tline"}) : Lines({"old text"}));
    EXPECT_EQ(note->Modified(), imported);
    EXPECT_EQ(changed.count() > 0, imported);
    EXPECT_EQ(t.host.settings->GetString("sLastImportDir"),
              imported ? t.host.folder.path() + "in/" : "/where/it/was/");
    const auto& shown = t.host.dialogs.shown;
    if (imported || c.kind == FileCase::Cancelled) {
      EXPECT_EQ(shown.size(), 1u);
    } else {
      ASSERT_EQ(shown.size(), 2u);
      EXPECT_EQ(shown[1].kind, "error");
      EXPECT_EQ(shown[1].title, "Quib v2.00c");
      EXPECT_EQ(shown[1].text.rfind("Cannot open file \"" + path + "\". ", 0), 0u) << shown[1].text;
    }
  }
}

TEST(NoteCommands, ExportTextFileAsTheNoteSavesItsOwn) {
  struct Case {
    const char* name;
    const char* answer;  // under the test's folder; "" cancels
    bool modified;
    bool written;
  };
  const Case cases[] = {{"over an old file", "out/old.txt", true, true},
                        {"unmodified note", "out/new.txt", false, true},
                        {"cancelled", "", true, false},
                        {"into a missing folder", "gone/new.txt", false, false}};
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    CreateDir(t.host.folder.path() + "out");
    WriteBytes(t.host.folder.path() + "out/old.txt", "old\r\n");
    note->SetLines({"one", "", "two"});
    note->SetModified(c.modified);
    t.host.settings->SetString("sLastExportDir", "/where/it/was/");
    const std::string path = *c.answer ? t.host.folder.path() + c.answer : "";
    t.host.dialogs.pathAnswers = {path};
    note->Menu().pmExportTextFile->trigger();
    SCOPED_TRACE(c.name);
    const TFileDialogSpec& spec = t.host.dialogs.lastSpec;
    EXPECT_EQ(std::vector<std::string>({spec.Title, spec.Filter, spec.DefaultExt, spec.InitialDir}),
              std::vector<std::string>(
                  {"Export Text File", "Text Files (*.txt)|*.txt|All Files (*)|*", "txt", "/where/it/was/"}));
    EXPECT_EQ(note->Modified(), c.modified);
    if (c.written) {
      EXPECT_EQ(ReadFileBytes(path), "one\r\n\r\ntwo\r\n");
    }
    EXPECT_EQ(t.host.settings->GetString("sLastExportDir"),
              c.written ? ExtractFilePath(path) : std::string("/where/it/was/"));
    const std::vector<std::string> errors = t.host.dialogs.Texts("error");
    if (*c.answer && !c.written) {
      ASSERT_EQ(errors.size(), 1u);
      EXPECT_EQ(errors[0].rfind("Cannot create file \"" + path + "\". ", 0), 0u) << errors[0];
    } else {
      EXPECT_TRUE(errors.empty());
    }
    EXPECT_EQ(ReadFileBytes(t.host.folder.path() + "out/old.txt"),
              c.name == std::string("over an old file") ? "one\r\n\r\ntwo\r\n" : "old\r\n");
  }
}

TEST(NoteCommands, DroppedFilesOnlyTheFirst) {
  struct Case {
    const char* name;
    bool onTextArea;
    FileCase::Kind first;
    Qt::DropActions offered;
    bool taken;
  };
  const Case cases[] = {
      {"three files on the text area", true, FileCase::File, Qt::CopyAction | Qt::MoveAction, true},
      {"three files on the strip", false, FileCase::File, Qt::CopyAction | Qt::LinkAction, true},
      {"a folder first", true, FileCase::Folder, Qt::CopyAction, true},
      // Taken as a move, the file manager would remove the file.
      {"only as a move", false, FileCase::File, Qt::MoveAction, false},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    note->SetLines({"old text"});
    note->SetModified(false);
    const std::string first = FileCase::Make(c.first, t.host.folder.path() + "a/");
    const std::string other = FileCase::Make(FileCase::File, t.host.folder.path() + "b/");
    WriteBytes(other, "not this one\r\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(first)),
                  QUrl::fromLocalFile(QString::fromStdString(other)),
                  QUrl::fromLocalFile(QString::fromStdString(other))});
    QWidget* target = c.onTextArea ? note->mem->viewport() : static_cast<QWidget*>(note);
    QDragEnterEvent enter({20, 40}, c.offered, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop({20, 40}, c.offered, &data, Qt::LeftButton, Qt::NoModifier);
    if (c.taken) QApplication::sendEvent(target, &drop);
    SCOPED_TRACE(c.name);
    EXPECT_EQ(enter.isAccepted(), c.taken);
    if (!c.taken) continue;
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    const bool imported = c.first == FileCase::File;
    EXPECT_EQ(note->Lines(), imported ? Lines({"first line", "second\tline"}) : Lines({"old text"}));
    EXPECT_EQ(note->Modified(), imported);
    // The drop is answered first: the drag source does not wait on the box.
    EXPECT_TRUE(t.host.dialogs.shown.empty());
    QCoreApplication::processEvents();
    const std::vector<std::string> errors = t.host.dialogs.Texts("error");
    EXPECT_EQ(errors.size(), imported ? 0u : 1u);
    if (!imported) {
      EXPECT_NE(errors[0].find("\"" + first + "\""), std::string::npos);
      EXPECT_EQ(t.host.dialogs.shown[0].owner, note);
    }
  }
}

TEST(NoteCommands, ImportAndDropAreUndoneByCtrlZAndRefusedByAReadOnlyNote) {
  struct Case {
    const char* name;
    bool drop;
    bool readOnly;
  };
  const Case cases[] = {{"import", false, false},
                        {"drop", true, false},
                        {"import on a read-only note", false, true},
                        {"drop on a read-only note", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    note->SetLines({"old text"});
    note->SetModified(false);
    note->SetReadOnly(c.readOnly);
    // A text file from Windows: read as Windows-1252, whatever the note's own encoding.
    const std::string path = t.host.folder.path() + "in.txt";
    WriteBytes(path, "caf\xe9\r\n\x93quoted\x94\r\n");
    if (c.drop) {
      QMimeData data;
      data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
      QDragEnterEvent enter({20, 40}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(note->mem->viewport(), &enter);
      QDropEvent drop({20, 40}, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(note->mem->viewport(), &drop);
      QCoreApplication::processEvents();  // the refusal comes once the drop is over
    } else {
      t.host.dialogs.pathAnswers = {path};
      note->Menu().pmImportTextFile->trigger();
    }
    if (c.readOnly) {
      EXPECT_EQ(note->Lines(), Lines({"old text"}));
      EXPECT_FALSE(note->Modified());
      ASSERT_EQ(t.host.dialogs.shown.size(), 1u);  // no file dialog either
      EXPECT_EQ(t.host.dialogs.shown[0].kind, "message");
      EXPECT_EQ(t.host.dialogs.shown[0].text, "This Quib-Note is read only.");
      continue;
    }
    EXPECT_EQ(note->Lines(), Lines({"caf\xc3\xa9", "\xe2\x80\x9cquoted\xe2\x80\x9d"}));
    EXPECT_TRUE(note->Modified());
    EXPECT_EQ(note->TextEncoding(), TTextEncoding::Utf8);  // the note's own file stays UTF-8
    QTest::keyClick(note->mem, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(note->Lines(), Lines({"old text"}));
  }
}

TEST(NoteCommands, DeleteAsksThenSavesRenamesAndCloses) {
  struct Case {
    const char* name;
    bool byKey, yes, modified, fileThere, saveFails;
  };
  const Case cases[] = {
      {"Ctrl+F4 answered No", true, false, true, true, false},
      {"Ctrl+F4 answered Yes, modified", true, true, true, true, false},
      {"menu, unchanged", false, true, false, true, false},
      {"menu, text file missing", false, true, false, false, false},
      {"menu, text cannot be saved", false, true, true, false, true},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* other = MakeNote(t.host, 1, 0, 0);
    TfrmNote* note = MakeNote(t.host, 2, 50, 60);
    if (c.fileThere) {
      WriteBytes(t.host.store.NoteTextPath(2), "before\r\n");
      note->LoadText();
    }
    if (c.saveFails) CreateDir(t.host.store.NoteTextPath(2));
    if (c.modified) note->SetLines({"after"});
    t.host.dialogs.confirmAnswers = {c.yes};
    QPointer<TfrmNote> watch(note);
    if (c.byKey)
      SendKey(*note->mem, Qt::Key_F4, Qt::ControlModifier);
    else
      note->Menu().pmDelete->trigger();
    FlushDeletes();
    SCOPED_TRACE(c.name);
    EXPECT_EQ(t.host.dialogs.Texts("confirm"),
              std::vector<std::string>{"Are you sure you want to delete this Quib-Note?"});
    const bool deleted = c.yes && !c.saveFails;
    EXPECT_EQ(watch.isNull(), deleted);
    EXPECT_EQ(t.host.dialogs.Texts("error").size(), c.saveFails ? 1u : 0u);
    EXPECT_EQ(FileExists(t.host.store.DeletedNoteTextPath(2)), deleted && (c.fileThere || c.modified));
    if (!deleted) {
      EXPECT_TRUE(note->isVisible());
      EXPECT_TRUE(note->Modified());
      EXPECT_EQ(t.host.open.size(), 2u);
      if (c.fileThere) {
        EXPECT_EQ(ReadFileBytes(t.host.store.NoteTextPath(2)), "before\r\n");
      }
      continue;
    }
    EXPECT_EQ(t.host.deletedIds, std::vector<int32_t>{2});
    EXPECT_EQ(t.host.open, std::vector<TfrmNote*>{other});
    EXPECT_FALSE(FileExists(t.host.store.NoteTextPath(2)));
    if (FileExists(t.host.store.DeletedNoteTextPath(2))) {
      EXPECT_EQ(ReadFileBytes(t.host.store.DeletedNoteTextPath(2)), c.modified ? "after\r\n" : "before\r\n");
    }
    // The record keeps the note as it was, for an undelete.
    const TNoteConfig& r = *t.host.records.at(2);
    EXPECT_EQ(std::vector<int>({r.Left, r.Top}), std::vector<int>({50, 60}));
  }
}

TEST(NoteCommands, ReadOnlyTwice) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 7, 0, 0, 200, 100);
  note->SetLines({"text"});
  const QImage plain = note->pb->grab().toImage();
  for (const bool readOnly : {true, false}) {
    QSignalSpy changed(note, &TfrmNote::Changed);
    note->Menu().pmReadOnly->trigger();
    EXPECT_EQ(note->ReadOnly(), readOnly);
    EXPECT_EQ(note->Menu().pmReadOnly->isChecked(), readOnly);
    EXPECT_GT(changed.count(), 0);
    // The title gains " *" and loses it again.
    EXPECT_EQ(note->pb->grab().toImage() == plain, !readOnly);
    note->mem->moveCursor(QTextCursor::End);
    SendKey(*note->mem, Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(note->Lines(), readOnly ? Lines({"text"}) : Lines({"textx"}));
  }
}

}  // namespace
