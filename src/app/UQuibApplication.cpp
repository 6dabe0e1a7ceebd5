#include "app/UQuibApplication.h"

#include <cstdio>

#include "platform/Dialogs.h"
#include "store/UQuibError.h"

TQuibApplication::TQuibApplication(int& argc, char** argv, const TAppTitle& title)
    : QApplication(argc, argv), title_(title) {
  setApplicationName("quib");
  // The program lives in the tray and its notes; hiding the control panel must not end it.
  setQuitOnLastWindowClosed(false);
}

void TQuibApplication::ShowException(const std::exception& error) {
  const std::string text = ErrorBoxText(error.what());
  if (dialogs_) {
    dialogs_->ShowError(title_.Text(), text);
  } else {
    std::fprintf(stderr, "%s: %s\n", title_.Text().c_str(), text.c_str());
  }
}

bool TQuibApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ShowException(e);
  }
  return false;
}

void PreferX11Platform() {
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return;
  if (!qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
}
