#include "app/UTrayIcon.h"

#include <QAction>
#include <QCursor>
#include <QIcon>
#include <QImageReader>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <cstdio>

#include "app/UAppIcons.h"
#include "platform/QtTrayRequests.h"

TTrayIcon::TTrayIcon(TCommands commands, QWidget* menuParent)
    : QObject(menuParent), commands_(std::move(commands)) {
  BuildMenu(menuParent);
  icon_ = new QSystemTrayIcon(BuiltInTrayIcon(), this);
  // A D-Bus tray exports the context menu for its host to draw, which Qt does by giving the
  // menu a platform menu. Qt's X11 tray would instead pop the menu up by itself, before the
  // click action could wait for the choice: there every kind of click comes through Activated.
  icon_->setContextMenu(pmTray_);
  SetHostDrawsMenu(pmTray_->platformMenu() != nullptr);
  connect(icon_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
  connect(pmTray_, &QMenu::aboutToShow, this, [this] { hostCommandRan_ = false; });
  connect(pmTray_, &QMenu::aboutToHide, this, [this] {
    if (hostMenu_ && !execRunning_) HostMenuClosed();
  });
  waitTimer_ = new QTimer(this);
  waitTimer_->setInterval(kPollMilliseconds);
  connect(waitTimer_, &QTimer::timeout, this, &TTrayIcon::PollTray);
  settleTimer_ = new QTimer(this);
  settleTimer_->setSingleShot(true);
  settleTimer_->setInterval(kHostMenuSettleMs);
  connect(settleTimer_, &QTimer::timeout, this, [this] {
    if (commands_.ClickAction) commands_.ClickAction();
  });
}

void TTrayIcon::SetHostDrawsMenu(bool host) {
  hostMenu_ = host;
  if (!hostMenu_ && icon_->contextMenu()) icon_->setContextMenu(nullptr);
  if (hostMenu_) WatchTrayMenuRequests();
}

bool TTrayIcon::ShowsMenu() const {
  return !hostMenu_ || pmTray_->platformMenu() != nullptr;
}

void TTrayIcon::BuildMenu(QWidget* menuParent) {
  pmTray_ = new QMenu(menuParent);
  pmTray_->setObjectName("pmTray");
  const auto item = [this](const char* caption, const char* name, const std::function<void()>* command) {
    QAction* a = pmTray_->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (command) connect(a, &QAction::triggered, this, [this, command] { RunCommand(*command); });
    return a;
  };
  item("Quib", "pmTitle", nullptr)->setEnabled(false);
  pmTray_->addSeparator();
  // The shortcut after the tab is a label only; F2 works on the notes themselves.
  item("Show &Control Panel\tF2", "pmShowControlPanel", &commands_.ShowControlPanel);
  item("Choose Tray &Icon...", "pmChooseTrayIcon", &commands_.ChooseTrayIcon);
  pmTray_->addSeparator();
  item("Create Quib-&Note", "pmCreateQuibNote", &commands_.CreateNote);
  QAction* chat = item("Create Quib-&Chat", "pmCreateQuibChat", nullptr);
  chat->setVisible(false);
  chat->setEnabled(false);
  item("&Save Configuration now!", "pmSaveAllNotesnow", &commands_.SaveNow);
  pmTray_->addSeparator();
  item("E&xit Application", "pmExitApplication", &commands_.Exit);
}

void TTrayIcon::RunCommand(const std::function<void()>& command) {
  if (execRunning_ || !hostMenu_) {
    // From the program's own menu: Activated runs the click action once the menu is closed.
    if (command) command();
    return;
  }
  // Chosen in the host's menu. Its "closed" may come before this, or during the command (a
  // dialog waits for the user): either way the click action comes once, after the command. The
  // command runs once the host's call is answered, so a dialog does not hold the host up.
  settleTimer_->stop();
  hostCommandRan_ = true;
  QTimer::singleShot(0, this, [this, command] {
    QPointer<TTrayIcon> self(this);
    if (command) command();
    if (self && commands_.ClickAction) commands_.ClickAction();
  });
}

void TTrayIcon::HostMenuClosed() {
  if (!hostCommandRan_) settleTimer_->start();
  hostCommandRan_ = false;
}

void TTrayIcon::SetIcon(const QIcon& icon) {
  icon_->setIcon(icon);
}

void TTrayIcon::SetTitle(const QString& title) {
  pmTray_->actions().first()->setText(title);
  icon_->setToolTip(title);
}

void TTrayIcon::Start() {
  polls_ = 0;
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    icon_->show();
    return;
  }
  waitTimer_->start();
}

bool TTrayIcon::Waiting() const {
  return waitTimer_->isActive();
}

void TTrayIcon::PollTray() {
  // Qt looks for a tray only when the icon is shown, and does not look again by itself.
  if (QSystemTrayIcon::isSystemTrayAvailable()) {
    waitTimer_->stop();
    icon_->show();
    return;
  }
  if (++polls_ * kPollMilliseconds < kWaitSeconds * 1000) return;
  waitTimer_->stop();
  std::fprintf(stderr,
               "Quib: no notification area (system tray) appeared; F2 on a note, or starting Quib "
               "again, shows the control panel.\n");
}

bool TTrayIcon::ShowMenuAt(const QPoint& pos) {
  // Modal: the chosen command has run when exec returns. A command may end the program, and
  // with it this object.
  execRunning_ = true;
  QPointer<TTrayIcon> self(this);
  pmTray_->exec(pos);
  if (!self) return false;
  execRunning_ = false;
  return true;
}

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      if (commands_.ShowControlPanel) commands_.ShowControlPanel();
      return;
    case QSystemTrayIcon::Context:
      if (hostMenu_) {
        // A D-Bus host that does not draw menus asks for it at a point of its choice, and waits
        // for its call to be answered: the menu opens once it is.
        const QPoint at = TakeTrayMenuRequest().value_or(QCursor::pos());
        QTimer::singleShot(0, this, [this, at] {
          if (ShowMenuAt(at) && commands_.ClickAction) commands_.ClickAction();
        });
        return;
      }
      if (!ShowMenuAt(QCursor::pos())) return;
      break;
    case QSystemTrayIcon::Trigger:
      // No double click comes from a D-Bus host: its activation is the way to the panel.
      if (hostMenu_ && commands_.ControlPanelHidden && commands_.ControlPanelHidden() &&
          commands_.ShowControlPanel) {
        QPointer<TTrayIcon> self(this);
        commands_.ShowControlPanel();
        if (!self) return;
      }
      break;
    case QSystemTrayIcon::MiddleClick:
    case QSystemTrayIcon::Unknown:
      break;
  }
  if (commands_.ClickAction) commands_.ClickAction();
}

QIcon LoadTrayIconFile(const std::string& path) {
  const QString file = QString::fromLocal8Bit(path.c_str());
  QImageReader reader(file);
  if (!reader.canRead() || reader.read().isNull()) return QIcon();
  // From the file itself, so that an icon file's other sizes serve the tray's size.
  return QIcon(file);
}
