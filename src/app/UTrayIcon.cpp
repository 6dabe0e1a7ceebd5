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

TTrayIcon::TTrayIcon(TCommands commands, QWidget* menuParent)
    : QObject(menuParent), commands_(std::move(commands)) {
  BuildMenu(menuParent);
  icon_ = new QSystemTrayIcon(BuiltInTrayIcon(), this);
  // No context menu for Qt to pop up by itself: the right button's menu must be followed by
  // the click action, so every kind of click comes through Activated.
  connect(icon_, &QSystemTrayIcon::activated, this, &TTrayIcon::Activated);
  waitTimer_ = new QTimer(this);
  waitTimer_->setInterval(kPollMilliseconds);
  connect(waitTimer_, &QTimer::timeout, this, &TTrayIcon::PollTray);
}

void TTrayIcon::BuildMenu(QWidget* menuParent) {
  pmTray_ = new QMenu(menuParent);
  pmTray_->setObjectName("pmTray");
  const auto item = [this](const char* caption, const char* name, const std::function<void()>* command) {
    QAction* a = pmTray_->addAction(QString::fromLatin1(caption));
    a->setObjectName(QString::fromLatin1(name));
    if (command)
      connect(a, &QAction::triggered, this, [command] {
        if (*command) (*command)();
      });
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

void TTrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::DoubleClick:
      if (commands_.ShowControlPanel) commands_.ShowControlPanel();
      return;
    case QSystemTrayIcon::Context: {
      // Modal: the chosen command has run when exec returns. A command may end the program,
      // and with it this object.
      QPointer<TTrayIcon> self(this);
      pmTray_->exec(QCursor::pos());
      if (!self) return;
      break;
    }
    case QSystemTrayIcon::Trigger:
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
