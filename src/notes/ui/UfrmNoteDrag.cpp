// The move drag on a note's title strip and the resize drag on its grip, with the snapping;
// a press on either also gives the note the keyboard, as a click on its text would.
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <cmath>

#include "graphics/brMultiMonitor.h"
#include "notes/UNoteDrag.h"
#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "notes/ui/UNoteHost.h"
#include "notes/ui/UNoteParts.h"
#include "notes/ui/UfrmNote.h"

namespace {

// The pointer within a control, from its desktop position and where the window is now: the
// event's own local position may still refer to where the window was before the last move.
QPoint PointerIn(const QWidget& window, const QWidget& control, const QMouseEvent& e) {
  const QPointF global = e.globalPosition();
  const auto pixel = [](double v) { return static_cast<int>(std::floor(v)); };
  return {pixel(global.x()) - window.x() - control.x(), pixel(global.y()) - window.y() - control.y()};
}

}  // namespace

// ---- move drag ----------------------------------------------------------------------------

// A press that starts a move or a resize: the text keeps the keyboard, the press point is kept,
// and edge snapping reads the screens as they are now.
void TfrmNote::BeginDrag(const QWidget& control, const QMouseEvent& e) {
  TakeKeyboard();
  const QPoint p = PointerIn(*this, control, e);
  downX_ = p.x();
  downY_ = p.y();
  if (host_.Options().Snapping.Edges) host_.ScreenSnapper().Refresh();
}

void TfrmNote::pbMouseDown(QMouseEvent& e) {
  if (e.button() != Qt::LeftButton) return;
  moving_ = true;
  clickPending_ = true;
  BeginDrag(*pb, e);
}

void TfrmNote::pbMouseMove(QMouseEvent& e) {
  if (!moving_) return;
  const QPoint p = PointerIn(*this, *pb, e);
  const int oldLeft = x(), oldTop = y();
  const TDragSnapping snapping = host_.Options().Snapping;
  const TDragInput in{oldLeft, oldTop, width(), height(), p.x(), p.y(), downX_, downY_};
  const TBoxController& boxes = host_.BoxController();
  const TScreenSnapper& screen = host_.ScreenSnapper();
  const int32_t id = id_;
  const TDragPoint to = NoteMoveTarget(
      snapping, in, [&boxes, id](int& x, int& y, int w, int h) { boxes.SnapMove(id, x, y, w, h); },
      [&screen](int& x, int& y, int w, int h) { screen.SnapMove(x, y, w, h); });
  if (to.X == oldLeft && to.Y == oldTop) return;
  move(to.X, to.Y);
  if (minimized_ && e.modifiers().testFlag(Qt::ControlModifier))
    host_.MoveMinimizedGroup(to.X - oldLeft, to.Y - oldTop, id_);
}

void TfrmNote::pbMouseUp(QMouseEvent& e) {
  if (e.button() != Qt::LeftButton) return;
  moving_ = false;
  const bool click = clickPending_ && pb->rect().contains(PointerIn(*this, *pb, e));
  clickPending_ = false;
  // The menu box: a click whose press lay on it.
  if (click && !minimized_ && PointInBox(downX_, downY_, 4, 4, 13, 13)) PopupMenu(QPoint(x() + 8, y() + 8));
}

void TfrmNote::pbDblClick(QMouseEvent& e) {
  if (e.button() != Qt::LeftButton) return;
  ToggleMinimized();
  // The second press of a double click still starts a drag, but it is no click.
  pbMouseDown(e);
  clickPending_ = false;
}

// ---- resize drag --------------------------------------------------------------------------

void TfrmNote::pbSizeMouseDown(QMouseEvent& e) {
  if (e.button() != Qt::LeftButton) return;
  sizing_ = true;
  BeginDrag(*pnlSize, e);
}

void TfrmNote::pbSizeMouseMove(QMouseEvent& e) {
  if (!sizing_) return;
  const QPoint p = PointerIn(*this, *pnlSize, e);
  const TDragSnapping snapping = host_.Options().Snapping;
  const TDragInput in{x(), y(), width(), height(), p.x(), p.y(), downX_, downY_};
  const TBoxController& boxes = host_.BoxController();
  const TScreenSnapper& screen = host_.ScreenSnapper();
  const int32_t id = id_;
  const TDragSize to = NoteSizeTarget(
      snapping, in, [&boxes, id](int left, int top, int& w, int& h) { boxes.SnapSize(id, left, top, w, h); },
      [&screen](int left, int top, int& w, int& h) { screen.SnapSize(left, top, w, h); });
  setGeometry(x(), y(), to.Width, to.Height);
}

void TfrmNote::pbSizeMouseUp(QMouseEvent&) {
  sizing_ = false;
}
