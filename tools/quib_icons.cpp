// Build-time helper: draws the Quib icon into the hicolor PNGs a desktop's launcher uses and the
// tray icons (.ico) offered beside the program, and checks that icon files load back.
//
//   quib_icons write <hicolor folder> <tray icon folder> <sizes> <colours>
//       e.g. quib_icons write icons/hicolor tray_icons 16,32,48 yellow,green
//   quib_icons check <file>...
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>
#include <QStringList>
#include <cstdio>
#include <map>

#include "app/UAppIcons.h"

namespace {
// The tray icons are small pictures; a tray scales them to its own height (usually 16 to 24).
constexpr int TrayIconSize = 32;

const std::map<QString, QColor>& paperColours() {
  static const std::map<QString, QColor> colours = {
      {"yellow", QuibIconPaper},
      {"green", QColor(197, 233, 141)},  // the colour of a new note
      {"blue", QColor(166, 210, 255)},
      {"pink", QColor(255, 184, 214)},
  };
  return colours;
}

void complain(const QString& text) {
  std::fprintf(stderr, "quib_icons: %s\n", qPrintable(text));
}

// Written whole or not at all, so that an interrupted build never leaves a torn icon that the
// next build would take as up to date.
bool writeImage(const QImage& image, const QString& path, const char* format) {
  if (!QDir().mkpath(QFileInfo(path).path())) {
    complain("cannot create the folder of " + path);
    return false;
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    complain("cannot write " + path + ": " + file.errorString());
    return false;
  }
  QImageWriter writer(&file, format);
  if (!writer.write(image)) {
    complain("cannot write " + path + " as " + format + ": " + writer.errorString());
    file.cancelWriting();
    return false;
  }
  if (!file.commit()) {
    complain("cannot write " + path + ": " + file.errorString());
    return false;
  }
  return true;
}

QImage readImage(const QString& path, QByteArray* format = nullptr) {
  QImageReader reader(path);
  if (format) *format = reader.format();  // before reading: the reader forgets it afterwards
  QImage image = reader.read();
  if (image.isNull()) complain("cannot read " + path + ": " + reader.errorString());
  return image;
}

// The ICO writer is a plugin that may be missing or may change the picture (depth, alpha): read
// each tray icon back and compare it with what was drawn.
bool loadsBackAs(const QString& path, const QImage& drawn) {
  QByteArray format;
  const QImage back = readImage(path, &format);
  if (back.isNull()) return false;
  if (format != "ico" ||
      back.convertToFormat(QImage::Format_ARGB32) != drawn.convertToFormat(QImage::Format_ARGB32)) {
    complain(path + " does not read back as the icon that was drawn");
    return false;
  }
  return true;
}

int writeAll(const QString& hicolor, const QString& trayFolder, const QStringList& sizes,
             const QStringList& colours) {
  for (const QString& text : sizes) {
    bool ok = false;
    const int size = text.toInt(&ok);
    if (!ok || size < 1 || size > 1024) {
      complain("not an icon size: " + text);
      return 1;
    }
    const QString path = QString("%1/%2x%2/apps/quib.png").arg(hicolor).arg(size);
    if (!writeImage(NoteIconImage(size, QuibIconPaper), path, "png")) return 1;
  }
  for (const QString& name : colours) {
    const auto it = paperColours().find(name);
    if (it == paperColours().end()) {
      complain("no icon colour named " + name);
      return 1;
    }
    const QImage image = NoteIconImage(TrayIconSize, it->second);
    const QString path = trayFolder + "/quib_" + name + ".ico";
    if (!writeImage(image, path, "ico") || !loadsBackAs(path, image)) return 1;
  }
  return 0;
}

int checkAll(const QStringList& paths) {
  int failures = 0;
  for (const QString& path : paths) {
    QByteArray format;
    const QImage image = readImage(path, &format);
    if (image.isNull()) {
      ++failures;
      continue;
    }
    std::printf("%s: %s %dx%d\n", qPrintable(path), format.constData(), image.width(), image.height());
  }
  return failures == 0 ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
  // A core application only: the icons are drawn into images, so no display is needed while
  // building, but the image plugins are found through the application's library paths.
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 5 && args[0] == "write")
    return writeAll(args[1], args[2], args[3].split(',', Qt::SkipEmptyParts),
                    args[4].split(',', Qt::SkipEmptyParts));
  if (args.size() >= 2 && args[0] == "check") return checkAll(args.mid(1));
  complain("usage: quib_icons write <hicolor folder> <tray icon folder> <sizes> <colours> | check <file>...");
  return 2;
}
