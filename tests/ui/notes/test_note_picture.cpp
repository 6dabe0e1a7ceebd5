// A few notes as the desktop shows them: normal, minimized, read-only system note, other
// colours and fonts. With QUIB_SCREENSHOT_DIR set the picture is saved as notes.png there.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPlainTextEdit>

#include "NoteTestUtil.h"
#include "graphics/brColorUtil.h"

namespace {

QColor Q(TColor c) {
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

TEST(NotePicture, FewNotesOnADesktop) {
  FakeNoteHost host;
  struct Spec {
    int32_t id;
    QRect rect;
    TColor color;
    std::vector<std::string> text;
    bool minimized, readOnly, systemNote;
    int fontSize;
  };
  const Spec specs[] = {
      {1,
       {20, 20, 170, 120},
       clDefaultNoteColor,
       {"Buy milk", "Call Anna at 5", "\tthen the garage"},
       false,
       false,
       false,
       8},
      {2, {210, 20, 150, 100}, RGB(250, 200, 120), {"Hidden away"}, true, false, false, 8},
      {3,
       {210, 60, 190, 110},
       RGB(170, 200, 250),
       {"Read-only system note", "cannot be typed into"},
       false,
       true,
       true,
       9},
      {4, {420, 20, 150, 150}, RGB(245, 160, 200), {"Big", "font"}, false, false, false, 16},
      {5, {20, 160, 64, 36}, RGB(220, 220, 220), {"smallest"}, false, false, false, 8},
  };
  QImage desktop(600, 220, QImage::Format_RGB32);
  desktop.fill(QColor(58, 110, 165));
  std::vector<TfrmNote*> made;
  for (const auto& s : specs) {
    TfrmNote* note = MakeNote(host, s.id, s.rect.x(), s.rect.y(), s.rect.width(), s.rect.height());
    made.push_back(note);
    note->SetNoteColor(s.color);
    note->SetSystemNote(s.systemNote);
    note->SetTextFont({"DejaVu Sans", s.fontSize, clBlack});
    note->SetLines(s.text);
    note->SetReadOnly(s.readOnly);
    if (s.minimized) note->Minimize();
    note->RepaintStrip();
    note->RepaintGrip();
  }
  QPainter painter(&desktop);
  for (TfrmNote* note : made) painter.drawImage(note->pos(), note->grab().toImage());
  painter.end();

  for (size_t i = 0; i < made.size(); ++i) {
    const TfrmNote& note = *made[i];
    const QPoint at = note.pos();
    // The black outline at the top-left, the frame colour inside it, the note colour below.
    EXPECT_EQ(desktop.pixelColor(at), QColor(Qt::black)) << i;
    EXPECT_EQ(desktop.pixelColor(at + QPoint(note.width() - 1, 0)), QColor(Qt::black)) << i;
    if (note.Minimized()) {
      EXPECT_EQ(desktop.pixelColor(at + QPoint(16, 16)), QColor(Qt::black)) << i;
      EXPECT_EQ(desktop.pixelColor(at + QPoint(5, 5)), Q(note.FrameColor())) << i;
    } else {
      EXPECT_EQ(desktop.pixelColor(at + QPoint(2, 2)), Q(note.FrameColor())) << i;
      EXPECT_EQ(desktop.pixelColor(at + QPoint(1, note.height() - 14)), Q(note.NoteColor())) << i;
      // The grip's black outline in the bottom-right corner.
      EXPECT_EQ(desktop.pixelColor(at + QPoint(note.width() - 1, note.height() - 1)), QColor(Qt::black)) << i;
      EXPECT_EQ(desktop.pixelColor(at + QPoint(note.width() - 12, note.height() - 12)), QColor(Qt::black))
          << i;
    }
  }
  const QByteArray dir = qgetenv("QUIB_SCREENSHOT_DIR");
  if (!dir.isEmpty()) {
    EXPECT_TRUE(desktop.save(QString::fromLocal8Bit(dir) + "/notes.png"));
  }

  host.closingAll = true;
  for (TfrmNote* note : made) note->close();
  FlushDeletes();
}

}  // namespace
