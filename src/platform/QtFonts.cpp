#include "platform/QtFonts.h"

#include <QFontDatabase>
#include <QFontInfo>

QFont ToQFont(const TFontSpec& font) {
  const QString name = QString::fromLocal8Bit(font.Name.c_str());
  QFont f(name);
  // Asked for by name, fontconfig answers with its substitute; where it knows none, the hint
  // makes it the sans-serif, never a serif.
  if (!QFontDatabase::hasFamily(name)) f.setStyleHint(QFont::SansSerif);
  // A stored size Qt cannot use leaves Qt's size but is kept as stored.
  if (font.Size > 0) f.setPointSize(font.Size);
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  f.setStrikeOut(font.StrikeOut);
  return f;
}

QString ShownFamily(const TFontSpec& font) {
  return QFontInfo(ToQFont(font)).family();
}
