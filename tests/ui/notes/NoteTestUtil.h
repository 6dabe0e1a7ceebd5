// Helpers for the note window tests: making notes on a fake host, sending pointer and key
// events the way the desktop would, and a note folder of its own per test.
#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <string>

#include "FakeNoteHost.h"
#include "notes/ui/UNoteMenu.h"
#include "notes/ui/UNoteParts.h"
#include "notes/ui/UfrmNote.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "support/TempDir.h"

// A note shown at (left, top) with the given size and id, registered with the host.
inline TfrmNote* MakeNote(FakeNoteHost& host, int32_t id, int left, int top, int width = 128,
                          int height = 128) {
  auto* note = new TfrmNote(host);
  note->SetId(id);
  note->move(left, top);
  note->resize(width, height);
  note->show();
  QApplication::processEvents();
  host.open.push_back(note);
  return note;
}

// Sends a mouse event to a part of the note with the pointer at local point p of that part.
inline void SendMouse(TfrmNote& note, QWidget& part, QEvent::Type type, QPoint p,
                      Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  const QPoint global = note.pos() + part.mapTo(&note, QPoint(0, 0)) + p;
  const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
  QMouseEvent e(type, QPointF(p), QPointF(p), QPointF(global),
                type == QEvent::MouseMove ? Qt::NoButton : button, held, mods);
  QApplication::sendEvent(&part, &e);
}

inline void SendKey(QWidget& to, int key, Qt::KeyboardModifiers mods = Qt::NoModifier,
                    const QString& text = {}) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(&to, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(&to, &release);
}

// Runs the deletion a closed window (WA_DeleteOnClose) has asked for.
inline void FlushDeletes() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A fake control panel whose notes all go when the test ends.
struct Notes {
  FakeNoteHost host;
  ~Notes() {
    host.closingAll = true;
    for (TfrmNote* n : host.open) n->close();
    FlushDeletes();
  }
};

// The same with the pointer at a desktop point; the local point follows from where the part
// is now.
inline void SendMouseAt(TfrmNote& note, QWidget& part, QEvent::Type type, QPoint global,
                        Qt::MouseButton button = Qt::LeftButton,
                        Qt::KeyboardModifiers mods = Qt::NoModifier) {
  SendMouse(note, part, type, global - note.pos() - part.mapTo(&note, QPoint(0, 0)), button, mods);
}

// Counts the move events a window receives.
class MoveCounter : public QObject {
 public:
  explicit MoveCounter(QWidget& w) { w.installEventFilter(this); }
  int moves = 0;

 protected:
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Move) ++moves;
    return false;
  }
};
