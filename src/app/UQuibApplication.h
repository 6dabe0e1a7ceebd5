// The application object: its title, and the guard that turns an error escaping any event
// handler into an error box instead of ending the program.
#pragma once

#include <QApplication>
#include <string>

#include "base/UAppTitle.h"

class Dialogs;

class TQuibApplication : public QApplication {
 public:
  // The title outlives the application object.
  TQuibApplication(int& argc, char** argv, const TAppTitle& title);

  bool notify(QObject* receiver, QEvent* event) override;

  // Where uncaught errors are shown; until set they go to stderr.
  void SetDialogs(Dialogs* dialogs) { dialogs_ = dialogs; }
  // Shows an error as the top-level handler does: titled with the application title, with a
  // full stop added when the text needs one.
  void ShowException(const std::exception& error);

 private:
  const TAppTitle& title_;
  Dialogs* dialogs_ = nullptr;
};

// On Linux the program places its own windows, which Wayland does not allow: ask for X11
// (directly or through XWayland) unless the user chose a platform.
void PreferX11Platform();
