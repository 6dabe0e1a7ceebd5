// The control panel: owner of the settings, the notes and the option controls; its creation
// starts the program and its closing step saves everything.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>
#include <memory>
#include <string>

#include "notes/ui/UNoteHost.h"
#include "platform/TPlatform.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QSpinBox;
class QSystemTrayIcon;
class QTabWidget;
class TbrRegVal;
class TConfigurationManager;
class TBoxController;
class TNoteFactory;
class TNotesList;
class QTimer;
class TbrColorPickerDialog;

inline constexpr const char* kAppVersionTitle = "Quib v2.00c";
inline constexpr const char* kMakerNotice = "(C) Brantel Software - free for everyone";

class TfrmMain : public QMainWindow, public TNoteHost {
  Q_OBJECT
 public:
  explicit TfrmMain(const TPlatform& platform, QWidget* parent = nullptr);
  ~TfrmMain() override;

  // Operations other parts call.
  void ShowControlPanel() override;
  void HideControlPanel();  // cmHideControlPanelClick
  void LoadSettings();
  void SaveSettings();
  void mmExitClick();
  // The desktop session ends (a signal or the session manager): the closing step, once.
  void EndSession();

  // What the note windows read and call (TNoteHost).
  bool SnapToScreenGrid() const override;
  bool SnapToScreenEdges() const override;
  bool SnapToOtherNotes() const override;
  double GridX() const override;
  double GridY() const override;
  std::string NotesTitle() const override;
  const TbrRegVal& Settings() const override { return *settings_; }
  const TBoxController& BoxController() const override { return *boxController_; }
  const TPlatform& Platform() const override { return platform_; }
  void MoveMinimizedGroup(int dx, int dy, int32_t id) override;
  void CreateNewNote() override { cmCreateQuibNoteClick(); }
  bool ClosingAll() const override { return closed_; }
  void NoteWindowClosed(TfrmNote& note) override;

  TbrRegVal& Settings() { return *settings_; }
  // The notes collection; null when start-up stopped before making it.
  TConfigurationManager* Configs() const { return configs_.get(); }
  TNotesList& NotesList() const { return *notesList_; }
  TNoteFactory& Factory() const { return *factory_; }
  // The one colour dialog every colour choice goes through.
  TbrColorPickerDialog& dlgColor() const { return *dlgColor_; }
  // "Create Quib-&Note": an empty note at a random place.
  void cmCreateQuibNoteClick();
  void SaveModifiedNotes();
  // The "&Arrange" menu.
  void cmMinimizeAllClick();
  void cmMaximizeAllClick();
  void cmBringAllNotesToFrontClick();
  void cmArrangeInaClusterClick();
  void cmArrangeHorizontallyClick();
  void cmArrangeVerticallyClick();
  void cmShowLostNotesClick();
  void UpdateAllNoteConfigs();
  // "&Save Configuration now!": the note texts, the records and the notes file.
  void pmSaveAllNotesnowClick();
  bool IsClosing() const { return closing_; }
  bool IsControlPanelHidden() const { return hidden_; }
  // The top-left corner as the program sees it: off every monitor while hidden.
  QPoint CurrentTopLeft() const;
  QPoint RememberedPosition() const { return remembered_; }
  QSystemTrayIcon* TrayIcon() const { return tray_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void FormClose(bool quiet = false);  // the closing step
  void BuildControls();
  void BuildMenus();
  void BuildTray();
  void MoveOffScreen();
  void MoveTo(const QPoint& p);
  bool OnSomeMonitor(const QPoint& p) const;
  void SnapGridClick(bool checked);
  void SnapEdgesClick(bool checked);
  void SnapNotesClick(bool checked);
  void btnChangeFontClick();
  void ShowFontLabel(const std::string& name, int size, int color);
  void RunStep(const char* what, const std::function<void()>& step, bool quiet);
  void CreateConfigs();
  void OpenStoredNotes();
  void ScanDeletedNoteIds();
  void CreateWelcomeNote();
  void MinimizeAndGroup(int kind);
  void NoteChanged();
  void AutoSave();
  void SaveNotesFile(bool quiet);
  // Tells the user something without waiting for an answer when quiet (the session ends).
  void Tell(const std::string& text, bool quiet);

  TPlatform platform_;
  std::unique_ptr<TbrRegVal> settings_;
  std::unique_ptr<TConfigurationManager> configs_;
  std::unique_ptr<TBoxController> boxController_;
  std::unique_ptr<TNoteFactory> factory_;
  std::unique_ptr<TbrColorPickerDialog> dlgColor_;
  TNotesList* notesList_ = nullptr;
  QTimer* autosave_ = nullptr;
  bool creating_ = true;
  bool autosaveFailed_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool hidden_ = false;
  // A settings file that failed to load is never overwritten with values it did not give.
  bool settingsLoaded_ = false;
  QPoint remembered_;
  QPoint hiddenPos_;
  std::string lastSend_;
  std::string icoDir_;
  std::string trayIconFile_;

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
  QSystemTrayIcon* tray_ = nullptr;
  QMenu* pmTray = nullptr;
};
