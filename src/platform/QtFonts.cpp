#include "platform/QtFonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHash>

namespace {
// QFontDatabase::hasFamily has fontconfig resolve the name each time, which took longer than the
// rest of making a note's text area; every new note asks twice. The answers are kept until the
// application's fonts change.
bool installedFamily(const QString& name) {
  static QHash<QString, bool> known;
  static bool watching = false;
  if (!watching && qGuiApp) {
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, [] { known.clear(); });
    watching = true;
  }
  if (const auto it = known.constFind(name); it != known.constEnd()) return *it;
  const bool installed = QFontDatabase::hasFamily(name);
  known.insert(name, installed);
  return installed;
}
}  // namespace

QFont ToQFont(const TFontSpec& font) {
  const QString name = QString::fromLocal8Bit(font.Name.c_str());
  QFont f(name);
  // Asked for by name, fontconfig answers with its substitute; where it knows none, the hint
  // makes it the sans-serif, never a serif.
  if (!installedFamily(name)) f.setStyleHint(QFont::SansSerif);
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
