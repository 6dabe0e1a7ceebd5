// The control panel: owner of the settings, the notes, their host and the option controls; its
// creation starts the program and its closing step saves everything. Its jobs live in units of
// their own: the form's controls (UfrmMainControls), the settings binding (UfrmMainSettings), the
// start-up note steps (UStartupNotes), saving (UNotesSaver), the panel's placement
// (UPanelPlacement), the tray icon (UTrayIcon) and the menus' other commands (UMainCommands);
// the note machinery it drives (the factory, the list of open notes, their host and the arrange
// commands) is under notes/ui.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QPointer>
#include <memory>
#include <string>

#include "base/brRandom.h"
#include "notes/UArrange.h"
#include "notes/ui/UNotesHost.h"
#include "platform/TPlatform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TbrRegVal;
class TConfigurationManager;
class TBoxController;
class TScreenSnapper;
class TNoteFactory;
class TNoteFileFollow;
class TNotesFileFollow;
class TNotesList;
class TNotesSaver;
class TNoteStore;
class TNotesTab;
class TPanelPlacement;
class TAppearanceTab;
class TAppTitle;
class TFindDialog;
class TTrayIcon;

inline constexpr const char* kAppVersionTitle = "Quib v2.00c";
inline constexpr const char* kMakerNotice = "(C) Brantel Software - free for everyone";
// The maker's web address; the installed metainfo names the same one.
inline constexpr const char* kMakerHomepage = "https://www.brantel.example.com/";

class TfrmMain : public QMainWindow, public TNotePanel {
  Q_OBJECT
 public:
  // The store and the application title outlive the control panel, which sets the title.
  TfrmMain(const TPlatform& platform, TNoteStore& store, TAppTitle& title, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Operations other parts call.
  void ShowControlPanel() override;
  void HideControlPanel();  // cmHideControlPanelClick
  void LoadSettings();
  void SaveSettings();
  void mmExitClick();
  // The desktop session ends (a signal, or the application quits under the session manager):
  // the closing step, once, then the program ends.
  void EndSession();
  // The session manager asks for everything to be saved; a logout may still be called off,
  // so the program goes on.
  void CommitData();

  // What the note host asks of the panel (TNotePanel).
  TNoteOptions Options() const override;
  void CreateNewNote() override { cmCreateQuibNoteClick(); }
  void ExitApplication() override { mmExitClick(); }
  bool ClosingAll() const override;

  // The option controls' values.
  bool SnapToScreenGrid() const;
  bool SnapToScreenEdges() const;
  bool SnapToOtherNotes() const;
  double GridX() const;
  double GridY() const;
  std::string NotesTitle() const;

  TbrRegVal& Settings() const { return *settings_; }
  // The notes collection; null only while start-up has not made it.
  TConfigurationManager* Configs() const { return configs_.get(); }
  TNotesList& NotesList() const { return *notesList_; }
  TAppearanceTab& AppearanceTab() const { return *appearanceTab_; }
  TNotesSaver& Saver() const { return *saver_; }
  // From now on a note window is kept built ahead, so a new note shows without waiting for one
  // to be built (the program does this; tests mostly go without).
  void KeepSpareNoteWindow();
  // "Create Quib-&Note": an empty note at a random place.
  void cmCreateQuibNoteClick();
  // The "&Arrange" menu.
  void cmMinimizeAllClick();
  void cmMaximizeAllClick();
  void cmBringAllNotesToFrontClick();
  void cmArrangeInaClusterClick();
  void cmArrangeHorizontallyClick();
  void cmArrangeVerticallyClick();
  void cmShowLostNotesClick();
  // "&Save Configuration now!": the note texts, the records and the notes file.
  void pmSaveAllNotesnowClick();
  // The other menu commands (UMainCommands.cpp).
  void cmFindClick();  // shows the find dialog
  // Every note whose text holds text (A to Z folded unless matchCase) is restored and raised.
  void FindInNotes(const std::string& text, bool matchCase);
  void cmReplaceClick();
  void cmUndeleteQuibNoteClick();
  void cmOpenNotesFolderClick();
  void cmChooseTrayIconClick();
  void cmQuickHelpClick();
  void cmHomepageClick();
  void cmAboutClick();
  void btnChangeFontClick();
  void chkStartupClick(bool checked);
  // After every click on the tray icon: the notes to the front, and the panel when it is shown.
  void TrayIconClick();
  bool IsClosing() const { return closing_; }
  bool IsControlPanelHidden() const;
  // The top-left corner as the program sees it: off every monitor while hidden.
  QPoint CurrentTopLeft() const;
  QPoint RememberedPosition() const;
  TTrayIcon& TrayIcon() const { return *tray_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void FormCreate();
  bool FormClose(bool quiet = false);  // the closing step
  void BuildControls();
  void BuildMenus();
  void BuildTray();
  void CreateConfigs();
  void CreateWelcomeNote();
  // False while the welcome note's text has not reached the disk: the identity, which marks a
  // first run as done, is then saved empty.
  bool FirstRunDone() const;
  void SnapGridClick(bool checked);
  void SnapEdgesClick(bool checked);
  void SnapNotesClick(bool checked);
  void ShowFontLabel(const std::string& name, int size, int color);
  void Arrange(TArrangeKind kind);
  bool HasTray() const;
  void StartupFailed(const std::exception& e);

  TPlatform platform_;
  TNoteStore& store_;
  TAppTitle& title_;
  // The program's one random source, seeded from the clock at start.
  TRandom random_;
  std::unique_ptr<TbrRegVal> settings_;
  std::unique_ptr<TConfigurationManager> configs_;
  std::unique_ptr<TBoxController> boxController_;
  std::unique_ptr<TScreenSnapper> snapper_;
  std::unique_ptr<TNotesHost> noteHost_;
  std::unique_ptr<TNoteFactory> factory_;
  std::unique_ptr<TPanelPlacement> placement_;
  std::unique_ptr<TNoteFileFollow> follow_;
  std::unique_ptr<TNotesFileFollow> notesFileFollow_;
  TNotesList* notesList_ = nullptr;
  TNotesTab* notesTab_ = nullptr;
  TAppearanceTab* appearanceTab_ = nullptr;
  TNotesSaver* saver_ = nullptr;
  bool closing_ = false;
  bool destroying_ = false;
  // A settings file that failed to load is never overwritten with values it did not give.
  bool settingsLoaded_ = false;
  bool welcomePending_ = false;
  int32_t welcomeNoteId_ = 0;
  std::string lastSend_;
  std::string icoDir_;
  std::string trayIconFile_;
  // A note made from the tray menu: it keeps the keyboard past the click action that follows.
  QPointer<TfrmNote> trayNote_;

  QTabWidget* PageControl = nullptr;
  QCheckBox* chkRandomColor = nullptr;
  QCheckBox* chkSnapGrid = nullptr;
  QCheckBox* chkSnapEdges = nullptr;
  QCheckBox* chkSnapNotes = nullptr;
  QCheckBox* chkStartup = nullptr;
  QCheckBox* chkWinXPShadow = nullptr;
  QSpinBox* spnGridX = nullptr;
  QSpinBox* spnGridY = nullptr;
  QLineEdit* edtNotesTitle = nullptr;
  QLabel* lblFont = nullptr;
  QPushButton* btnChangeFont = nullptr;
  QLineEdit* edtIdentity = nullptr;
  QCheckBox* chkBringToFront = nullptr;
  QCheckBox* chkRemoveStayOnTop = nullptr;
  QCheckBox* chkPlayWAV1 = nullptr;
  QCheckBox* chkPlayWAV2 = nullptr;
  QLineEdit* edtWAVFilename1 = nullptr;
  QLineEdit* edtWAVFilename2 = nullptr;
  TTrayIcon* tray_ = nullptr;
  TFindDialog* dlgFind_ = nullptr;
};
