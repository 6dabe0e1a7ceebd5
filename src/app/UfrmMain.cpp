#include "app/UfrmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>
#include <set>

#include "app/UAppIcons.h"
#include "app/UNoteFactory.h"
#include "app/UNotesList.h"
#include "app/UQuibApplication.h"
#include "graphics/brRandom.h"
#include "graphics/ui/brColorPickerDialog.h"
#include "notes/UArrange.h"
#include "notes/UNoteIds.h"
#include "notes/UTBoxController.h"
#include "notes/brScreenSnapper.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "platform/Screens.h"
#include "platform/System.h"
#include "store/UAppFolder.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UQuibError.h"
#include "store/UTConfigurationManager.h"
#include "store/brRegVal.h"

namespace {
QString q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}
std::string s8(const QString& s) {
  return s.toLocal8Bit().toStdString();
}

// Where the form stands before anything moves it; seen when start-up stops early.
constexpr int kDesignLeft = 427;
constexpr int kDesignTop = 149;

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}
}  // namespace

TfrmMain::TfrmMain(const TPlatform& platform, QWidget* parent)
    : QMainWindow(parent), platform_(platform), settings_(CreateQuibSettings()) {
  setObjectName("frmMain");
  BuildControls();
  BuildMenus();
  BuildTray();
  factory_ =
      std::make_unique<TNoteFactory>(*this, *notesList_, *settings_, *platform_.screens, *platform_.dialogs);
  // Changes are written a few seconds after the last one, so a crash costs at most those.
  autosave_ = new QTimer(this);
  autosave_->setSingleShot(true);
  autosave_->setInterval(3000);
  connect(autosave_, &QTimer::timeout, this, &TfrmMain::AutoSave);
  connect(notesList_, &TNotesList::NoteChanged, this, &TfrmMain::NoteChanged);
  MoveTo(QPoint(kDesignLeft, kDesignTop));
  FormCreate();
  creating_ = false;
}

TfrmMain::~TfrmMain() {
  // The note windows refer to the control panel: they go first.
  closed_ = true;
  const std::vector<TfrmNote*> notes = notesList_->Notes();
  for (TfrmNote* note : notes) delete note;
}

void TfrmMain::BuildControls() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  PageControl = new QTabWidget(central);
  PageControl->setObjectName("PageControl");
  layout->addWidget(PageControl);

  // General Options.
  auto* tabGeneral = new QWidget;
  tabGeneral->setObjectName("tabGeneral");
  auto* general = new QGridLayout(tabGeneral);
  chkRandomColor = checkBox("chkRandomColor", "Random Color on every New Note", tabGeneral);
  chkRandomColor->setChecked(true);  // the one box that starts checked
  chkSnapGrid = checkBox("chkSnapGrid", "Snap to Screen Grid", tabGeneral);
  chkSnapEdges = checkBox("chkSnapEdges", "Snap To Screen Edges", tabGeneral);
  chkSnapNotes = checkBox("chkSnapNotes", "Snap To Other Notes", tabGeneral);
  chkStartup = checkBox("chkStartup", "Start Quib when Windows start", tabGeneral);
  chkWinXPShadow = checkBox("chkWinXPShadow", "Notes Drop Shadow (Requires Restart)", tabGeneral);
  auto* options = new QVBoxLayout;
  for (QCheckBox* box : {chkRandomColor, chkSnapGrid, chkSnapEdges, chkSnapNotes, chkStartup, chkWinXPShadow})
    options->addWidget(box);
  general->addLayout(options, 0, 0);

  auto* grid = new QGroupBox(" Grid Setup ", tabGeneral);
  grid->setObjectName("gbGrid");
  auto* gridLayout = new QGridLayout(grid);
  spnGridX = new QSpinBox(grid);
  spnGridX->setObjectName("spnGridX");
  spnGridY = new QSpinBox(grid);
  spnGridY->setObjectName("spnGridY");
  for (QSpinBox* spin : {spnGridX, spnGridY}) spin->setRange(0, 9999);
  gridLayout->addWidget(new QLabel("Horizontal", grid), 0, 0);
  gridLayout->addWidget(spnGridX, 0, 1);
  gridLayout->addWidget(new QLabel("Vertical", grid), 1, 0);
  gridLayout->addWidget(spnGridY, 1, 1);
  general->addWidget(grid, 0, 1, Qt::AlignTop);

  auto* titleRow = new QHBoxLayout;
  titleRow->addWidget(new QLabel("Notes Title:", tabGeneral));
  edtNotesTitle = new QLineEdit(tabGeneral);
  edtNotesTitle->setObjectName("edtNotesTitle");
  titleRow->addWidget(edtNotesTitle);
  general->addLayout(titleRow, 1, 0, 1, 2);
  auto* titleHint = new QLabel("Use $id$ to insert Note number", tabGeneral);
  titleHint->setObjectName("lblTitleHint");
  general->addWidget(titleHint, 2, 0, 1, 2);

  auto* fontRow = new QHBoxLayout;
  lblFont = new QLabel(tabGeneral);
  lblFont->setObjectName("lblFont");
  btnChangeFont = new QPushButton("Change Default Font", tabGeneral);
  btnChangeFont->setObjectName("btnChangeFont");
  fontRow->addWidget(lblFont, 1);
  fontRow->addWidget(btnChangeFont);
  general->addLayout(fontRow, 3, 0, 1, 2);
  general->setRowStretch(4, 1);
  PageControl->addTab(tabGeneral, "General Options");

  // Networking: only the identity is live; the rest waits for a network feature.
  auto* tabNetworking = new QWidget;
  tabNetworking->setObjectName("tabNetworking");
  auto* net = new QVBoxLayout(tabNetworking);
  net->addWidget(new QLabel("Networking has not been implemented yet!", tabNetworking));
  net->addWidget(new QLabel("Identity (user name, no spaces!):", tabNetworking));
  edtIdentity = new QLineEdit(tabNetworking);
  edtIdentity->setObjectName("edtIdentity");
  net->addWidget(edtIdentity);
  auto* hidden = new QWidget(tabNetworking);
  hidden->setObjectName("pnlNetworkHidden");
  auto* hiddenLayout = new QGridLayout(hidden);
  hiddenLayout->addWidget(new QLabel("TCP/IP Listen on Port:", hidden), 0, 0);
  auto* edtPort = new QLineEdit("56784", hidden);
  edtPort->setObjectName("edtPort");
  hiddenLayout->addWidget(edtPort, 0, 1);
  auto* btnListen = new QPushButton("&Listen", hidden);
  btnListen->setObjectName("btnListen");
  connect(btnListen, &QPushButton::clicked, this,
          [this] { platform_.dialogs->ShowMessage("Not implemented yet!"); });
  hiddenLayout->addWidget(btnListen, 0, 2);
  auto* btnStop = new QPushButton("&Stop", hidden);
  btnStop->setObjectName("btnStop");
  btnStop->setEnabled(false);
  hiddenLayout->addWidget(btnStop, 0, 3);
  chkBringToFront =
      checkBox("chkBringToFront", "Bring Note to Front when receiving a note from the Network", hidden);
  chkRemoveStayOnTop =
      checkBox("chkRemoveStayOnTop", "Remove \"StayOnTop\" attribute when window is activated", hidden);
  chkPlayWAV1 = checkBox("chkPlayWAV1", "Play this WAV file when a Quib-Note has been received:", hidden);
  chkPlayWAV2 = checkBox("chkPlayWAV2", "Play this WAV file when a Quib-Chat has been received:", hidden);
  edtWAVFilename1 = new QLineEdit(hidden);
  edtWAVFilename1->setObjectName("edtWAVFilename1");
  edtWAVFilename2 = new QLineEdit(hidden);
  edtWAVFilename2->setObjectName("edtWAVFilename2");
  hiddenLayout->addWidget(chkBringToFront, 1, 0, 1, 4);
  hiddenLayout->addWidget(chkRemoveStayOnTop, 2, 0, 1, 4);
  hiddenLayout->addWidget(chkPlayWAV1, 3, 0, 1, 4);
  hiddenLayout->addWidget(edtWAVFilename1, 4, 0, 1, 3);
  hiddenLayout->addWidget(new QPushButton("Check the Sound", hidden), 4, 3);
  hiddenLayout->addWidget(chkPlayWAV2, 5, 0, 1, 4);
  hiddenLayout->addWidget(edtWAVFilename2, 6, 0, 1, 3);
  hiddenLayout->addWidget(new QPushButton("Check the Sound", hidden), 6, 3);
  hidden->setVisible(false);
  net->addWidget(hidden);
  net->addStretch(1);
  PageControl->addTab(tabNetworking, "Networking");

  auto* tabNotes = new QWidget;
  tabNotes->setObjectName("tabNotes");
  auto* notesLayout = new QVBoxLayout(tabNotes);
  notesList_ = new TNotesList(tabNotes);
  notesList_->SetDialogs(platform_.dialogs);
  notesLayout->addWidget(notesList_);
  PageControl->addTab(tabNotes, "Quib-Notes");
  auto* tabAppearance = new QWidget;
  tabAppearance->setObjectName("tabAppearance");
  PageControl->addTab(tabAppearance, "Appearance");

  auto* buttons = new QHBoxLayout;
  auto* btnExit = new QPushButton("E&xit Application", central);
  btnExit->setObjectName("btnExit");
  auto* btnHide = new QPushButton("&Hide Control Panel", central);
  btnHide->setObjectName("btnHide");
  btnHide->setToolTip("Hide this Control Panel and continue running the program");
  buttons->addWidget(btnExit);
  buttons->addStretch(1);
  buttons->addWidget(btnHide);
  layout->addLayout(buttons);
  setCentralWidget(central);
  resize(420, 360);

  connect(btnExit, &QPushButton::clicked, this, &TfrmMain::mmExitClick);
  connect(btnHide, &QPushButton::clicked, this, &TfrmMain::HideControlPanel);
  // Programmatic changes run these too, as the settings rely on when they set the boxes.
  connect(chkSnapGrid, &QCheckBox::toggled, this, &TfrmMain::SnapGridClick);
  connect(chkSnapEdges, &QCheckBox::toggled, this, &TfrmMain::SnapEdgesClick);
  connect(chkSnapNotes, &QCheckBox::toggled, this, &TfrmMain::SnapNotesClick);
  connect(btnChangeFont, &QPushButton::clicked, this, &TfrmMain::btnChangeFontClick);
}

void TfrmMain::BuildMenus() {
  QMenu* mmFile = menuBar()->addMenu("&File");
  mmFile->setObjectName("mmFile");
  QAction* cmHide = mmFile->addAction("&Hide Control Panel");
  cmHide->setObjectName("cmHideControlPanel");
  connect(cmHide, &QAction::triggered, this, &TfrmMain::HideControlPanel);
  mmFile->addSeparator();
  QAction* cmCreate = mmFile->addAction("Create Quib-&Note\tF4");
  cmCreate->setObjectName("cmCreateQuibNote");
  connect(cmCreate, &QAction::triggered, this, &TfrmMain::cmCreateQuibNoteClick);
  QAction* cmChat = mmFile->addAction("Create Quib-&Chat\tF6");
  cmChat->setObjectName("cmCreateQuibChat");
  cmChat->setVisible(false);
  cmChat->setEnabled(false);
  mmFile->addSeparator();
  QAction* mmExit = mmFile->addAction("E&xit Application");
  mmExit->setObjectName("mmExit");
  connect(mmExit, &QAction::triggered, this, &TfrmMain::mmExitClick);

  QMenu* mmArrange = menuBar()->addMenu("&Arrange");
  mmArrange->setObjectName("mmArrange");
  const auto item = [this](QMenu* menu, const char* caption, const char* name, void (TfrmMain::*slot)()) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    connect(a, &QAction::triggered, this, slot);
  };
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
}

void TfrmMain::BuildTray() {
  pmTray = new QMenu(this);
  pmTray->setObjectName("pmTray");
  QAction* title = pmTray->addAction("Quib");
  title->setObjectName("pmTitle");
  title->setEnabled(false);
  pmTray->addSeparator();
  // The shortcut after the tab is a label only; F2 works on the notes themselves.
  QAction* show = pmTray->addAction("Show &Control Panel\tF2");
  show->setObjectName("pmShowControlPanel");
  connect(show, &QAction::triggered, this, &TfrmMain::ShowControlPanel);
  pmTray->addSeparator();
  QAction* create = pmTray->addAction("Create Quib-&Note");
  create->setObjectName("pmCreateQuibNote");
  connect(create, &QAction::triggered, this, &TfrmMain::cmCreateQuibNoteClick);
  QAction* chat = pmTray->addAction("Create Quib-&Chat");
  chat->setObjectName("pmCreateQuibChat");
  chat->setVisible(false);
  chat->setEnabled(false);
  QAction* saveNow = pmTray->addAction("&Save Configuration now!");
  saveNow->setObjectName("pmSaveAllNotesnow");
  connect(saveNow, &QAction::triggered, this, &TfrmMain::pmSaveAllNotesnowClick);
  pmTray->addSeparator();
  QAction* exitItem = pmTray->addAction("E&xit Application");
  exitItem->setObjectName("pmExitApplication");
  connect(exitItem, &QAction::triggered, this, &TfrmMain::mmExitClick);

  tray_ = new QSystemTrayIcon(BuiltInTrayIcon(), this);
  tray_->setContextMenu(pmTray);
  connect(tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
    if (reason == QSystemTrayIcon::DoubleClick) ShowControlPanel();
  });
}

void TfrmMain::FormCreate() {
  RandomSeed(platform_.system->ClockSeed());
  closing_ = false;
  TQuibApplication::SetTitle(kAppVersionTitle);
  pmTray->actions().first()->setText(kAppVersionTitle);
  setWindowTitle(QString::fromLatin1(kAppVersionTitle) + " " + QString::fromLatin1(kMakerNotice));
  tray_->setToolTip(kAppVersionTitle);
  tray_->show();

  boxController_ = std::make_unique<TBoxController>(*notesList_);
  InitScreenSnapper(*platform_.screens);
  settings_->OnMessage = [this](const std::string& m) { platform_.dialogs->ShowMessage(m); };
  try {
    settings_->Load();
    settingsLoaded_ = true;
    LoadSettings();
    CreateConfigs();
    notesList_->SetCollection(configs_.get());
    OpenStoredNotes();
    ScanDeletedNoteIds();
    MoveTo(remembered_);
    remembered_ = CurrentTopLeft();
    MoveOffScreen();
    if (edtIdentity->text().isEmpty()) {
      // Linux sessions rarely set USERNAME; the login name stands in for it.
      for (const char* var : {"USERNAME", "USER", "LOGNAME"}) {
        if (const auto name = platform_.system->Environment(var); name && !name->empty()) {
          edtIdentity->setText(q(*name));
          break;
        }
      }
      CreateWelcomeNote();
    }
  } catch (const std::exception& e) {
    // An error ends the creation steps; the form stays visible where it stood.
    platform_.dialogs->ShowError(TQuibApplication::Title(), ErrorBoxText(e.what()));
    if (!hidden_) show();
  }
}

bool TfrmMain::OnSomeMonitor(const QPoint& p) const {
  for (const TMonitor& m : platform_.screens->Monitors()) {
    const TRect& r = m.WorkArea;
    if (p.x() >= r.Left && p.x() <= r.Right && p.y() >= r.Top && p.y() <= r.Bottom) return true;
  }
  return false;
}

// Positions are those of the client area: the frame's size is unknown until the window
// manager has framed the window once, and mixing the two would move the panel at every start.
QPoint TfrmMain::CurrentTopLeft() const {
  return hidden_ ? hiddenPos_ : geometry().topLeft();
}

void TfrmMain::MoveTo(const QPoint& p) {
  setGeometry(QRect(p, size()));
}

void TfrmMain::MoveOffScreen() {
  // Hidden for real: a window manager may pull a window that only stands off screen back in.
  hiddenPos_ = QPoint(8 * platform_.screens->PrimaryWidth(), CurrentTopLeft().y());
  hidden_ = true;
  hide();
}

void TfrmMain::LoadSettings() {
  const std::string notesFolder = AppFolder() + "quibnotes";
  if (!DirectoryExists(notesFolder)) CreateDir(notesFolder);

  remembered_ = QPoint(static_cast<int32_t>(settings_->GetInteger("iLastX")),
                       static_cast<int32_t>(settings_->GetInteger("iLastY")));
  if (!OnSomeMonitor(remembered_))
    remembered_ = QPoint((platform_.screens->PrimaryWidth() - width()) / 2,
                         (platform_.screens->PrimaryHeight() - height()) / 2);

  ShowFontLabel(settings_->GetString("sDefaultFontName"),
                static_cast<int32_t>(settings_->GetInteger("iDefaultFontSize")),
                static_cast<int32_t>(settings_->GetInteger("iDefaultFontColor")));

  chkRandomColor->setChecked(settings_->GetBoolean("bRandomColor"));
  chkSnapGrid->setChecked(settings_->GetBoolean("bSnapGrid"));
  chkSnapEdges->setChecked(settings_->GetBoolean("bSnapEdges"));
  chkSnapNotes->setChecked(settings_->GetBoolean("bSnapNotes"));
  chkStartup->setChecked(settings_->GetBoolean("bStartup"));
  chkBringToFront->setChecked(settings_->GetBoolean("bBringToFront"));
  chkRemoveStayOnTop->setChecked(settings_->GetBoolean("bRemoveStayOnTop"));
  chkWinXPShadow->setChecked(settings_->GetBoolean("bWinXPShadow"));

  spnGridX->setValue(static_cast<int32_t>(settings_->GetInteger("iGridX")));
  spnGridY->setValue(static_cast<int32_t>(settings_->GetInteger("iGridY")));

  edtIdentity->setText(q(settings_->GetString("sIdentity")));
  edtWAVFilename1->setText(q(settings_->GetString("sWAVFilename1")));
  edtWAVFilename2->setText(q(settings_->GetString("sWAVFilename2")));
  chkPlayWAV1->setChecked(settings_->GetBoolean("bPlayWAV1"));
  chkPlayWAV2->setChecked(settings_->GetBoolean("bPlayWAV2"));

  lastSend_ = settings_->GetString("sLastSend");
  edtNotesTitle->setText(q(settings_->GetString("sNotesTitle")));

  icoDir_ = settings_->GetString("sICODir");
  if (icoDir_.empty()) icoDir_ = AppFolder() + "tray_icons";

  trayIconFile_ = settings_->GetString("sTrayIcon");
  if (!trayIconFile_.empty()) {
    if (FileExists(trayIconFile_)) {
      const QIcon icon(q(trayIconFile_));
      if (!icon.isNull()) tray_->setIcon(icon);
    } else {
      trayIconFile_.clear();
    }
  }
}

void TfrmMain::SaveSettings() {
  const QPoint p = CurrentTopLeft();
  if (OnSomeMonitor(p)) remembered_ = p;
  settings_->SetInteger("iLastX", remembered_.x());
  settings_->SetInteger("iLastY", remembered_.y());
  settings_->SetBoolean("bRandomColor", chkRandomColor->isChecked());
  settings_->SetBoolean("bSnapGrid", chkSnapGrid->isChecked());
  settings_->SetBoolean("bSnapEdges", chkSnapEdges->isChecked());
  settings_->SetBoolean("bSnapNotes", chkSnapNotes->isChecked());
  settings_->SetBoolean("bStartup", chkStartup->isChecked());
  settings_->SetBoolean("bBringToFront", chkBringToFront->isChecked());
  settings_->SetBoolean("bRemoveStayOnTop", chkRemoveStayOnTop->isChecked());
  settings_->SetBoolean("bWinXPShadow", chkWinXPShadow->isChecked());
  settings_->SetInteger("iGridX", spnGridX->value());
  settings_->SetInteger("iGridY", spnGridY->value());
  settings_->SetString("sIdentity", s8(edtIdentity->text()));
  settings_->SetString("sWAVFilename1", s8(edtWAVFilename1->text()));
  settings_->SetString("sWAVFilename2", s8(edtWAVFilename2->text()));
  settings_->SetBoolean("bPlayWAV1", chkPlayWAV1->isChecked());
  settings_->SetBoolean("bPlayWAV2", chkPlayWAV2->isChecked());
  settings_->SetString("sLastSend", lastSend_);
  settings_->SetString("sICODir", icoDir_);
  settings_->SetString("sTrayIcon", trayIconFile_);
  settings_->SetString("sNotesTitle", s8(edtNotesTitle->text()));
}

void TfrmMain::HideControlPanel() {
  remembered_ = CurrentTopLeft();
  MoveOffScreen();
  if (!settingsLoaded_) return;
  SaveSettings();
  settings_->Save();
}

void TfrmMain::ShowControlPanel() {
  if (!OnSomeMonitor(remembered_)) {
    const int y = RandomInt(platform_.screens->PrimaryHeight() - height());
    const int x = RandomInt(platform_.screens->PrimaryWidth() - width());
    remembered_ = QPoint(x, y);
  }
  MoveTo(remembered_);
  hidden_ = false;
  show();
  raise();
  activateWindow();
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (!closing_) {
    event->ignore();
    HideControlPanel();
    return;
  }
  event->accept();
  FormClose();
  QCoreApplication::quit();
}

void TfrmMain::mmExitClick() {
  closing_ = true;
  close();
  // A hidden window may get no close event; the closing step runs once either way.
  FormClose();
  QCoreApplication::quit();
}

void TfrmMain::EndSession() {
  closing_ = true;
  // The session is going away: report problems on stderr, no box can wait for an answer.
  FormClose(true);
  QCoreApplication::quit();
}

void TfrmMain::RunStep(const char* what, const std::function<void()>& step, bool quiet) {
  // Every step runs even when one before it failed: a settings file that cannot be written
  // must not cost the notes.
  try {
    step();
  } catch (const std::exception& e) {
    if (quiet) {
      std::fprintf(stderr, "Quib: %s: %s\n", what, e.what());
    } else {
      platform_.dialogs->ShowError(TQuibApplication::Title(), ErrorBoxText(e.what()));
    }
  }
}

void TfrmMain::FormClose(bool quiet) {
  if (closed_) return;
  closed_ = true;
  autosave_->stop();
  RunStep(
      "saving the notes' texts", [this] { SaveModifiedNotes(); }, quiet);
  if (settingsLoaded_)
    RunStep(
        "saving the settings",
        [this] {
          SaveSettings();
          settings_->Save();
        },
        quiet);
  RunStep(
      "updating the notes' records", [this] { UpdateAllNoteConfigs(); }, quiet);
  RunStep(
      "saving the notes file", [this, quiet] { SaveNotesFile(quiet); }, quiet);
}

void TfrmMain::pmSaveAllNotesnowClick() {
  autosave_->stop();
  SaveModifiedNotes();
  UpdateAllNoteConfigs();
  SaveNotesFile(false);
}

void TfrmMain::SaveModifiedNotes() {
  for (TfrmNote* note : notesList_->Notes())
    if (note->Modified()) note->SaveText();
}

void TfrmMain::UpdateAllNoteConfigs() {
  for (TfrmNote* note : notesList_->Notes()) notesList_->UpdateNoteConfig(*note);
}

void TfrmMain::OpenStoredNotes() {
  std::set<int32_t> opened;  // one window per note, however many names point at it
  for (const std::string& name : ListNoteTextFiles(false)) {
    const int32_t id = NoteIdFromFileName(name);
    // Ids start at 1: a name like quibnote-5.txt names no note of the program's.
    if (id < 1) continue;
    // A file named by hand (QuibNote0003.TXT, quibnote3.txt) becomes the note's own text file,
    // so that its text is what the note shows and saves.
    const std::string own = NoteTextPath(id);
    if (NotesFolder() + PathDelim + name != own && !FileExists(own))
      RenameFile(NotesFolder() + PathDelim + name, own);
    RaiseLastNoteId(id);
    if (!FileExists(own)) continue;
    if (opened.insert(id).second) factory_->OpenStoredNote(id, *configs_);
  }
}

void TfrmMain::ScanDeletedNoteIds() {
  for (const std::string& name : ListNoteTextFiles(true)) {
    const int32_t id = NoteIdFromFileName(name);
    if (id != -1) RaiseLastNoteId(id);
  }
}

void TfrmMain::CreateWelcomeNote() {
  const std::vector<std::string> lines = {
      "Welcome to Quib v2.00c",
      "",
      "[F2] opens Control Panel to configure Quib",
      "[F4] creates a new note on your desktop",
      "Right-Click on the title bar to display a menu of available options.",
      "Double-Click on the title bar to minimize/restore a note",
      "",
      "We hope you will find Quib one of the most useful applications ever made!",
      "Enjoy!",
      "",
      kMakerNotice,
  };
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  factory_->CreateCenteredNote(text, 400, 200);
}

void TfrmMain::cmMinimizeAllClick() {
  for (TfrmNote* note : notesList_->Notes()) note->Minimize();
}

void TfrmMain::cmMaximizeAllClick() {
  for (TfrmNote* note : notesList_->Notes()) note->Maximize();
}

void TfrmMain::cmBringAllNotesToFrontClick() {
  notesList_->BringAllNotesToFront();
  raise();
  activateWindow();
}

void TfrmMain::MinimizeAndGroup(int kind) {
  cmMinimizeAllClick();
  std::vector<TNoteBox> boxes;
  for (int i = 0; i < notesList_->Count(); ++i) boxes.push_back(notesList_->NoteBoxAt(i));
  const auto placed = ArrangeNotes(boxes, static_cast<TArrangeKind>(kind),
                                   TArrangeGrid{SnapToScreenGrid(), GridX(), GridY()});
  const std::vector<TfrmNote*> notes = notesList_->Notes();
  for (size_t i = 0; i < notes.size() && i < placed.size(); ++i)
    notes[i]->move(placed[i].Left, placed[i].Top);
}

void TfrmMain::cmArrangeInaClusterClick() {
  MinimizeAndGroup(static_cast<int>(TArrangeKind::Cluster));
}
void TfrmMain::cmArrangeHorizontallyClick() {
  MinimizeAndGroup(static_cast<int>(TArrangeKind::Horizontally));
}
void TfrmMain::cmArrangeVerticallyClick() {
  MinimizeAndGroup(static_cast<int>(TArrangeKind::Vertically));
}

void TfrmMain::cmShowLostNotesClick() {
  for (TfrmNote* note : notesList_->Notes()) {
    const QSize full = note->FullSize();
    const TNoteBox box{note->Id(), note->x(), note->y(), note->width(), note->height()};
    const auto target = LostNoteTarget(*platform_.screens, box, full.width(), full.height());
    if (target) note->move(target->Left, target->Top);
  }
}

void TfrmMain::cmCreateQuibNoteClick() {
  factory_->CreateRandomNote("");
}

void TfrmMain::MoveMinimizedGroup(int dx, int dy, int32_t id) {
  notesList_->MoveMinimizedGroup(dx, dy, id);
}

void TfrmMain::NoteWindowClosed(TfrmNote& note) {
  notesList_->UpdateNoteConfig(note);
  notesList_->RemoveNoteFromList(note.Id());
  NoteChanged();
}

void TfrmMain::NoteChanged() {
  if (creating_ || closed_) return;
  autosave_->start();
}

void TfrmMain::AutoSave() {
  if (closed_) return;
  try {
    pmSaveAllNotesnowClick();
    autosaveFailed_ = false;
  } catch (const std::exception& e) {
    // Told once: the next autosave tries again without another box.
    if (!autosaveFailed_) platform_.dialogs->ShowError(TQuibApplication::Title(), ErrorBoxText(e.what()));
    autosaveFailed_ = true;
  }
}

void TfrmMain::CreateConfigs() {
  const std::string path = AppFolder() + "quibnotes.xml";
  try {
    configs_ = std::make_unique<TConfigurationManager>(path, *settings_, *platform_.screens);
  } catch (...) {
    // Go on with an empty collection that never overwrites the file it could not read.
    configs_ = std::make_unique<TConfigurationManager>(TConfigurationManager::NoLoad{}, path, *settings_,
                                                       *platform_.screens);
    configs_->MarkUnreadable();
    throw;
  }
}

void TfrmMain::Tell(const std::string& text, bool quiet) {
  if (quiet) {
    std::fprintf(stderr, "Quib: %s\n", text.c_str());
  } else {
    platform_.dialogs->ShowMessage(text);
  }
}

void TfrmMain::SaveNotesFile(bool quiet) {
  if (!configs_) return;
  if (configs_->IsUnreadable()) {
    // Nothing to write yet: the file it could not read stays exactly as it is.
    if (configs_->Count() == 0) return;
    const std::string kept = configs_->MoveAsideUnreadableFile();
    if (!kept.empty())
      Tell("The notes file " + configs_->FileName() + " could not be read. It was kept as " + kept +
               " and a new notes file is written.",
           quiet);
  }
  configs_->SaveToFile();
}

void TfrmMain::SnapGridClick(bool checked) {
  if (!checked) return;
  chkSnapEdges->setChecked(false);
  chkSnapNotes->setChecked(false);
}

void TfrmMain::SnapEdgesClick(bool checked) {
  if (checked) chkSnapGrid->setChecked(false);
}

void TfrmMain::SnapNotesClick(bool checked) {
  if (checked) chkSnapGrid->setChecked(false);
}

void TfrmMain::ShowFontLabel(const std::string& name, int size, int color) {
  QFont font(q(name));
  font.setPointSize(size > 0 ? size : 8);
  lblFont->setFont(font);
  QPalette pal = lblFont->palette();
  pal.setColor(QPalette::WindowText, ToQColor(color));
  lblFont->setPalette(pal);
  lblFont->setText(q(name + " " + std::to_string(size) + "pt"));
}

void TfrmMain::btnChangeFontClick() {
  TFontSpec font;
  font.Name = settings_->GetString("sDefaultFontName");
  font.Size = static_cast<int32_t>(settings_->GetInteger("iDefaultFontSize"));
  font.Color = static_cast<int32_t>(settings_->GetInteger("iDefaultFontColor"));
  if (!platform_.dialogs->ChooseFont(font)) return;
  settings_->SetString("sDefaultFontName", font.Name);
  settings_->SetInteger("iDefaultFontSize", font.Size);
  settings_->SetInteger("iDefaultFontColor", font.Color);
  ShowFontLabel(font.Name, font.Size, font.Color);
  QFont f = lblFont->font();
  f.setBold(font.Bold);
  f.setItalic(font.Italic);
  f.setUnderline(font.Underline);
  f.setStrikeOut(font.StrikeOut);
  lblFont->setFont(f);
  settings_->Save();
}

bool TfrmMain::SnapToScreenGrid() const {
  return chkSnapGrid->isChecked();
}
bool TfrmMain::SnapToScreenEdges() const {
  return chkSnapEdges->isChecked();
}
bool TfrmMain::SnapToOtherNotes() const {
  return chkSnapNotes->isChecked();
}
double TfrmMain::GridX() const {
  return spnGridX->value();
}
double TfrmMain::GridY() const {
  return spnGridY->value();
}
std::string TfrmMain::NotesTitle() const {
  return s8(edtNotesTitle->text());
}
