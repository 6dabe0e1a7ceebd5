// The program's icon in the notification area and its menu: the click action after every
// click, the menu at the pointer for the right button, the control panel for a double click.
// On a D-Bus tray (StatusNotifierItem: Plasma, GNOME with AppIndicator, the Xfce panel) the
// host draws the exported menu itself and sends no double click, so activating the item shows
// the hidden control panel. When the desktop has no tray yet (the panel starts after Quib),
// the icon waits for one.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <string>

class QAction;
class QIcon;
class QMenu;
class QPoint;
class QTimer;
class QWidget;

class TTrayIcon : public QObject {
  Q_OBJECT
 public:
  // What the icon and its menu run.
  struct TCommands {
    std::function<void()> ShowControlPanel;
    std::function<void()> ChooseTrayIcon;
    std::function<void()> CreateNote;
    std::function<void()> SaveNow;
    std::function<void()> Exit;
    // After every click, and after the menu and whatever was chosen in it.
    std::function<void()> ClickAction;
    // True while the control panel is hidden.
    std::function<bool()> ControlPanelHidden;
  };

  // The menu is a child of menuParent (the control panel), named pmTray.
  TTrayIcon(TCommands commands, QWidget* menuParent);

  QMenu* Menu() const { return pmTray_; }
  QSystemTrayIcon& Icon() const { return *icon_; }
  void SetIcon(const QIcon& icon);
  // The menu's first, disabled item and the icon's tooltip.
  void SetTitle(const QString& title);
  // Shows the icon now when the desktop has a tray, else as soon as one appears.
  void Start();
  bool Waiting() const;
  // A click of the given kind, as the desktop reports it.
  void Activated(QSystemTrayIcon::ActivationReason reason);

  // True when the tray's host draws the menu from its D-Bus export; decided when the icon is
  // made (Qt picks its tray then), settable for tests.
  bool HostDrawsMenu() const { return hostMenu_; }
  void SetHostDrawsMenu(bool host);
  // True when a click on the icon can reach the menu: always on an X11 tray (the program
  // shows it), on a D-Bus tray when the menu is exported.
  bool ShowsMenu() const;
  // The host closed the menu it drew (its "closed" event).
  void HostMenuClosed();

  // How long Start keeps looking for a tray, and how often.
  static constexpr int kWaitSeconds = 300;
  static constexpr int kPollMilliseconds = 1000;
  // A host's "closed" may come before the "clicked" of the chosen item; the click action waits
  // this long for it.
  static constexpr int kHostMenuSettleMs = 300;

 private:
  void BuildMenu(QWidget* menuParent);
  void PollTray();
  void RunCommand(const std::function<void()>& command);
  // False when a command chosen in it ended the program.
  bool ShowMenuAt(const QPoint& pos);

  TCommands commands_;
  QMenu* pmTray_ = nullptr;
  QSystemTrayIcon* icon_ = nullptr;
  QTimer* waitTimer_ = nullptr;
  QTimer* settleTimer_ = nullptr;
  int polls_ = 0;
  bool hostMenu_ = false;
  bool execRunning_ = false;
  // A command of the host's menu has run since it was opened: its click action is done.
  bool hostCommandRan_ = false;
};

// The picture of an icon file, or a null icon when the file holds no picture Qt can read.
QIcon LoadTrayIconFile(const std::string& path);
