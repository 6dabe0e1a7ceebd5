// The Desktop seam on X11: the wallpaper a setter publishes on the root window, else the
// desktop's configured picture, else its background colour; shadows when a compositor runs.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <optional>

#include "platform/Desktop.h"

class TQtDesktop : public Desktop {
 public:
  TPixelBlock WallpaperBlock(int x, int y, int width, int height) const override;
  bool DrawsWindowShadows() const override;
  bool HasSystemTray() const override;

  // The pieces, each giving nothing when its source is not there; public for the tests.
  // The root window's published background pixmap (_XROOTPMAP_ID, else ESETROOT_PMAP_ID).
  std::optional<TPixelBlock> RootPixmapBlock(int x, int y, int width, int height) const;
  // The picture the desktop is configured with (GNOME's background settings, on GNOME-like
  // desktops), laid over each screen as the desktop shows it.
  std::optional<TPixelBlock> ConfiguredPictureBlock(int x, int y, int width, int height) const;
  // The desktop's background colour: GNOME's primary colour, else the palette's window colour.
  TColor BackgroundColor() const;

 private:
  struct TConfigured {
    QImage Picture;  // as loaded; null when there is none
    QString PicturePath;
    QString Option;  // how it is laid over a screen
    std::optional<TColor> Color;
  };
  const TConfigured& configured() const;

  // Asking the settings tool costs a process start, and the appearance tab asks once per note.
  mutable std::optional<TConfigured> configured_;
  mutable QElapsedTimer configuredAge_;
};

// Where a desktop point falls on a picture laid over a screen by one of GNOME's placements
// ("zoom", "scaled", "centered", "stretched", "wallpaper", "spanned", "none"): the picture's
// pixel there, or nothing where the background colour shows around the picture.
std::optional<QPoint> PicturePixelAt(const QString& option, QSize picture, QRect screen, QPoint point);
