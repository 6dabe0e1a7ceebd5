#include <gtest/gtest.h>

#include <QMenu>
#include <QTest>
#include <QTimer>

#include "app/UTrayIcon.h"

// Answers the menu that exec opens with a key (a mnemonic, or Escape), then closes it should the
// key have done nothing, so that a failing test cannot hang in the menu's loop.
void AnswerTrayMenu(QMenu* menu, int key) {
  QTimer::singleShot(0, menu, [menu, key] {
    QTest::keyClick(menu, static_cast<Qt::Key>(key));
    QTimer::singleShot(500, menu, [menu] { menu->close(); });
  });
}

TEST(TrayIcon, EachKindOfClickRunsItsCommandsInOrder) {
  std::vector<std::string> log;
  const auto logs = [&log](const char* what) { return [&log, what] { log.push_back(what); }; };
  TTrayIcon::TCommands commands{logs("show"), logs("icon"),  logs("create"),     logs("save"),
                                logs("exit"), logs("click"), [] { return true; }};
  QWidget owner;
  TTrayIcon tray(commands, &owner);
  QObject::connect(tray.Menu(), &QMenu::aboutToShow, [&] { log.push_back("menu"); });
  // Qt must not pop the menu up by itself: the click action would not wait for the choice.
  EXPECT_EQ(tray.Icon().contextMenu(), nullptr);

  struct Case {
    QSystemTrayIcon::ActivationReason reason;
    int key;  // answers the menu
    std::vector<std::string> expected;
  } cases[] = {
      {QSystemTrayIcon::Trigger, 0, {"click"}},
      {QSystemTrayIcon::MiddleClick, 0, {"click"}},
      {QSystemTrayIcon::DoubleClick, 0, {"show"}},
      {QSystemTrayIcon::Context, Qt::Key_N, {"menu", "create", "click"}},
      {QSystemTrayIcon::Context, Qt::Key_I, {"menu", "icon", "click"}},
      {QSystemTrayIcon::Context, Qt::Key_Escape, {"menu", "click"}},
  };
  for (const auto& c : cases) {
    log.clear();
    if (c.key) AnswerTrayMenu(tray.Menu(), c.key);
    tray.Activated(c.reason);
    EXPECT_EQ(log, c.expected) << c.reason << " " << c.key;
    EXPECT_FALSE(tray.Menu()->isVisible());
  }
}

// A D-Bus host draws the exported menu and tells of it in its own order: "closed" comes before
// the chosen item's "clicked" (GTK hosts) or after it. The click action still comes once, after
// the command; an activation shows the hidden panel, since no double click comes.
TEST(TrayIcon, OnADBusTrayTheClickActionFollowsTheHostsMenuAndActivationShowsThePanel) {
  std::vector<std::string> log;
  bool hidden = true;
  const auto logs = [&log](const char* what) { return [&log, what] { log.push_back(what); }; };
  TTrayIcon::TCommands commands{
      logs("show"), logs("icon"), logs("create"), logs("save"), logs("exit"), logs("click"), [&hidden] {
        return hidden;
      }};
  QWidget owner;
  TTrayIcon tray(commands, &owner);
  tray.SetHostDrawsMenu(true);
  QMenu* menu = tray.Menu();
  QAction* create = menu->findChild<QAction*>("pmCreateQuibNote");
  const auto settle = [] { QTest::qWait(TTrayIcon::kHostMenuSettleMs + 200); };

  struct Case {
    const char* name;
    std::function<void()> events;
    std::vector<std::string> expected;
  } cases[] = {
      {"activate, panel hidden", [&] { tray.Activated(QSystemTrayIcon::Trigger); }, {"show", "click"}},
      {"activate, panel shown",
       [&] {
         hidden = false;
         tray.Activated(QSystemTrayIcon::Trigger);
         hidden = true;
       },
       {"click"}},
      {"closed, then clicked",
       [&] {
         emit menu->aboutToShow();
         emit menu->aboutToHide();
         create->trigger();
         settle();
       },
       {"create", "click"}},
      {"clicked, then closed",
       [&] {
         emit menu->aboutToShow();
         create->trigger();
         emit menu->aboutToHide();
         settle();
       },
       {"create", "click"}},
      {"closed, nothing chosen",
       [&] {
         emit menu->aboutToShow();
         emit menu->aboutToHide();
         settle();
       },
       {"click"}},
      {"a host that asks for the menu",
       [&] {
         tray.Activated(QSystemTrayIcon::Context);  // answered once the menu opens
         AnswerTrayMenu(menu, Qt::Key_N);
         settle();
       },
       {"create", "click"}},
  };
  for (const auto& c : cases) {
    log.clear();
    c.events();
    EXPECT_EQ(log, c.expected) << c.name;
  }
  // Exported only where Qt made a platform menu for it; offscreen there is none to show.
  EXPECT_FALSE(tray.ShowsMenu());
}
