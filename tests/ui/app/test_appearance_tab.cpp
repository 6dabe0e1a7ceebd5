#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <functional>

#include "app/UAppearanceTab.h"
#include "app/UNotesSaver.h"
#include "app/UNotesTab.h"
#include "graphics/brColorUtil.h"
#include "notes/ui/UNoteParts.h"
#include "platform/QtCanvas.h"
#include "support/qt/PanelTest.h"

namespace {
class AppearanceTest : public PanelTest {
 protected:
  void SetUp() override {
    PanelTest::SetUp();
    start();
  }
  // Notes in list order with these colours; the autosave they started has run.
  void notes(const std::vector<TColor>& colors) {
    for (const TColor c : colors) newNote().SetNoteColor(c);
    main->Saver().AutoSave();
  }
  std::vector<TColor> colors() {
    std::vector<TColor> out;
    for (const TfrmNote* n : list().Notes()) out.push_back(n->NoteColor());
    return out;
  }
  // The control panel on screen with the Appearance tab current, laid out.
  void showTab() {
    main->ShowControlPanel();
    main->findChild<QTabWidget*>("PageControl")->setCurrentWidget(&tab());
    activate(main.get());
  }
  static void activate(QWidget* window) {
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  }
  // Picks an end through the bar, answering the colour dialog with answer (negative: Cancel).
  void pick(int x, TColor answer) {
    dialogs.colorAnswers.push_back(answer);
    tab().pbGradientMouseUp(x);
  }
  TAppearanceTab& tab() { return main->AppearanceTab(); }
};
}  // namespace

TEST_F(AppearanceTest, BarFollowsTheTabsWidthAndCancelLeavesIt) {
  notes({RGB(10, 20, 30), RGB(200, 100, 0)});
  showTab();
  main->resize(500, 400);
  QCoreApplication::processEvents();
  EXPECT_EQ(tab().pnlGradient->width(), tab().width() - 16);
  const int w = tab().pbGradient->width();
  EXPECT_EQ(w, tab().pnlGradient->width() - 2);  // inside the sunken edge
  EXPECT_EQ(tab().btnRandomizeColors->geometry().right() + 1, tab().width() - 6);

  const QImage before = tab().pbGradient->grab().toImage();
  EXPECT_EQ(FromQColor(before.pixelColor(0, 5)), RGB(10, 20, 30));
  EXPECT_EQ(FromQColor(before.pixelColor(w - 1, 5)), GradientBarColors(tab().Gradient(), w).back());
  pick(0, -1);
  pick(w - 1, -1);
  EXPECT_EQ(tab().Gradient(), (TGradient{RGB(10, 20, 30), RGB(200, 100, 0)}));
  EXPECT_EQ(dialogs.Texts("color"),
            (std::vector<std::string>{std::to_string(RGB(10, 20, 30)), std::to_string(RGB(200, 100, 0))}));
  EXPECT_EQ(tab().pbGradient->grab().toImage(), before);

  pick(w / 2 - 1, clWhite);
  pick(w / 2, clBlack);
  EXPECT_EQ(tab().Gradient(), (TGradient{clWhite, clBlack}));
}

TEST_F(AppearanceTest, EnteringTheTabReplacesPickedColoursComingBackToThePanelDoesNot) {
  notes({RGB(1, 2, 3), RGB(4, 5, 6), RGB(7, 8, 9)});
  const TGradient fromNotes{RGB(1, 2, 3), RGB(7, 8, 9)};
  // Start-up had no notes, so it drew random ends, which are never this dark.
  EXPECT_NE(tab().Gradient(), fromNotes);
  showTab();
  EXPECT_EQ(tab().Gradient(), fromNotes);
  auto* exitButton = main->findChild<QPushButton*>("btnExit");
  TfrmNote& note = list().At(0);
  note.show();
  struct Case {
    const char* what;
    std::function<void()> move;
    bool entered;
  } cases[] = {
      {"from a button below the tabs",
       [&] {
         exitButton->setFocus();
         tab().btnDarker->setFocus();
       },
       true},
      {"within the tab", [&] { tab().btnBrighter->setFocus(); }, false},
      {"a click on the bar",
       [&] {
         exitButton->setFocus();
         QTest::mousePress(tab().pbGradient, Qt::LeftButton, {}, {3, 3});
       },
       true},
      {"back from a note",
       [&] {
         activate(&note);
         note.mem->setFocus();
         activate(main.get());
       },
       false},
      {"the panel shown again", [&] { main->ShowControlPanel(); }, false},
      {"to the menu bar and back",
       [&] {
         main->menuBar()->setFocus();
         tab().btnDarker->setFocus();
       },
       false},
      {"hidden and shown again",
       [&] {
         main->HideControlPanel();
         main->ShowControlPanel();
         activate(main.get());
       },
       false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    pick(0, clWhite);
    pick(10000, clBlack);
    c.move();
    QCoreApplication::processEvents();
    EXPECT_EQ(tab().Gradient(), c.entered ? fromNotes : (TGradient{clWhite, clBlack}));
  }
}

TEST_F(AppearanceTest, CommandsColourEveryNoteInListOrderAndStartTheAutosave) {
  desktop.color = RGB(100, 110, 120);
  const std::vector<TColor> start{RGB(250, 3, 100), clWhite, clBlack};
  struct Case {
    const char* what;
    void (TAppearanceTab::*command)();
    std::vector<TColor> expected;
  } cases[] = {
      {"darker", &TAppearanceTab::btnDarkerClick, {RGB(245, 0, 95), RGB(250, 250, 250), clBlack}},
      {"brighter", &TAppearanceTab::btnBrighterClick, {RGB(255, 8, 105), clWhite, RGB(5, 5, 5)}},
      {"wallpaper", &TAppearanceTab::btnDesktopWallpaperClick, std::vector<TColor>(3, RGB(140, 150, 160))},
      {"gradient", &TAppearanceTab::btnApplyGradientClick, {clBlack, RGB(128, 128, 128), clWhite}},
  };
  notes(start);
  notesTab().Select(1);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (int i = 0; i < 3; ++i) list().At(i).SetNoteColor(start[static_cast<size_t>(i)]);
    pick(0, clBlack);
    pick(10000, clWhite);
    main->Saver().AutoSave();
    ASSERT_FALSE(main->Saver().AutosavePending());
    (tab().*c.command)();
    EXPECT_EQ(colors(), c.expected);
    EXPECT_TRUE(main->Saver().AutosavePending());
  }
  // Apply refreshed the details of the selected note, in its new colour.
  EXPECT_EQ(FromQColor(notesTab().memNote->palette().color(QPalette::Base)),
            list().At(notesTab().SelectedIndex()).NoteColor());
}
