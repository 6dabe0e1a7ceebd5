#include "app/UfrmMain.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QShowEvent>
#include <QTimer>

#include "app/UAppIcons.h"
#include "app/UAppearanceTab.h"
#include "app/UNotesSaver.h"
#include "app/UNotesTab.h"
#include "app/UPanelPlacement.h"
#include "app/UQuibApplication.h"
#include "app/USessionEnd.h"
#include "app/UStartupNotes.h"
#include "app/UTrayIcon.h"
#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "notes/ui/UArrangeCommands.h"
#include "notes/ui/UNoteFactory.h"
#include "notes/ui/UNoteFileFollow.h"
#include "notes/ui/UNotesFileFollow.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Desktop.h"
#include "platform/Dialogs.h"
#include "platform/Screens.h"
#include "platform/System.h"
#include "platform/X11WindowState.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/UQuibError.h"
#include "store/USettingsKeys.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"

namespace {
// Where the form stands before anything moves it; seen when start-up stops early.
constexpr int kDesignLeft = 427;
constexpr int kDesignTop = 149;
// How long start-up waits for a tray to appear before the control panel shows itself.
constexpr int kNoTrayGraceMs = 3000;
}  // namespace

TfrmMain::TfrmMain(const TPlatform& platform, TNoteStore& store, TAppTitle& title, QWidget* parent)
    : QMainWindow(parent),
      platform_(platform),
      store_(store),
      title_(title),
      settings_(CreateQuibSettings(store.DataFolder())) {
  setObjectName("frmMain");
  setWindowIcon(BuiltInTrayIcon());
  placement_ = std::make_unique<TPanelPlacement>(*this, *platform_.screens, random_);
  notesList_ = new TNotesList(this);
  BuildControls();
  BuildMenus();
  BuildTray();
  boxController_ = std::make_unique<TBoxController>(*notesList_);
  snapper_ = std::make_unique<TScreenSnapper>(*platform_.screens);
  noteHost_ = std::make_unique<TNotesHost>(TNotesHost::TParts{
      *this, *notesList_, store_, *settings_, *boxController_, *snapper_, platform_, random_, title_});
  factory_ = std::make_unique<TNoteFactory>(*noteHost_, *notesList_, store_, *settings_, *platform_.screens,
                                            *platform_.dialogs, random_);
  saver_ = new TNotesSaver(*notesList_, *platform_.dialogs, title_, this);
  placement_->MoveTo(QPoint(kDesignLeft, kDesignTop));
  FormCreate();
  saver_->Start();
  // Notes changed in the folder by someone else reach their windows while the program runs.
  if (platform_.folderWatch)
    follow_ = std::make_unique<TNoteFileFollow>(*platform_.folderWatch, store_, *notesList_, *factory_,
                                                [this] { return ClosingAll(); });
  // The notes file as another computer changed it is merged with the changes made here, before
  // any write of it too; so are the conflict copies of it a sync tool left.
  notesFileFollow_ = std::make_unique<TNotesFileFollow>(store_, *notesList_, *platform_.screens, random_,
                                                        [this] { return saver_->SaveNotesFileNow(); });
  saver_->SetMergeNotesFile([this](bool windows) { notesFileFollow_->MergeNotesFile(windows); });
  if (follow_)
    follow_->SetDataFolderHandler(
        [this](const std::vector<std::string>& names) { notesFileFollow_->Changed(names); });
  if (!TSessionEnd::Requested()) notesFileFollow_->MergeConflictCopies();
  // A desktop without a tray (GNOME without its extension) leaves the control panel as the way
  // back: once it is clear that none is coming, the panel shows itself. A tray that starts a
  // moment after Quib, as at a login, is given that moment.
  if (!HasTray())
    QTimer::singleShot(kNoTrayGraceMs, this, [this] {
      if (!HasTray() && !closing_ && placement_->Hidden()) ShowControlPanel();
    });
}

void TfrmMain::KeepSpareNoteWindow() {
  factory_->KeepSpareWindow(true);
}

bool TfrmMain::HasTray() const {
  // A tray whose menu cannot be reached is no way back to the panel either.
  return (!platform_.desktop || platform_.desktop->HasSystemTray()) && tray_->ShowsMenu();
}

TfrmMain::~TfrmMain() {
  // The note windows refer to the control panel: they go first, and only go.
  destroying_ = true;
  saver_->SetMergeNotesFile({});
  follow_.reset();
  notesFileFollow_.reset();
  factory_->KeepSpareWindow(false);
  const std::vector<TfrmNote*> notes = notesList_->Notes();
  for (TfrmNote* note : notes) delete note;
}

void TfrmMain::FormCreate() {
  random_.Seed(platform_.system->ClockSeed());
  closing_ = false;
  title_.Set(kAppVersionTitle);
  tray_->SetTitle(kAppVersionTitle);
  setWindowTitle(QString::fromLatin1(kAppVersionTitle) + " " + QString::fromLatin1(kMakerNotice));
  tray_->Start();

  settings_->OnMessage = [this](const std::string& m) { platform_.dialogs->ShowMessage(m); };
  // One scan of the notes folder before anything can fail: whatever happens next, a new note
  // never takes the id of a stored one.
  const TStoredNotes stored = ScanNotesFolder(store_);
  bool failed = false;
  try {
    settings_->Load();
    settingsLoaded_ = true;
  } catch (const std::exception& e) {
    StartupFailed(e);
    failed = true;
  }
  // A settings file that could not be read is never overwritten with values it did not give.
  if (settingsLoaded_)
    saver_->SetSaveSettings([this] {
      SaveSettings();
      settings_->Save();
    });
  if (TSessionEnd::Requested()) return;
  try {
    if (settingsLoaded_)
      LoadSettings();
    else
      CreateDir(store_.NotesFolder());
  } catch (const std::exception& e) {
    StartupFailed(e);
    failed = true;
  }
  try {
    CreateConfigs();
  } catch (const std::exception& e) {
    StartupFailed(e);
    failed = true;
  }
  // A logout while a box waited: nothing more to open, and nothing new to write.
  if (TSessionEnd::Requested()) return;
  // Whatever failed before, every stored note opens (from its record, or a default one), so
  // that the user sees the notes are there.
  if (configs_) {
    const std::vector<std::string> problems = OpenStoredNotes(stored, store_, *factory_, *configs_);
    if (!problems.empty()) {
      std::string text;
      for (const std::string& p : problems) text += ErrorBoxText(p) + "\n";
      platform_.dialogs->ShowMessage(text + "\nThese notes are left as they are; the other notes are open.");
    }
  }
  if (TSessionEnd::Requested()) return;
  if (!failed) {
    placement_->PlaceAndHide();
    if (edtIdentity->text().isEmpty()) {
      // Linux sessions rarely set USERNAME; the login name stands in for it.
      for (const char* var : {"USERNAME", "USER", "LOGNAME"}) {
        if (const auto name = platform_.system->Environment(var); name && !name->empty()) {
          edtIdentity->setText(QString::fromLocal8Bit(name->c_str()));
          break;
        }
      }
      try {
        CreateWelcomeNote();
      } catch (const std::exception& e) {
        StartupFailed(e);
      }
    }
  }
  // The panel starts hidden, so the appearance tab takes its gradient from the notes now.
  appearanceTab_->EntryStep();
}

void TfrmMain::StartupFailed(const std::exception& e) {
  // An error ends the creation steps; the form stays visible where it stood.
  platform_.dialogs->ShowError(title_.Text(), ErrorBoxText(e.what()));
  if (!placement_->Hidden()) show();
}

void TfrmMain::CreateConfigs() {
  const std::string path = store_.NotesFilePath();
  try {
    configs_ =
        std::make_unique<TConfigurationManager>(path, *settings_, *platform_.screens, random_, &store_);
    configs_->MarkSaved();
    notesList_->SetCollection(configs_.get());
  } catch (const std::exception& e) {
    // Go on with an empty collection, so that notes made in this run get records; it never
    // overwrites the file it could not read, which is moved aside before the first write.
    configs_ = std::make_unique<TConfigurationManager>(TConfigurationManager::NoLoad{}, path, *settings_,
                                                       *platform_.screens, random_, &store_);
    configs_->MarkUnreadable();
    notesList_->SetCollection(configs_.get());
    // The reader's own messages do not say which file they are about.
    const std::string message = e.what();
    if (message.find(path) != std::string::npos) throw;
    throw EQuibError("The notes file \"" + path + "\" could not be read: " + message);
  }
  if (configs_->IsDamaged())
    platform_.dialogs->ShowMessage(
        "The notes file \"" + path +
        "\" is damaged: it ends before its last note is complete. Quib opened the notes it could read; "
        "the notes after the damage take default places and colours. The file is kept as it is and is "
        "renamed to " +
        path + ".bak (numbered when that name is taken) before the notes are next saved.");
}

void TfrmMain::CreateWelcomeNote() {
  // Until its text is on disk the first run is not over: a start after a full disk makes it.
  welcomePending_ = true;
  const int before = notesList_->Count();
  try {
    factory_->CreateCenteredNote(WelcomeText(kMakerNotice), 400, 200);
  } catch (...) {
    if (notesList_->Count() > before) welcomeNoteId_ = notesList_->At(before).Id();
    throw;
  }
  welcomePending_ = false;
}

bool TfrmMain::FirstRunDone() const {
  if (!welcomePending_) return true;
  return welcomeNoteId_ > 0 && store_.HasNoteText(welcomeNoteId_);
}

// ---- placement ----------------------------------------------------------------------------

bool TfrmMain::IsControlPanelHidden() const {
  return placement_->Hidden();
}
QPoint TfrmMain::CurrentTopLeft() const {
  return placement_->CurrentTopLeft();
}
QPoint TfrmMain::RememberedPosition() const {
  return placement_->Remembered();
}

void TfrmMain::HideControlPanel() {
  // Without a tray a hidden panel could not be found again: it is minimized instead and keeps
  // its taskbar entry.
  if (HasTray())
    placement_->Hide();
  else
    showMinimized();
  if (!settingsLoaded_) return;
  SaveSettings();
  settings_->Save();
}

void TfrmMain::ShowControlPanel() {
  placement_->Show();
}

// ---- closing ------------------------------------------------------------------------------

void TfrmMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Shown, it is on the workspace the user is on, whichever that is; still unmapped here.
  if (!event->spontaneous()) SetOnAllDesktops(*this);
  appearanceTab_->PanelShown();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    event->ignore();
    HideControlPanel();
    return;
  }
  event->accept();
}

bool TfrmMain::FormClose(bool quiet) {
  return saver_->Close(quiet);
}

bool TfrmMain::ClosingAll() const {
  return destroying_ || saver_->Closed();
}

void TfrmMain::mmExitClick() {
  if (saver_->Closed()) return;
  closing_ = true;
  if (!FormClose() &&
      !platform_.dialogs->Confirm("Quib could not save everything, as the message before says. "
                                  "Exit anyway and lose what was not saved?")) {
    // Called off: the program goes on, and the autosave keeps trying.
    closing_ = false;
    saver_->Reopen();
    return;
  }
  hide();
  QCoreApplication::quit();
}

void TfrmMain::EndSession() {
  closing_ = true;
  // The session is going away: problems go to stderr, no box can wait for an answer.
  FormClose(true);
  QCoreApplication::quit();
}

void TfrmMain::CommitData() {
  if (!saver_->Closed()) saver_->SaveEverything(true);
}

void TfrmMain::pmSaveAllNotesnowClick() {
  saver_->SaveNow();
}

// ---- notes --------------------------------------------------------------------------------

void TfrmMain::cmCreateQuibNoteClick() {
  // Asked for by the user, who types into it next.
  if (TfrmNote* note = factory_->CreateRandomNote("")) note->Activate();
}

// ---- arrange ------------------------------------------------------------------------------

void TfrmMain::cmMinimizeAllClick() {
  MinimizeAll(*notesList_);
}

void TfrmMain::cmMaximizeAllClick() {
  MaximizeAll(*notesList_);
}

void TfrmMain::cmBringAllNotesToFrontClick() {
  notesList_->BringAllNotesToFront();
  raise();
  activateWindow();
}

void TfrmMain::Arrange(TArrangeKind kind) {
  MinimizeAndGroup(*notesList_, kind, TArrangeGrid{SnapToScreenGrid(), GridX(), GridY()});
}

void TfrmMain::cmArrangeInaClusterClick() {
  Arrange(TArrangeKind::Cluster);
}
void TfrmMain::cmArrangeHorizontallyClick() {
  Arrange(TArrangeKind::Horizontally);
}
void TfrmMain::cmArrangeVerticallyClick() {
  Arrange(TArrangeKind::Vertically);
}

void TfrmMain::cmShowLostNotesClick() {
  ShowLostNotes(*notesList_, *platform_.screens, random_);
}
