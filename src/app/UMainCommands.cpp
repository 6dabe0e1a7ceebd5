// The control panel's main menu and tray icon, and the commands behind them that are not
// arrange commands: find, undelete, the notes folder, the tray icon's picture, the default
// font, start with login, help, the maker's homepage and the About box.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QSignalBlocker>
#include <utility>
#include <vector>

#include "app/UAboutBox.h"
#include "app/UFindDialog.h"
#include "app/UNotesSaver.h"
#include "app/UPanelPlacement.h"
#include "app/UQuibApplication.h"
#include "app/UTrayIcon.h"
#include "app/UfrmMain.h"
#include "notes/UFindText.h"
#include "notes/ui/UNoteFactory.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "platform/Shell.h"
#include "platform/System.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/USettingsKeys.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"

namespace {
std::string s8(const QString& s) {
  return s.toLocal8Bit().toStdString();
}

// Opens target through the shell; failure is told when no opener starts, or when one reports it
// later while the panel is still there.
void openWithShell(const TPlatform& platform, QObject* panel,
                   bool (Shell::*open)(const std::string&, Shell::TOpenFailed), const std::string& target,
                   const std::string& failure) {
  Dialogs* dialogs = platform.dialogs;
  const auto tell = [dialogs, alive = QPointer<QObject>(panel), failure] {
    if (alive) dialogs->ShowMessage(failure);
  };
  if (!platform.shell || !(platform.shell->*open)(target, tell)) tell();
}

QAction* addItem(QMenu* menu, const char* caption, const char* name) {
  QAction* a = menu->addAction(QString::fromLatin1(caption));
  a->setObjectName(QString::fromLatin1(name));
  return a;
}
}  // namespace

void TfrmMain::BuildMenus() {
  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TfrmMain::*slot)()) {
    QAction* a = addItem(menu, caption, name);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  const auto hiddenItem = [](QAction* a) {
    a->setVisible(false);
    return a;
  };

  QMenu* mmFile = menuBar()->addMenu("&File");
  mmFile->setObjectName("mmFile");
  item(mmFile, "&Hide Control Panel", "cmHideControlPanel", &TfrmMain::HideControlPanel);
  mmFile->addSeparator();
  // F4 works while the panel has the focus, as it does on a note.
  item(mmFile, "Create Quib-&Note", "cmCreateQuibNote", &TfrmMain::cmCreateQuibNoteClick)
      ->setShortcut(QKeySequence(Qt::Key_F4));
  hiddenItem(addItem(mmFile, "Create Quib-&Chat\tF6", "cmCreateQuibChat"))->setEnabled(false);
  mmFile->addSeparator();
  item(mmFile, "Undelete Quib-Note", "cmUndeleteQuibNote", &TfrmMain::cmUndeleteQuibNoteClick);
  item(mmFile, "Open Notes Folder in the File Manager", "cmOpenNotesFolder",
       &TfrmMain::cmOpenNotesFolderClick);
  mmFile->addSeparator();
  item(mmFile, "E&xit Application", "mmExit", &TfrmMain::mmExitClick);

  QMenu* mmSearch = menuBar()->addMenu("&Search");
  mmSearch->setObjectName("mmSearch");
  item(mmSearch, "&Find...", "cmFind", &TfrmMain::cmFindClick);
  hiddenItem(item(mmSearch, "&Replace...", "cmReplace", &TfrmMain::cmReplaceClick));

  QMenu* mmArrange = menuBar()->addMenu("&Arrange");
  mmArrange->setObjectName("mmArrange");
  item(mmArrange, "Mi&nimize All", "cmMinimizeAll", &TfrmMain::cmMinimizeAllClick);
  item(mmArrange, "Ma&ximize All", "cmMaximizeAll", &TfrmMain::cmMaximizeAllClick);
  mmArrange->addSeparator();
  item(mmArrange, "&Bring All Notes to Front", "cmBringAllNotesToFront",
       &TfrmMain::cmBringAllNotesToFrontClick);
  QMenu* group = mmArrange->addMenu("Minimize and Group all notes");
  group->setObjectName("cmMinimizeAndGroup");
  item(group, "In a &Cluster", "cmArrangeInaCluster", &TfrmMain::cmArrangeInaClusterClick);
  item(group, "&Horizontally", "cmArrangeHorizontally", &TfrmMain::cmArrangeHorizontallyClick);
  item(group, "&Vertically", "cmArrangeVertically", &TfrmMain::cmArrangeVerticallyClick);
  mmArrange->addSeparator();
  item(mmArrange, "&Show Lost Notes", "cmShowLostNotes", &TfrmMain::cmShowLostNotesClick);

  QMenu* mmSettings = menuBar()->addMenu("S&ettings");
  mmSettings->setObjectName("mmSettings");
  item(mmSettings, "&Choose Tray Icon", "cmChooseTrayIcon", &TfrmMain::cmChooseTrayIconClick);

  QMenu* mmHelp = menuBar()->addMenu("&Help");
  mmHelp->setObjectName("mmHelp");
  hiddenItem(item(mmHelp, "&Quick Help (HTML)", "cmQuickHelp", &TfrmMain::cmQuickHelpClick));
  item(mmHelp, "&Brantel Software Homepage...", "cmHomepage", &TfrmMain::cmHomepageClick);
  mmHelp->addSeparator();
  item(mmHelp, "&About", "cmAbout", &TfrmMain::cmAboutClick);
}

void TfrmMain::BuildTray() {
  TTrayIcon::TCommands commands;
  commands.ShowControlPanel = [this] { ShowControlPanel(); };
  commands.ChooseTrayIcon = [this] { cmChooseTrayIconClick(); };
  commands.CreateNote = [this] {
    const size_t before = notesList_->Notes().size();
    cmCreateQuibNoteClick();
    const std::vector<TfrmNote*> notes = notesList_->Notes();
    if (notes.size() > before) trayNote_ = notes.back();
  };
  commands.SaveNow = [this] { pmSaveAllNotesnowClick(); };
  commands.Exit = [this] { mmExitClick(); };
  commands.ClickAction = [this] { TrayIconClick(); };
  commands.ControlPanelHidden = [this] { return placement_->Hidden(); };
  tray_ = new TTrayIcon(std::move(commands), this);
}

void TfrmMain::TrayIconClick() {
  // Exit chosen in the tray menu: the windows are on their way out.
  if (saver_->Closed()) return;
  const QPointer<TfrmNote> made = std::exchange(trayNote_, nullptr);
  notesList_->BringAllNotesToFront();
  // A hidden panel stays hidden; raising it would only confuse the window manager.
  if (!placement_->Hidden()) {
    raise();
    activateWindow();
  }
  if (made) made->Activate();
}

// ---- find ---------------------------------------------------------------------------------

void TfrmMain::cmFindClick() {
  if (!dlgFind_) {
    dlgFind_ = new TFindDialog(this);
    connect(dlgFind_, &TFindDialog::Find, this,
            [this](const QString& text, bool matchCase) { FindInNotes(s8(text), matchCase); });
  }
  dlgFind_->show();
  dlgFind_->raise();
  dlgFind_->activateWindow();
}

void TfrmMain::FindInNotes(const std::string& text, bool matchCase) {
  const std::string search = SearchTextFor(text, matchCase);
  bool found = false;
  const std::vector<TfrmNote*> notes = notesList_->Notes();
  for (TfrmNote* note : notes) {
    if (!NoteTextMatches(JoinLinesCRLF(note->Lines()), search, matchCase)) continue;
    note->Maximize();
    note->Activate();
    found = true;
  }
  if (!found) platform_.dialogs->ShowMessage(NotFoundMessage(search));
}

void TfrmMain::cmReplaceClick() {
  platform_.dialogs->ShowMessage("Feature not implemented yet!");
}

// ---- undelete and the notes folder --------------------------------------------------------

void TfrmMain::cmUndeleteQuibNoteClick() {
  // The import dialog's title, with the deleted notes' filter for this one time.
  const TFileDialogSpec spec{.Title = "Import Text File",
                             .Filter = "Deleted Text Files (*.~txt)|*.~txt",
                             .DefaultExt = "txt",
                             .InitialDir = store_.NotesFolder()};
  std::string chosen;
  if (!platform_.dialogs->OpenFile(spec, chosen)) return;
  const int32_t id = NoteIdFromFileName(chosen);
  if (id < 1) {
    platform_.dialogs->ShowMessage("The name of " + chosen +
                                   " carries no Quib-Note number, so there is no note to undelete.");
    return;
  }
  const std::string live = store_.NoteTextPath(id);
  // A note of that id is alive: its file exists, or its window is open (a text file removed by
  // hand must not give the same note two windows). The deleted text comes back as a new note.
  if (FileExists(live) || notesList_->Find(id)) {
    if (TfrmNote* note = factory_->CreateNoteFromFile(chosen)) note->Activate();
    return;
  }
  if (!configs_ || !MoveFile(chosen, live)) {
    platform_.dialogs->ShowMessage("Cannot rename file " + chosen + " to \r\n" + live +
                                   ".\r\nWill create a new note");
    if (TfrmNote* note = factory_->CreateNoteFromFile(chosen)) note->Activate();
    return;
  }
  // Back from its record: where it was, as large, in its colours and font.
  TfrmNote* note = factory_->OpenStoredNote(id, *configs_);
  if (note && note->Minimized()) note->Maximize();
  if (note) note->Activate();
}

void TfrmMain::cmOpenNotesFolderClick() {
  // Also when the opener started but could not open it (no file manager).
  openWithShell(platform_, this, &Shell::OpenFolder, store_.NotesFolder(),
                "Cannot open Folder \"" + store_.NotesFolder() + "\"");
}

// ---- tray icon, default font, start with login --------------------------------------------

void TfrmMain::cmChooseTrayIconClick() {
  const TFileDialogSpec spec{.Title = "Choose Quib Tray Icon",
                             .Filter = "Icon Files (*.ico)|*.ico|All Files (*)|*",
                             .DefaultExt = "ico",
                             .InitialDir = icoDir_,
                             .PicturePreview = true};
  std::string path;
  if (!platform_.dialogs->OpenFile(spec, path)) return;
  const QIcon icon = LoadTrayIconFile(path);
  if (icon.isNull()) {
    platform_.dialogs->ShowError(title_.Text(), ErrorBoxText("Icon image is not valid"));
    return;
  }
  tray_->SetIcon(icon);
  trayIconFile_ = path;
  icoDir_ = ExtractFilePath(path);
  if (!settingsLoaded_) return;
  SaveSettings();
  settings_->Save();
}

void TfrmMain::btnChangeFontClick() {
  const QFont shown = lblFont->font();
  TFontSpec font;
  font.Name = s8(shown.family());
  font.Size = shown.pointSize();
  font.Color = FromQColor(lblFont->palette().color(QPalette::WindowText));
  font.Bold = shown.bold();
  font.Italic = shown.italic();
  font.Underline = shown.underline();
  font.StrikeOut = shown.strikeOut();
  const TFontSpec preset = font;
  // OK without a change writes nothing.
  if (!platform_.dialogs->ChooseFont(font) || font == preset) return;
  settings_->SetString(setting::sDefaultFontName, font.Name);
  settings_->SetInteger(setting::iDefaultFontSize, font.Size);
  settings_->SetInteger(setting::iDefaultFontColor, font.Color);
  // The style shows on the label only; notes take name, size and colour.
  ShowFontLabel(font.Name, font.Size, font.Color);
  QFont f = lblFont->font();
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  f.setStrikeOut(font.StrikeOut);
  lblFont->setFont(f);
  if (settingsLoaded_) settings_->Save();
}

void TfrmMain::chkStartupClick(bool checked) {
  if (!platform_.shell) return;
  try {
    if (checked)
      platform_.shell->WriteStartupEntry(platform_.system->ExecutablePath(), "Quib - Brantel Software");
    else
      platform_.shell->RemoveStartupEntry();
    return;
  } catch (const std::exception& e) {
    // The box shows what the next login will do, and the message says so.
    const bool starts = platform_.shell->HasStartupEntry();
    const QSignalBlocker quiet(chkStartup);
    chkStartup->setChecked(starts);
    platform_.dialogs->ShowMessage(
        std::string("Quib could not ") + (checked ? "write" : "remove") + " its start-with-login entry. " +
        ErrorBoxText(e.what()) +
        (starts ? " Quib will start when you log in." : " Quib will not start when you log in."));
  }
}

// ---- help ---------------------------------------------------------------------------------

void TfrmMain::cmQuickHelpClick() {
  if (platform_.shell) platform_.shell->OpenFile(store_.DataFolder() + "help/index.html", nullptr);
}

void TfrmMain::cmHomepageClick() {
  openWithShell(platform_, this, &Shell::OpenUrl, kMakerHomepage,
                std::string("Cannot open \"") + kMakerHomepage + "\" in a web browser");
}

void TfrmMain::cmAboutClick() {
  TAboutBox::Execute(platform_.shell, this);
}
