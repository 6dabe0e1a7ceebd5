// Where Quib cannot run: no X11 display it can open (a Wayland session without XWayland, a text
// console, a DISPLAY nobody serves). Checked before the application object, which would abort
// with a message about platform plugins that tells a user nothing.
#pragma once

#include <string>

// The words for the user; display is the DISPLAY variable (empty when unset), wayland whether a
// Wayland display is set.
std::string NoDisplayMessage(const std::string& display, bool wayland);

// True when Quib cannot reach an X11 display and should end with status 1: the message has
// then gone to standard error and, where something can show it, to the user's screen (a message
// box through Qt's Wayland plugin, else a desktop notification). An explicitly chosen platform
// other than xcb is the user's call and is not checked.
bool CannotReachX11(int& argc, char** argv);
