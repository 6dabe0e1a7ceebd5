// The application folder: the executable's folder, ending in the path separator. All data
// files lie in or below it. Set once at start-up (tests point it at a temporary folder).
#pragma once

#include <string>

void SetAppFolder(const std::string& folder);  // a missing trailing separator is added
const std::string& AppFolder();
// Where the tray icon chooser starts when the user chose no folder; AppFolder() + "tray_icons"
// until set.
void SetTrayIconFolder(const std::string& folder);
std::string TrayIconFolder();
