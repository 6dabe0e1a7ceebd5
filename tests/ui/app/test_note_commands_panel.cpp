// A note's commands through the real control panel and the real dialogs module: colour choices
// reach the colour dialog the panel owns, and the list of notes deletes with the note's command.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/UNotesTab.h"
#include "graphics/brColorUtil.h"
#include "graphics/ui/UQtColorChooser.h"
#include "graphics/ui/UfrmColorPicker.h"
#include "graphics/ui/brColorPickerDialog.h"
#include "notes/ui/UNoteMenu.h"
#include "platform/QtDialogs.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "support/qt/PanelTest.h"

namespace {
// With the real dialogs module, so that a colour choice runs the panel's own colour dialog.
class NoteCommandsPanel : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    platform.dialogs = &qtDialogs;
    start();
  }

  TQtColorChooser colors;
  TQtDialogs qtDialogs{[] { return std::string("Quib"); }, &colors};
};

// Presses a button of the message box once it is up.
void AnswerMessageBox(QMessageBox::StandardButton button) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, button] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (!box) return;
    timer->stop();
    timer->deleteLater();
    box->button(button)->click();
  });
  timer->start(10);
}

TEST_F(NoteCommandsPanel, ColourChoicesGoThroughTheControlPanelsColourDialog) {
  struct Case {
    const char* name;
    bool byKey;  // F11 for the font colour, else the menu's background colour
    bool ok;
  };
  const Case cases[] = {{"background colour, OK", false, true},
                        {"background colour, Cancel", false, false},
                        {"font colour by F11, OK", true, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TfrmNote& note = newNote();
    const TColor before = c.byKey ? note.TextFont().Color : note.NoteColor();
    std::vector<TColor> presets;
    colors.Dialog().OnShown = [&presets, ok = c.ok](TfrmColorPicker& form) {
      presets.push_back(form.CurrentColor());
      form.SetCurrentColor(RGB(12, 34, 56));
      (ok ? form.btnOk : form.btnCancel)->click();
    };
    if (c.byKey) {
      QKeyEvent press(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
      QApplication::sendEvent(note.mem, &press);
    } else {
      note.Menu().pmBackgroundColor->trigger();
    }
    EXPECT_EQ(presets, std::vector<TColor>{before});
    const TColor now = c.byKey ? note.TextFont().Color : note.NoteColor();
    EXPECT_EQ(now, c.ok ? RGB(12, 34, 56) : before);
    // What the record and the notes file hold.
    main->pmSaveAllNotesnowClick();
    const TNoteConfig& r = *main->Configs()->GetConfig(note.Id());
    EXPECT_EQ(c.byKey ? r.FontColor : r.Color, now);
    const std::string attribute =
        std::string(c.byKey ? "fontcolor" : " color") + "=\"" + std::to_string(now) + "\"";
    EXPECT_NE(ReadFileBytes(dir.path() + "quibnotes.xml").find(attribute), std::string::npos);
  }
}

TEST_F(NoteCommandsPanel, ListPopupDeleteIsTheNotesOwnDeleteCommand) {
  for (const bool yes : {false, true}) {
    SCOPED_TRACE(yes);
    TfrmNote& kept = newNote();
    TfrmNote& note = newNote();
    const int32_t id = note.Id();
    note.SetLines({"bye"});
    TNotesTab& tab = notesTab();
    tab.Select(main->NotesList().IndexOf(note));
    QPointer<TfrmNote> watch(&note);
    AnswerMessageBox(yes ? QMessageBox::Yes : QMessageBox::No);
    tab.ppmDelete->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(watch.isNull(), yes);
    EXPECT_EQ(main->NotesList().IndexOf(kept) >= 0, true);
    EXPECT_EQ(FileExists(store->DeletedNoteTextPath(id)), yes);
    EXPECT_EQ(FileExists(store->NoteTextPath(id)), !yes);
    if (yes) {
      EXPECT_EQ(ReadFileBytes(store->DeletedNoteTextPath(id)), "bye\r\n");
      // The record stays, for an undelete.
      EXPECT_NE(main->Configs()->GetConfig(id), nullptr);
    } else {
      EXPECT_TRUE(note.Modified());
    }
  }
}

}  // namespace
