#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "app/UAboutBox.h"
#include "app/UFindDialog.h"
#include "app/UTrayIcon.h"
#include "notes/ui/UNoteFactory.h"
#include "store/brRegVal.h"
#include "support/qt/PanelTest.h"

void AnswerTrayMenu(QMenu* menu, int key);  // test_tray.cpp

namespace {
class CommandsTest : public PanelTest {
 protected:
  TfrmMain& start(const std::string& booleans = "") {
    shell.calls.clear();
    PanelTest::start("[Strings]\nsIdentity=tester\n[Booleans]\n" + booleans);
    dialogs.shown.clear();
    return *main;
  }
  std::string ini() { return read("quib.ini"); }
  std::string notePath(const std::string& name) { return store->NotesFolder() + "/" + name; }
  std::vector<int32_t> restoredIds() {
    std::vector<int32_t> ids;
    for (TfrmNote* n : main->NotesList().Notes())
      if (!n->Minimized()) ids.push_back(n->Id());
    return ids;
  }
};

// "text", "text [shortcut]", "text (hidden)" or "text (disabled)"; "-" for a separator.
std::vector<std::string> describe(const QMenu& menu) {
  std::vector<std::string> out;
  for (const QAction* a : menu.actions()) {
    std::string text = a->isSeparator() ? "-" : a->text().toStdString();
    if (!a->shortcut().isEmpty()) text += " [" + a->shortcut().toString().toStdString() + "]";
    if (!a->isVisible())  // Qt reports a hidden item disabled as well
      text += " (hidden)";
    else if (!a->isEnabled())
      text += " (disabled)";
    out.push_back(text);
  }
  return out;
}
}  // namespace

TEST_F(CommandsTest, MenusAsTheProgramNamesThem) {
  start();
  std::vector<std::vector<std::string>> menus;
  for (QAction* top : main->menuBar()->actions()) {
    menus.push_back({top->text().toStdString()});
    for (const std::string& item : describe(*top->menu())) menus.back().push_back(item);
  }
  menus.push_back(describe(*main->TrayIcon().Menu()));
  const std::vector<std::vector<std::string>> expected = {
      {"&File", "&Hide Control Panel", "-", "Create Quib-&Note [F4]", "Create Quib-&Chat\tF6 (hidden)", "-",
       "Undelete Quib-Note", "Open Notes Folder in the File Manager", "-", "E&xit Application"},
      {"&Search", "&Find...", "&Replace... (hidden)"},
      {"&Arrange", "Mi&nimize All", "Ma&ximize All", "-", "&Bring All Notes to Front",
       "Minimize and Group all notes", "-", "&Show Lost Notes"},
      {"S&ettings", "&Choose Tray Icon"},
      {"&Help", "&Quick Help (HTML) (hidden)", "&Brantel Software Homepage...", "-", "&About"},
      {"Quib v2.00c (disabled)", "-", "Show &Control Panel\tF2", "Choose Tray &Icon...", "-",
       "Create Quib-&Note", "Create Quib-&Chat (hidden)", "&Save Configuration now!", "-",
       "E&xit Application"},
  };
  EXPECT_EQ(menus, expected);
  // The options in the desktop's own words.
  std::vector<std::string> boxes;
  for (const QCheckBox* box : main->findChild<QWidget*>("tabGeneral")->findChildren<QCheckBox*>())
    boxes.push_back(box->text().toStdString());
  EXPECT_EQ(boxes,
            (std::vector<std::string>{"Random Color on every New Note", "Snap to Screen Grid",
                                      "Snap To Screen Edges", "Snap To Other Notes",
                                      "Start Quib when I log in", "Notes Drop Shadow (Requires Restart)"}));
}

TEST_F(CommandsTest, TrayRightClickCreatesANoteThatKeepsTheKeyboardAndRaisesThePanelOnlyWhenShown) {
  start();
  for (bool shown : {false, true}) {
    if (shown) main->ShowControlPanel();
    const int before = main->NotesList().Count();
    AnswerTrayMenu(main->TrayIcon().Menu(), Qt::Key_N);
    main->TrayIcon().Activated(QSystemTrayIcon::Context);
    QApplication::processEvents();
    ASSERT_EQ(main->NotesList().Count(), before + 1);
    EXPECT_EQ(main->IsControlPanelHidden(), !shown);
    EXPECT_EQ(main->isVisible(), shown);
    // The panel is raised with the notes, but the note the user asked for takes the keys.
    TfrmNote* made = main->NotesList().Notes().back();
    EXPECT_TRUE(QTest::qWaitFor([made] { return QApplication::focusWidget() == made->mem; }, 2000)) << shown;
  }
}

TEST_F(CommandsTest, FindFromTheDialogRestoresEveryNoteThatHoldsTheText) {
  start();
  const std::vector<std::vector<std::string>> texts = {
      {"xx abc xx"}, {"AbC", "second"}, {"nothing"}, {"a b c"}};
  for (const auto& lines : texts) {
    TfrmNote& note = newNote();
    note.SetLines(lines);
    note.Minimize();
  }
  main->cmFindClick();
  auto* find = main->findChild<TFindDialog*>();
  ASSERT_NE(find, nullptr);
  EXPECT_FALSE(find->isModal());
  EXPECT_FALSE(find->chkWholeWord->isEnabled());
  find->edtFind->setText("ABC");
  find->btnFindNext->click();
  EXPECT_EQ(restoredIds(), (std::vector<int32_t>{1, 2}));
  EXPECT_TRUE(dialogs.shown.empty());
  find->edtFind->setText("XyZ");
  find->btnFindNext->click();
  find->chkMatchCase->setChecked(true);
  find->btnFindNext->click();
  EXPECT_EQ(dialogs.Texts("message"),
            (std::vector<std::string>{"Search all notes and did not find \"xyz\"",
                                      "Search all notes and did not find \"XyZ\""}));
}

TEST_F(CommandsTest, UndeleteBringsTheNoteBackAsItWasOrMakesANewOne) {
  // Note 7 was deleted minimized: its record stays in the notes file, its text under .~txt.
  WriteFileAtomic(
      dir.path() + "quibnotes.xml",
      "<quib>\r\n<note id=\"7\" left=\"300\" top=\"200\" width=\"222\" height=\"111\" minimized=\"-1\" "
      "systemnote=\"0\" chat=\"0\" readonly=\"0\" ontop=\"0\" color=\"255\" fontsize=\"9\" "
      "fontcolor=\"0\" fontname=\"DejaVu Sans\" />\r\n</quib>\r\n");
  struct Case {
    bool liveSeven;       // a live note 7 exists
    const char* chosen;   // the dialog's answer; "" cancels
    int32_t opened;       // the id of the note that opened, 0 for none
    const char* text;     // its text
    const char* message;  // the start of a message shown, or ""
  } cases[] = {
      {false, "quibnote0007.~txt", 7, "seven", ""},
      {true, "quibnote0007.~txt", 8, "seven", ""},
      {false, "readme.~txt", 0, "", "The name of "},
      {false, "quibnote0009.~txt", 8, "", "Cannot rename file "},  // gone meanwhile
      {false, "", 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.chosen) + (c.liveSeven ? " with a live 7" : ""));
    std::filesystem::remove_all(store->NotesFolder());
    CreateDir(store->NotesFolder());
    WriteFileAtomic(notePath("quibnote0007.~txt"), "seven\r\n");
    WriteFileAtomic(notePath("readme.~txt"), "readme\r\n");
    if (c.liveSeven) WriteFileAtomic(notePath("quibnote0007.txt"), "alive\r\n");
    start();
    const int before = main->NotesList().Count();
    dialogs.pathAnswers = {*c.chosen ? notePath(c.chosen) : ""};
    main->cmUndeleteQuibNoteClick();

    EXPECT_EQ(dialogs.lastSpec.Title, "Import Text File");
    EXPECT_EQ(dialogs.lastSpec.Filter, "Deleted Text Files (*.~txt)|*.~txt");
    EXPECT_EQ(dialogs.lastSpec.InitialDir, store->NotesFolder());
    const std::vector<std::string> messages = dialogs.Texts("message");
    ASSERT_EQ(messages.size(), *c.message ? 1u : 0u);
    if (*c.message) {
      EXPECT_EQ(messages[0].rfind(c.message, 0), 0u) << messages[0];
    }
    EXPECT_EQ(main->NotesList().Count(), before + (c.opened ? 1 : 0));
    // Only a note that comes back under its own id takes the deleted file; a live 7 is untouched.
    EXPECT_EQ(FileExists(notePath("quibnote0007.~txt")), c.opened != 7);
    EXPECT_EQ(FileExists(notePath("quibnote0007.txt")) &&
                  ReadFileBytes(notePath("quibnote0007.txt")) == "alive\r\n",
              c.liveSeven);
    if (!c.opened) continue;
    const TfrmNote& back = main->NotesList().At(main->NotesList().Count() - 1);
    EXPECT_EQ(back.Id(), c.opened);
    EXPECT_EQ(back.Lines(), *c.text ? std::vector<std::string>{c.text} : std::vector<std::string>{});
    if (c.opened == 7) {
      EXPECT_EQ(back.geometry(), QRect(300, 200, 222, 111));
      EXPECT_FALSE(back.Minimized());
      EXPECT_EQ(back.NoteColor(), 255);
    }
  }
}

TEST_F(CommandsTest, ChoosingTheTrayIcon) {
  start();
  const std::string icons = dir.path() + "icons/";
  CreateDir(icons);
  QImage red(16, 16, QImage::Format_ARGB32);
  red.fill(Qt::red);
  ASSERT_TRUE(red.save(QString::fromStdString(icons + "red.ico"), "ICO"));
  WriteFileAtomic(icons + "bad.ico", "not a picture");
  const std::string before = ini();

  dialogs.pathAnswers = {icons + "bad.ico", icons + "red.ico", ""};
  main->cmChooseTrayIconClick();
  EXPECT_EQ(dialogs.lastSpec.Title, "Choose Quib Tray Icon");
  EXPECT_EQ(dialogs.lastSpec.Filter, "Icon Files (*.ico)|*.ico|All Files (*)|*");
  EXPECT_EQ(dialogs.lastSpec.DefaultExt, "ico");
  EXPECT_EQ(dialogs.lastSpec.InitialDir, store->TrayIconFolder());
  EXPECT_TRUE(dialogs.lastSpec.PicturePreview);
  EXPECT_EQ(dialogs.Texts("error"), std::vector<std::string>{"Icon image is not valid."});
  EXPECT_EQ(ini(), before);

  main->cmChooseTrayIconClick();
  EXPECT_NE(ini().find("sTrayIcon=" + icons + "red.ico\r\n"), std::string::npos);
  EXPECT_NE(ini().find("sICODir=" + icons + "\r\n"), std::string::npos);
  EXPECT_EQ(main->TrayIcon().Icon().icon().pixmap(16, 16).toImage().pixelColor(8, 8), QColor(Qt::red));
  main->cmChooseTrayIconClick();
  EXPECT_EQ(dialogs.lastSpec.InitialDir, icons);  // the next choice starts where this one ended
}

TEST_F(CommandsTest, DefaultFontPresetWithTheLabelsFontAndStored) {
  start();
  const TFontSpec chosen{"DejaVu Sans", 12, 255, true, false, true, false};
  dialogs.fontAnswers = {TFontSpec{}, chosen, TFontSpec{""}};
  const std::string before = ini();
  main->btnChangeFontClick();
  EXPECT_EQ(dialogs.lastFont, TFontSpec{});  // MS Sans Serif 8, black
  EXPECT_EQ(ini(), before);                  // OK without a change writes nothing
  main->btnChangeFontClick();
  for (const char* line :
       {"sDefaultFontName=DejaVu Sans\r\n", "iDefaultFontSize=12\r\n", "iDefaultFontColor=255\r\n"})
    EXPECT_NE(ini().find(line), std::string::npos) << line;
  EXPECT_EQ(main->findChild<QLabel*>("lblFont")->text().toStdString(), "DejaVu Sans 12pt");
  main->btnChangeFontClick();  // the style shown on the label presets the dialog too
  EXPECT_EQ(dialogs.lastFont, chosen);
}

TEST_F(CommandsTest, StartWithLoginFollowsTheStoredValueAndTheBox) {
  const std::string write = "write " + dir.path() + "quib|Quib - Brantel Software";
  start("bStartup=0\n");
  EXPECT_TRUE(shell.calls.empty());
  auto* box = main->findChild<QCheckBox*>("chkStartup");
  box->click();
  box->click();
  EXPECT_EQ(shell.calls, (std::vector<std::string>{write, "remove"}));
  start("bStartup=1\n");
  EXPECT_EQ(shell.calls, std::vector<std::string>{write});
  EXPECT_TRUE(dialogs.shown.empty());

  // An entry that cannot be written or removed is told, and the box shows what the next login
  // will do.
  struct Case {
    bool entryBefore;
    std::string message;
  } cases[] = {
      {false,
       "Quib could not write its start-with-login entry. Disk full. Quib will not start when you log in."},
      {true, "Quib could not remove its start-with-login entry. Disk full. Quib will start when you log in."},
  };
  for (const auto& c : cases) {
    shell.entry = c.entryBefore;
    start(c.entryBefore ? "bStartup=1\n" : "bStartup=0\n");
    shell.writeError = "Disk full";
    main->findChild<QCheckBox*>("chkStartup")->click();
    shell.writeError.clear();
    EXPECT_EQ(dialogs.Texts("message"), std::vector<std::string>{c.message});
    EXPECT_EQ(main->findChild<QCheckBox*>("chkStartup")->isChecked(), c.entryBefore);
    main->SaveSettings();
    EXPECT_EQ(main->Settings().GetBoolean("bStartup"), c.entryBefore);
  }
}

TEST_F(CommandsTest, ShellCommandsAndPlaceholders) {
  start();
  const std::string folderFailed = "Cannot open Folder \"" + dir.path() + "quibnotes\"";
  const std::string homepageFailed = "Cannot open \"https://www.brantel.example.com/\" in a web browser";
  struct Case {
    void (TfrmMain::*command)();
    bool shellAnswers;
    bool failsLater;  // the opener started, then could not open it
    std::string call;
    std::string message;
  } cases[] = {
      {&TfrmMain::cmOpenNotesFolderClick, true, false, "folder " + dir.path() + "quibnotes", ""},
      {&TfrmMain::cmOpenNotesFolderClick, false, false, "folder " + dir.path() + "quibnotes", folderFailed},
      {&TfrmMain::cmOpenNotesFolderClick, true, true, "folder " + dir.path() + "quibnotes", folderFailed},
      {&TfrmMain::cmHomepageClick, true, false, "url https://www.brantel.example.com/", ""},
      {&TfrmMain::cmHomepageClick, false, false, "url https://www.brantel.example.com/", homepageFailed},
      {&TfrmMain::cmHomepageClick, true, true, "url https://www.brantel.example.com/", homepageFailed},
      {&TfrmMain::cmQuickHelpClick, false, false, "file " + dir.path() + "help/index.html", ""},
      {&TfrmMain::cmReplaceClick, true, false, "", "Feature not implemented yet!"},
  };
  for (const auto& c : cases) {
    shell.calls.clear();
    shell.openResult = c.shellAnswers;
    shell.openFailsLater = c.failsLater;
    dialogs.shown.clear();
    (main.get()->*c.command)();
    EXPECT_EQ(shell.calls, c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call});
    EXPECT_EQ(dialogs.Texts("message"),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
  }
  dialogs.shown.clear();
  main->findChild<QPushButton*>("btnListen")->click();
  EXPECT_EQ(dialogs.Texts("message"), std::vector<std::string>{"Not implemented yet!"});

  TAboutBox about(&shell);
  EXPECT_EQ(about.windowTitle().toStdString(), "About ...");
  shell.calls.clear();
  emit about.lblWeb->linkActivated("https://www.brantel.example.com/");
  EXPECT_EQ(shell.calls, std::vector<std::string>{"url https://www.brantel.example.com/"});
}
