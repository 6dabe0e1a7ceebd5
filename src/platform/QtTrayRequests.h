// Where a D-Bus tray host asks for the tray menu. Qt's StatusNotifierItem turns the host's
// ContextMenu(x, y) into a bare activation and drops the point; QtDBus's hook on incoming calls
// sees the call first, on the user-interface thread, just before Qt handles it.
#pragma once

#include <QPoint>
#include <optional>

// Starts watching (once; later calls do nothing). Where QtDBus has no such hook, nothing is seen.
void WatchTrayMenuRequests();
// The point of the last ContextMenu call, in screen pixels; each point is given once.
std::optional<QPoint> TakeTrayMenuRequest();
