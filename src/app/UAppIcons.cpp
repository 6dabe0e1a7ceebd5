#include "app/UAppIcons.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
// The design is laid out on a 16 x 16 grid (as in packaging/quib.svg, which is the same picture
// at 16 units to the side); every coordinate is rounded to a whole pixel of the real size.
int snap(double units, int size) {
  return static_cast<int>(std::floor(units * size / 16.0 + 0.5));
}

QRect spanRect(int left, int top, int right, int bottom) {
  return QRect(left, top, right - left, bottom - top);
}
}  // namespace

QImage NoteIconImage(int size, const QColor& paper) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  // Derived rather than listed, so that every paper colour gets a matching strip and frame:
  // each a little warmer than the paper, the way a darker shade of a printed colour looks.
  int hue = 0, sat = 0, val = 0;
  paper.getHsv(&hue, &sat, &val);
  const auto shade = [&](int hueShift, int saturation, int percent) {
    return QColor::fromHsv((std::max(hue, 0) + 360 - hueShift) % 360, std::min(saturation, 255),
                           val * percent / 100);
  };
  const QColor strip = shade(6, sat + 40, 90);
  const QColor frame = shade(10, sat + 60, 45);
  const QColor lines = shade(10, sat, 62);
  // Line widths grow with the size but never vanish: one pixel at the tray's sizes.
  const int frameWidth = std::max(1, static_cast<int>(std::lround(size / 40.0)));
  const int lineWidth = std::max(1, static_cast<int>(std::lround(size / 16.0)));

  QPainter p(&image);
  const int outer0 = snap(1, size), outer1 = snap(15, size);
  const int in0 = outer0 + frameWidth, in1 = outer1 - frameWidth;
  p.fillRect(spanRect(outer0, outer0, outer1, outer1), frame);
  p.fillRect(spanRect(in0, in0, in1, in1), paper);
  p.fillRect(spanRect(in0, in0, in1, snap(5, size)), strip);
  // Three text lines two units apart, the last one short; one rounded pitch for all of them, so
  // that the gaps stay even at sizes that are not a multiple of 16.
  const int pitch = std::max(lineWidth + 1, static_cast<int>(std::lround(size / 8.0)));
  for (int i = 0; i < 3; ++i) {
    const int y = snap(7, size) + i * pitch;
    p.fillRect(spanRect(snap(3, size), y, snap(i == 2 ? 10 : 13, size), y + lineWidth), lines);
  }
  return image;
}

QPixmap QuibIconPixmap(int size) {
  return QPixmap::fromImage(NoteIconImage(size, QuibIconPaper));
}

QIcon BuiltInTrayIcon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) icon.addPixmap(QuibIconPixmap(size));
  return icon;
}

QIcon SmallWindowIcon() {
  QIcon icon;
  for (int size : {16, 32}) icon.addPixmap(QuibIconPixmap(size));
  return icon;
}
