// The control panel's form: its tabs, option controls and buttons.
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/UAppearanceTab.h"
#include "app/UNotesTab.h"
#include "app/UfrmMain.h"
#include "platform/Dialogs.h"

namespace {
QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
  auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
  box->setObjectName(QString::fromLatin1(name));
  return box;
}
}  // namespace

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
  chkStartup = checkBox("chkStartup", "Start Quib when I log in", tabGeneral);
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
  notesTab_ = new TNotesTab(*notesList_, tabNotes);
  notesLayout->addWidget(notesTab_);
  PageControl->addTab(tabNotes, "Quib-Notes");
  appearanceTab_ = new TAppearanceTab(*notesList_, *notesTab_, *platform_.dialogs, random_);
  appearanceTab_->setObjectName("tabAppearance");
  PageControl->addTab(appearanceTab_, "Appearance");

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
  connect(chkStartup, &QCheckBox::toggled, this, &TfrmMain::chkStartupClick);
  connect(btnChangeFont, &QPushButton::clicked, this, &TfrmMain::btnChangeFontClick);
}
