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
// The Quib icon at every size a desktop asks for, up to 256 pixels: the tray's default and the
// control panel's icon, the one window a task bar or a task switcher shows large.
QIcon BuiltInTrayIcon();
// The Quib icon at 16 and 32 pixels, for title bars and window menus: what every other window
// (every note, every dialog) carries. Qt converts a window's icon and sends it to the X server
// each time it makes a window, and the window manager reads it back: the full set, over 700 KB
// for each new note, cost more than the rest of making the note did.
QIcon SmallWindowIcon();
