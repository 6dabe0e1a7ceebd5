// Hit tests for points in boxes and rectangles, and whether points and windows lie on the work
// area of some monitor.
#pragma once

#include <vector>

#include "platform/Screens.h"

// A box covers left .. left + width - 1 and top .. top + height - 1.
bool PointInBox(int x, int y, int left, int top, int width, int height);
// Counts the right and bottom edges as inside (left <= x <= right, top <= y <= bottom), although
// the platform reports them as exclusive: a point on the very edge of a work area passes.
bool PointInRect(int x, int y, const TRect& rect);
// True when the point lies in the work area of at least one monitor, monitor 0 first.
bool PointOnMonitor(const Screens& screens, int x, int y);
bool PointOnMonitor(const std::vector<TMonitor>& monitors, int x, int y);
// True when each of the four corner pixels of the box passes PointOnMonitor; the corners may
// lie on different monitors.
bool RectOnMonitors(const Screens& screens, int left, int top, int width, int height);
bool RectOnMonitors(const std::vector<TMonitor>& monitors, int left, int top, int width, int height);
