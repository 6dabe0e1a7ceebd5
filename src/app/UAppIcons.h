// The program's own pictures: the Quib icon (a small note with its title strip and a few text
// lines), used for the tray, the windows and the desktop's launcher, and its coloured variants.
#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPixmap>

// The paper colour of the Quib icon; the strip, frame and text lines follow from it.
inline const QColor QuibIconPaper{255, 232, 102};

// The note icon in any paper colour, size x size pixels, every edge on a whole pixel so that it
// stays crisp at the small sizes a tray or a menu shows. Needs no running application.
QImage NoteIconImage(int size, const QColor& paper);
// The yellow Quib icon.
QPixmap QuibIconPixmap(int size);
// The Quib icon at every size a desktop asks for: the tray's default and the window icon.
QIcon BuiltInTrayIcon();
