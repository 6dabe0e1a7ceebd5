// The entry that starts Quib with the desktop session: a freedesktop autostart file, its text
// with the program's path quoted for the Exec key, where it lives, and writing and removing it.
#pragma once

#include <optional>
#include <string>

inline constexpr const char* kStartupEntryName = "Quib.desktop";

// One argument of an Exec key: quoted when it holds a character the desktop's launcher would
// take for shell syntax, with ", `, $ and \ escaped inside the quotes, and % written as %%.
// The result is the argument as the launcher reads it, before the file's own string escapes.
std::string DesktopExecArgument(const std::string& arg);
// A value as a desktop file writes strings: \ as \\, line breaks and tabs as \n, \r, \t.
std::string DesktopStringValue(const std::string& value);
// The whole entry, lines ending in LF.
std::string StartupEntryText(const std::string& target, const std::string& description);
// $XDG_CONFIG_HOME/autostart, or home/.config/autostart when the variable is unset, empty or
// not an absolute path (the base directory rules ignore relative ones). No trailing separator.
std::string AutostartFolder(const std::optional<std::string>& xdgConfigHome, const std::string& home);

// Creates the folder (and any missing parent) and writes folder/Quib.desktop whole; raises
// EQuibError when that fails, leaving an older entry as it was.
void WriteStartupEntry(const std::string& folder, const std::string& target, const std::string& description);
// Removes folder/Quib.desktop when it exists; raises EQuibError naming it and the reason when it
// stays.
void RemoveStartupEntry(const std::string& folder);
