// The program's built-in images: the tray icon and the window icon.
#pragma once

#include <QIcon>

QIcon BuiltInTrayIcon();
