// The parts of a note window: paint boxes that leave their painting and mouse handling to the
// window (the title strip and the size grip), and the text area.
#pragma once

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

class TNotePaintBox : public QWidget {
 public:
  explicit TNotePaintBox(QWidget* parent) : QWidget(parent) {}

  std::function<void(QPainter&)> OnPaint;
  std::function<void(QMouseEvent&)> OnMouseDown;
  std::function<void(QMouseEvent&)> OnMouseMove;
  std::function<void(QMouseEvent&)> OnMouseUp;
  std::function<void(QMouseEvent&)> OnDblClick;
  std::function<void(QContextMenuEvent&)> OnContextMenu;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    if (OnPaint) OnPaint(painter);
  }
  void mousePressEvent(QMouseEvent* e) override { call(OnMouseDown, *e); }
  void mouseMoveEvent(QMouseEvent* e) override { call(OnMouseMove, *e); }
  void mouseReleaseEvent(QMouseEvent* e) override { call(OnMouseUp, *e); }
  // The second press of a double click comes only as this event, not as a press.
  void mouseDoubleClickEvent(QMouseEvent* e) override { call(OnDblClick, *e); }
  void contextMenuEvent(QContextMenuEvent* e) override {
    if (OnContextMenu) {
      OnContextMenu(*e);
      e->accept();
    } else {
      QWidget::contextMenuEvent(e);
    }
  }

 private:
  static void call(const std::function<void(QMouseEvent&)>& handler, QMouseEvent& e) {
    if (handler) handler(e);
    e.accept();
  }
};

// The text area. The window answers the function keys before the text area sees them; the text
// area then takes them, so that they do not travel on to the window and run a second time.
class TNoteMemo : public QPlainTextEdit {
 public:
  explicit TNoteMemo(QWidget* parent) : QPlainTextEdit(parent) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    QPlainTextEdit::keyPressEvent(e);
    if (e->key() >= Qt::Key_F1 && e->key() <= Qt::Key_F12) e->accept();
  }
};
