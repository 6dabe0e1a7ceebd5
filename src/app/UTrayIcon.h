// The program's icon in the notification area and its menu: the click action after every
// click, the menu at the pointer for the right button, the control panel for a double click.
// When the desktop has no tray yet (the panel starts after Quib), the icon waits for one.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>
#include <string>

class QAction;
class QIcon;
class QMenu;
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

  // How long Start keeps looking for a tray, and how often.
  static constexpr int kWaitSeconds = 300;
  static constexpr int kPollMilliseconds = 1000;

 private:
  void BuildMenu(QWidget* menuParent);
  void PollTray();

  TCommands commands_;
  QMenu* pmTray_ = nullptr;
  QSystemTrayIcon* icon_ = nullptr;
  QTimer* waitTimer_ = nullptr;
  int polls_ = 0;
};

// The picture of an icon file, or a null icon when the file holds no picture Qt can read.
QIcon LoadTrayIconFile(const std::string& path);
