// The bundle of seams handed to the control panel at start; nothing else reaches the desktop.
#pragma once

class Screens;
class Dialogs;
class System;
class Desktop;
class Shell;
class FolderWatch;

struct TPlatform {
  Screens* screens = nullptr;
  Dialogs* dialogs = nullptr;
  System* system = nullptr;
  Desktop* desktop = nullptr;
  Shell* shell = nullptr;
  // News of the notes folder changing; none means the program does not follow it.
  FolderWatch* folderWatch = nullptr;
};
