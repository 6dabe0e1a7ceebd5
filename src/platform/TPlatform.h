// The bundle of seams handed to the control panel at start; nothing else reaches the desktop.
#pragma once

class Screens;
class Dialogs;
class System;
class Desktop;
class Shell;

struct TPlatform {
  Screens* screens = nullptr;
  Dialogs* dialogs = nullptr;
  System* system = nullptr;
  Desktop* desktop = nullptr;
  Shell* shell = nullptr;
};
