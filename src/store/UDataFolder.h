// Where Quib keeps its data and finds its tray icons: beside the program when it runs from a
// folder of its own (portable), in the user's XDG data folder when it is installed.
#pragma once

#include <functional>
#include <optional>
#include <string>

// An environment variable's value; nullopt when it is unset.
using TEnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// True when the program in exeFolder runs portable: the folder is writable for this process and
// is not the bin folder of an installed tree (one with share/quib/tray_icons beside it). The tree
// test matters because root may write into /usr/bin, and a user into ~/.local/bin.
bool IsPortableFolder(const std::string& exeFolder);

// The data folder, ending in the separator: exeFolder when portable; otherwise
// $XDG_DATA_HOME/quib/, or $HOME/.local/share/quib/ when XDG_DATA_HOME is unset, empty or not
// absolute. Raises EQuibError when neither variable gives an absolute folder.
std::string DataFolder(const std::string& exeFolder, bool portable, const TEnvironmentLookup& env);

// Where the tray icon chooser starts when the user has chosen no folder: exeFolder + "tray_icons"
// when portable, else the installed share/quib/tray_icons beside the program's bin folder.
std::string DefaultIconFolder(const std::string& exeFolder, bool portable);

// Creates folder and any missing parents, each new one private to the user (mode 0700), as the
// XDG rules ask of a data folder. Raises EQuibError 'Cannot create folder "<path>". <reason>'.
void CreateDataFolder(const std::string& folder);
