// Entry point of Quib.
#include <QApplication>
#include <QWidget>
#include <memory>

#include "app/UAppIcons.h"
#include "app/UExitSave.h"
#include "app/UNoDisplay.h"
#include "app/UQuibApplication.h"
#include "app/USessionEnd.h"
#include "app/USingleInstance.h"
#include "app/UfrmMain.h"
#include "graphics/ui/UQtColorChooser.h"
#include "platform/QtDesktop.h"
#include "platform/QtDialogs.h"
#include "platform/QtFolderWatch.h"
#include "platform/QtScreens.h"
#include "platform/QtShell.h"
#include "platform/QtSystem.h"
#include "store/UDataFolder.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/USettingsKeys.h"
#include "store/UTempSweep.h"
#include "store/brRegVal.h"

int main(int argc, char** argv) {
  if (CannotReachX11(argc, argv)) return 1;
  PreferX11Platform();
  TAppTitle title;
  TQuibApplication app(argc, argv, title);
  TQtColorChooser colors;
  TQtDialogs dialogs([&title] { return title.Text(); }, &colors);
  colors.Dialog().MessageDialogs = &dialogs;
  app.SetDialogs(&dialogs);
  // From the first line: a logout during start-up (a message box may be waiting) still ends the
  // program, once the box is closed, with what was loaded by then.
  TSessionEnd sessionEnd;
  TfrmMain* panel = nullptr;
  QObject::connect(&sessionEnd, &TSessionEnd::Ended, &app, [&panel, &dialogs](int) {
    if (panel) {
      panel->EndSession();
      return;
    }
    dialogs.SetQuiet(true);
    if (QWidget* box = QApplication::activeModalWidget()) box->close();
  });

  app.setWindowIcon(SmallWindowIcon());
  QGuiApplication::setDesktopFileName("quib");

  TQtScreens screens;
  TQtSystem system;
  TQtDesktop desktop;
  TQtShell shell;
  // Portable (the data beside the program) or installed (the data in the user's data folder).
  const std::string exeFolder = system.ApplicationFolder();
  const bool portable = IsPortableFolder(exeFolder);
  std::unique_ptr<TNoteStore> store;
  try {
    const std::string dataFolder = DataFolder(
        exeFolder, portable, [&system](const std::string& name) { return system.Environment(name); });
    if (!portable) CreateDataFolder(dataFolder);
    store = std::make_unique<TNoteStore>(dataFolder, DefaultIconFolder(exeFolder, portable));
  } catch (const std::exception& e) {
    dialogs.ShowError(title.Text(), ErrorBoxText(e.what()));
    return 1;
  }

  TSingleInstance instance;
  if (!instance.Acquire(store->DataFolder())) return 0;
  if (!instance.Warning().empty()) dialogs.ShowMessage(instance.Warning());

  TPlatform platform;
  platform.screens = &screens;
  platform.dialogs = &dialogs;
  platform.system = &system;
  platform.desktop = &desktop;
  platform.shell = &shell;
  TQtFolderWatch folderWatch;
  platform.folderWatch = &folderWatch;

  TfrmMain frmMain(platform, *store, title);
  if (TSessionEnd::Requested()) {
    frmMain.EndSession();
    return 0;
  }
  panel = &frmMain;
  frmMain.KeepSpareNoteWindow();
  // From here on an end that skips the closing step (a broken X connection) still saves.
  const TExitSave exitSave(frmMain.Saver());
  // Only now that this is the one program of the folder: a crash's half-written temporaries.
  SweepStaleTempFiles({store->DataFolder(), store->NotesFolder(), shell.StartupFolder(),
                       frmMain.Settings().GetString(setting::sLastExportDir)});
  QObject::connect(&instance, &TSingleInstance::ShowRequested, &frmMain, &TfrmMain::ShowControlPanel);
  // The session manager's save request saves; the program ends when the session does.
  QObject::connect(&app, &QGuiApplication::commitDataRequest, &frmMain, [&frmMain] { frmMain.CommitData(); });
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &frmMain, [&frmMain] { frmMain.EndSession(); });
  return app.exec();
}
