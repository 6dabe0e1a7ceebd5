#include "app/UAppIcons.h"

#include <QPainter>
#include <QPixmap>

namespace {
// A small note: the default note colour, its darker title strip and a black frame.
QPixmap notePixmap(int size) {
  QPixmap pm(size, size);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  const QColor body(197, 233, 141);
  const QColor strip(147, 183, 91);
  const int m = size / 16;
  const QRect r(m, m, size - 2 * m - 1, size - 2 * m - 1);
  p.fillRect(r, body);
  p.fillRect(QRect(r.left(), r.top(), r.width(), size / 4), strip);
  p.setPen(Qt::black);
  p.drawRect(r);
  p.setPen(QColor(90, 110, 60));
  for (int i = 0; i < 3; ++i) {
    const int y = r.top() + size / 4 + (i + 1) * size / 6;
    p.drawLine(r.left() + size / 6, y, r.right() - size / 6, y);
  }
  return pm;
}
}  // namespace

QIcon BuiltInTrayIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(notePixmap(size));
  return icon;
}
