// Entry point of Quib.
#include "app/UQuibApplication.h"
#include "app/USessionEnd.h"
#include "app/UfrmMain.h"
#include "graphics/ui/brColorPickerDialog.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"
#include "platform/QtScreens.h"
#include "platform/QtSystem.h"
#include "store/UAppFolder.h"

int main(int argc, char** argv) {
  PreferX11Platform();
  TQuibApplication app(argc, argv);
  // Before anything else, so that a signal during start-up still ends the program cleanly.
  TSessionEnd sessionEnd;

  TQtScreens screens;
  TQtSystem system;
  TQtDesktop desktop;
  TQtDialogs dialogs([] { return TQuibApplication::Title(); });
  app.SetDialogs(&dialogs);
  SetAppFolder(system.ApplicationFolder());

  TPlatform platform;
  platform.screens = &screens;
  platform.dialogs = &dialogs;
  platform.system = &system;
  platform.desktop = &desktop;

  TfrmMain frmMain(platform);
  dialogs.SetColorChooser([&frmMain](TColor& color) { return ChooseColorWith(frmMain.dlgColor(), color); });
  QObject::connect(&sessionEnd, &TSessionEnd::Ended, &frmMain, [&frmMain](int) { frmMain.EndSession(); });
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain, [&frmMain] { frmMain.EndSession(); });
  return app.exec();
}
