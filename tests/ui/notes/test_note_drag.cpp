// Moving and sizing a note window with the pointer, the menu box and the double click.
#include <gtest/gtest.h>

#include <QContextMenuEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <memory>

#include "NoteTestUtil.h"

namespace {

struct MoveCase {
  const char* name;
  bool grid, edges, notes;
  QPoint delta;  // pointer travel from the press
  QPoint want;
  int wantMoves;
  double gridX = 8, gridY = 8;
};

TEST(NoteWindowDrag, MoveByTheTitleStrip) {
  // The note starts at (100, 100), 128 x 128; pressed at (50, 8) of its strip. Another note lies
  // at (300, 300) and one at (2, 400); the screen is 1024 x 768 with a task bar of 30.
  const MoveCase cases[] = {
      {"no travel, no move", false, false, false, {0, 0}, {100, 100}, 0},
      {"plain travel", false, false, false, {10, 5}, {110, 105}, 1},
      {"free far off the screen", false, false, false, {-900, 2000}, {-800, 2100}, 1},
      {"grid 12 -> 16, 100 -> 96", true, true, true, {-88, 0}, {16, 96}, 1},
      {"grid 4 -> 0", true, false, false, {-96, 0}, {0, 96}, 1},
      {"grid 0 on x moves x freely", true, false, false, {-88, 0}, {12, 96}, 1, 0, 8},
      {"screen left edge", false, true, false, {-93, 0}, {0, 100}, 1},
      {"left edge out of reach at 9", false, true, false, {-91, 0}, {9, 100}, 1},
      {"work area bottom", false, true, false, {0, 505}, {100, 610}, 1},
      {"other note's right column", false, false, true, {330, 0}, {427, 100}, 1},
      {"note edge then screen edge", false, true, true, {-95, 0}, {0, 100}, 1},
  };
  for (const auto& c : cases) {
    Notes t;
    t.host.grid = c.grid;
    t.host.edges = c.edges;
    t.host.notesSnap = c.notes;
    t.host.gridX = c.gridX;
    t.host.gridY = c.gridY;
    MakeNote(t.host, 2, 300, 300);
    MakeNote(t.host, 3, 2, 400);
    TfrmNote* note = MakeNote(t.host, 1, 100, 100);
    MoveCounter counter(*note);
    const QPoint press = note->pos() + QPoint(50, 8);
    SendMouseAt(*note, *note->pb, QEvent::MouseButtonPress, press);
    EXPECT_TRUE(note->Moving()) << c.name;
    EXPECT_EQ(QPoint(note->DownX(), note->DownY()), QPoint(50, 8)) << c.name;
    SendMouseAt(*note, *note->pb, QEvent::MouseMove, press + c.delta);
    EXPECT_EQ(note->pos(), c.want) << c.name;
    EXPECT_EQ(note->size(), QSize(128, 128)) << c.name;
    EXPECT_EQ(counter.moves, c.wantMoves) << c.name;
    SendMouseAt(*note, *note->pb, QEvent::MouseButtonRelease, press + c.delta);
    EXPECT_FALSE(note->Moving()) << c.name;
  }
}

TEST(NoteWindowDrag, SnappedBackToWhereItIsSendsNoMove) {
  Notes t;
  t.host.edges = true;
  TfrmNote* note = MakeNote(t.host, 1, 0, 100);
  MoveCounter counter(*note);
  const QPoint press = note->pos() + QPoint(50, 8);
  SendMouseAt(*note, *note->pb, QEvent::MouseButtonPress, press);
  SendMouseAt(*note, *note->pb, QEvent::MouseMove, press + QPoint(5, 0));
  EXPECT_EQ(note->pos(), QPoint(0, 100));
  EXPECT_EQ(counter.moves, 0);
}

TEST(NoteWindowDrag, PointerTravelIsMeasuredFromTheWindowAsItIsNow) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 100, 100);
  const QPoint press = note->pos() + QPoint(20, 5);
  SendMouseAt(*note, *note->pb, QEvent::MouseButtonPress, press);
  for (int step = 1; step <= 5; ++step)
    SendMouseAt(*note, *note->pb, QEvent::MouseMove, press + QPoint(7 * step, 3));
  EXPECT_EQ(note->pos(), QPoint(135, 103));
  // A motion without a press moves nothing.
  SendMouseAt(*note, *note->pb, QEvent::MouseButtonRelease, press + QPoint(35, 3));
  SendMouseAt(*note, *note->pb, QEvent::MouseMove, press + QPoint(90, 90));
  EXPECT_EQ(note->pos(), QPoint(135, 103));
}

TEST(NoteWindowDrag, MinimizedNoteTakesItsGroupAlongOnlyWithCtrl) {
  struct Case {
    bool minimized;
    Qt::KeyboardModifiers mods;
    QPoint delta;
    std::vector<FakeNoteHost::GroupMove> want;
  };
  const Case cases[] = {
      {true, Qt::ControlModifier, {10, -4}, {{10, -4, 1}}},
      {true, Qt::ControlModifier | Qt::ShiftModifier, {10, -4}, {{10, -4, 1}}},
      {true, Qt::NoModifier, {10, -4}, {}},
      {false, Qt::ControlModifier, {10, -4}, {}},
      {true, Qt::ControlModifier, {0, 0}, {}},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 200, 200);
    if (c.minimized) note->Minimize();
    const QPoint press = note->pos() + QPoint(8, 8);
    SendMouseAt(*note, *note->pb, QEvent::MouseButtonPress, press, Qt::LeftButton, c.mods);
    SendMouseAt(*note, *note->pb, QEvent::MouseMove, press + c.delta, Qt::LeftButton, c.mods);
    EXPECT_EQ(note->pos(), QPoint(200, 200) + c.delta);
    EXPECT_EQ(t.host.groupMoves, c.want) << c.minimized << " " << c.mods.toInt();
  }
}

struct SizeCase {
  const char* name;
  bool grid, edges;
  QPoint delta;
  QSize want;
};

TEST(NoteWindowDrag, SizeByTheGrip) {
  // The note at (100, 100), 128 x 128, its grip pressed at (6, 6).
  const SizeCase cases[] = {
      {"no travel keeps the size", false, false, {0, 0}, {128, 128}},
      {"plain travel", false, false, {20, 10}, {148, 138}},
      {"toward the top-left stops at 64 x 36", false, false, {-200, -200}, {64, 36}},
      {"grid 70 -> 65, 100 -> 97", true, false, {-58, -28}, {65, 97}},
      {"grid stops at 64 x 36", true, false, {-120, -120}, {64, 36}},
      {"screen's right edge", false, true, {792, 0}, {924, 128}},
      {"work area bottom", false, true, {0, 505}, {128, 638}},
  };
  for (const auto& c : cases) {
    Notes t;
    t.host.grid = c.grid;
    t.host.edges = c.edges;
    TfrmNote* note = MakeNote(t.host, 1, 100, 100);
    const QPoint press = note->pos() + note->pnlSize->pos() + QPoint(6, 6);
    SendMouseAt(*note, *note->pbSize, QEvent::MouseButtonPress, press);
    EXPECT_TRUE(note->Sizing()) << c.name;
    SendMouseAt(*note, *note->pbSize, QEvent::MouseMove, press + c.delta);
    EXPECT_EQ(note->size(), c.want) << c.name;
    EXPECT_EQ(note->pos(), QPoint(100, 100)) << c.name;
    // The grip follows the corner.
    EXPECT_EQ(note->pnlSize->geometry(), QRect(c.want.width() - 12, c.want.height() - 12, 12, 12)) << c.name;
    SendMouseAt(*note, *note->pbSize, QEvent::MouseButtonRelease, press + c.delta, Qt::RightButton);
    EXPECT_FALSE(note->Sizing()) << c.name;
  }
}

TEST(NoteWindowDrag, QuickSecondPressOnTheGripSizesLikeTheFirst) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 100, 100);
  const QPoint press = note->pos() + note->pnlSize->pos() + QPoint(6, 6);
  SendMouseAt(*note, *note->pbSize, QEvent::MouseButtonPress, press);
  SendMouseAt(*note, *note->pbSize, QEvent::MouseButtonRelease, press);
  // The second press of a double click comes as a double click alone.
  SendMouseAt(*note, *note->pbSize, QEvent::MouseButtonDblClick, press);
  EXPECT_TRUE(note->Sizing());
  SendMouseAt(*note, *note->pbSize, QEvent::MouseMove, press + QPoint(20, 10));
  EXPECT_EQ(note->size(), QSize(148, 138));
}

TEST(NoteWindowDrag, MenuBoxAndRightClick) {
  struct Case {
    const char* name;
    bool minimized;
    QPoint at;
    bool right;
    bool opens;
  };
  const Case cases[] = {
      {"box top-left", false, {4, 4}, false, true},
      {"box far corner", false, {16, 15}, false, true},
      {"right of the box", false, {17, 8}, false, false},
      {"left of the box", false, {3, 8}, false, false},
      {"title", false, {60, 8}, false, false},
      {"minimized box", true, {8, 8}, false, false},
      {"right click on the title", false, {60, 8}, true, true},
      {"right click on a minimized note", true, {8, 8}, true, true},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 100, 100);
    if (c.minimized) note->Minimize();
    if (c.right) {
      QContextMenuEvent e(QContextMenuEvent::Mouse, c.at, note->pos() + c.at);
      QApplication::sendEvent(note->pb, &e);
    } else {
      SendMouse(*note, *note->pb, QEvent::MouseButtonPress, c.at);
      SendMouse(*note, *note->pb, QEvent::MouseButtonRelease, c.at);
    }
    EXPECT_EQ(note->Menu().isVisible(), c.opens) << c.name;
    if (c.opens && !c.right) {
      EXPECT_EQ(note->Menu().pos(), QPoint(108, 108)) << c.name;
    }
    note->Menu().hide();
  }
}

TEST(NoteWindowDrag, ReleaseAwayFromTheStripIsNoClick) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 100, 100);
  SendMouse(*note, *note->pb, QEvent::MouseButtonPress, {8, 8});
  SendMouse(*note, *note->pb, QEvent::MouseButtonRelease, {8, 60});
  EXPECT_FALSE(note->Menu().isVisible());
}

TEST(NoteWindowDrag, DoubleClickTogglesAndIsNoMenuClick) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 100, 100, 150, 90);
  for (const bool wantMinimized : {true, false, true}) {
    SendMouse(*note, *note->pb, QEvent::MouseButtonPress, {40, 8});
    SendMouse(*note, *note->pb, QEvent::MouseButtonRelease, {40, 8});
    SendMouse(*note, *note->pb, QEvent::MouseButtonDblClick, {8, 8});
    SendMouse(*note, *note->pb, QEvent::MouseButtonRelease, {8, 8});
    EXPECT_EQ(note->Minimized(), wantMinimized);
    EXPECT_FALSE(note->Menu().isVisible());
    EXPECT_EQ(note->pos(), QPoint(100, 100));
  }
  EXPECT_EQ(note->size(), QSize(17, 17));
  EXPECT_EQ(note->FullSize(), QSize(150, 90));
}

}  // namespace
