// Where the keyboard goes: a note's boxes and dialogs belong to the note, and the Qt dialogs
// give the keyboard back to their owner when they close; a press on the strip or the grip gives
// the note's text the keyboard, and a restore takes it from no other window.
#include <gtest/gtest.h>

#include <QDialog>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>
#include <QTimer>
#include <functional>

#include "NoteTestUtil.h"
#include "platform/QtDialogs.h"

namespace {

bool WaitActive(QWidget* window) {
  return QTest::qWaitFor([window] { return QApplication::activeWindow() == window; }, 2000);
}

TEST(NoteFocus, EveryBoxOfANoteBelongsToIt) {
  struct Case {
    const char* name;
    std::function<void(TfrmNote&)> run;
    const char* kind;
  };
  const Case cases[] = {
      {"F9", [](TfrmNote& n) { SendKey(*n.mem, Qt::Key_F9); }, "color"},
      {"F11", [](TfrmNote& n) { SendKey(*n.mem, Qt::Key_F11); }, "color"},
      {"Ctrl+F11", [](TfrmNote& n) { SendKey(*n.mem, Qt::Key_F11, Qt::ControlModifier); }, "font"},
      {"Ctrl+F4", [](TfrmNote& n) { SendKey(*n.mem, Qt::Key_F4, Qt::ControlModifier); }, "confirm"},
      {"import", [](TfrmNote& n) { n.pmImportTextFileClick(); }, "open"},
      {"export", [](TfrmNote& n) { n.pmExportTextFileClick(); }, "save"},
      {"import on a read-only note",
       [](TfrmNote& n) {
         n.SetReadOnly(true);
         n.pmImportTextFileClick();
       },
       "message"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    MakeNote(t.host, 2, 300, 0);
    c.run(*note);
    ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
    EXPECT_EQ(t.host.dialogs.shown[0].kind, c.kind);
    EXPECT_EQ(t.host.dialogs.shown[0].owner, note);
    EXPECT_EQ(t.host.dialogs.Owner(), nullptr);
  }
}

TEST(NoteFocus, ACommandRunFromThePanelReturnsToThePanel) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 0, 0);
  QWidget panel;
  {
    const TDialogOwner owner(t.host.dialogs, &panel);
    note->pmDeleteClick();  // answered No
  }
  ASSERT_EQ(t.host.dialogs.shown.size(), 1u);
  EXPECT_EQ(t.host.dialogs.shown[0].owner, &panel);
  EXPECT_EQ(t.host.dialogs.Owner(), nullptr);
}

// The box is the owner's child and, when it closes, the owner is the active window with the
// caret where it was, also when another window was active before.
TEST(QtDialogsOwner, TheOwnerHasTheKeyboardAgainAfterTheBox) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 0, 0);
  TfrmNote* other = MakeNote(t.host, 2, 300, 0);
  note->SetLines({"some text"});
  QTextCursor cursor = note->mem->textCursor();
  cursor.setPosition(4);
  note->mem->setTextCursor(cursor);
  struct Askers : ColorChooser {
    bool ChooseColor(TColor&, QWidget* asker) override {
      list.push_back(asker);
      return false;
    }
    std::vector<QWidget*> list;
  } chooser;
  std::vector<QWidget*>& askers = chooser.list;
  TQtDialogs dialogs([] { return std::string("Quib"); }, &chooser);

  struct Case {
    const char* name;
    std::function<void()> show;
  };
  const Case cases[] = {
      {"message", [&] { dialogs.ShowMessage("hello"); }},
      {"error", [&] { dialogs.ShowError("Quib", "cannot"); }},
      {"confirmation", [&] { EXPECT_FALSE(dialogs.Confirm("sure?")); }},
      {"colour",
       [&] {
         TColor color = clBlack;
         EXPECT_FALSE(dialogs.ChooseColor(color));
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    other->activateWindow();
    ASSERT_TRUE(WaitActive(other));
    QWidget* parent = nullptr;
    QTimer::singleShot(0, [&parent] {
      if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        parent = box->parentWidget();
        box->done(0);
      }
    });
    {
      const TDialogOwner owner(dialogs, note);
      c.show();
    }
    // The colour picker is the chooser's, which was told its owner.
    if (std::string(c.name) != "colour") {
      EXPECT_EQ(parent, note);
    }
    EXPECT_TRUE(WaitActive(note));
    EXPECT_EQ(QApplication::focusWidget(), note->mem);
    EXPECT_EQ(note->mem->textCursor().position(), 4);
  }
  EXPECT_EQ(askers, std::vector<QWidget*>{note});
}

TEST(NoteFocus, APressOnTheStripOrTheGripGivesTheTextTheKeyboard) {
  const char* controls[] = {"strip", "grip"};
  for (const char* control : controls) {
    SCOPED_TRACE(control);
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    TfrmNote* other = MakeNote(t.host, 2, 300, 0);
    other->activateWindow();
    ASSERT_TRUE(WaitActive(other));
    const bool strip = std::string(control) == "strip";
    QWidget& target = strip ? static_cast<QWidget&>(*note->pb) : *note->pbSize;
    // On the strip right of its menu box.
    const QPoint at = strip ? QPoint(60, 8) : QPoint(5, 5);
    SendMouse(*note, target, QEvent::MouseButtonPress, at);
    SendMouse(*note, target, QEvent::MouseButtonRelease, at);
    EXPECT_TRUE(WaitActive(note));
    EXPECT_EQ(QApplication::focusWidget(), note->mem);
  }
}

// A note restored from the control panel (Maximize All) takes no focus away; the text is its
// focus widget again for when the user comes to it.
TEST(NoteFocus, RestoringANoteTakesNoFocusAway) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 2, 0, 0);
  TfrmNote* other = MakeNote(t.host, 1, 300, 0);
  note->Minimize();
  other->activateWindow();
  ASSERT_TRUE(WaitActive(other));
  note->Maximize();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::activeWindow(), other);
  EXPECT_EQ(note->focusWidget(), note->mem);
}

}  // namespace
