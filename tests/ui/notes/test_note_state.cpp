// A note window's state: minimizing, the record it fills and takes, its text file, colours,
// stay-on-top, the key preview and the closing of a window by the user.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>
#include <QWindow>
#include <filesystem>
#include <fstream>
#include <memory>

#include "NoteTestUtil.h"
#include "graphics/brColorUtil.h"
#include "notes/ui/UNoteFactory.h"
#include "store/UQuibError.h"

namespace {

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

TNoteConfig Record(const FakeNoteHost& host) {
  TRandom random;
  TNoteConfig r(*host.settings, host.screens, random);
  r.Id = 7;
  r.Left = 40;
  r.Top = 50;
  r.Width = 200;
  r.Height = 150;
  r.Color = RGB(10, 200, 90);
  r.FontName = "DejaVu Sans";
  r.FontSize = 11;
  r.FontColor = RGB(1, 2, 3);
  return r;
}

TEST(NoteState, LayoutOfTheParts) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 10, 10, 150, 100);
  EXPECT_EQ(note->pb->geometry(), QRect(0, 0, 150, 16));
  EXPECT_EQ(note->mem->geometry(), QRect(0, 16, 150, 84));
  EXPECT_EQ(note->pnlSize->geometry(), QRect(138, 88, 12, 12));
  EXPECT_EQ(note->pbSize->geometry(), QRect(0, 0, 12, 12));
  EXPECT_EQ(note->mem->focusPolicy(), Qt::ClickFocus);
  EXPECT_FALSE(note->mem->tabChangesFocus());
  EXPECT_EQ(note->mem->frameShape(), QFrame::NoFrame);
  EXPECT_TRUE(note->windowFlags().testFlag(Qt::Tool));
  EXPECT_TRUE(note->windowFlags().testFlag(Qt::FramelessWindowHint));
  EXPECT_TRUE(note->testAttribute(Qt::WA_DeleteOnClose));
  note->resize(90, 70);
  EXPECT_EQ(note->pnlSize->geometry(), QRect(78, 58, 12, 12));
}

TEST(NoteState, MinimizeAndMaximizeRestoreTheExactSize) {
  struct Case {
    QSize size;
  };
  const Case cases[] = {{{128, 128}}, {{64, 36}}, {{333, 91}}, {{17, 17}}};
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 1, 30, 40, c.size.width(), c.size.height());
    note->SetLines({"first line", "second"});
    note->Minimize();
    EXPECT_TRUE(note->Minimized());
    EXPECT_EQ(note->size(), QSize(17, 17));
    EXPECT_EQ(note->pb->height(), 17);
    EXPECT_FALSE(note->mem->isVisible());
    EXPECT_FALSE(note->pnlSize->isVisible());
    EXPECT_EQ(note->FullSize(), c.size);
    EXPECT_EQ(note->StripHint(), "first line");
    EXPECT_FALSE(note->pb->toolTip().isEmpty());
    note->Minimize();  // a second time changes nothing
    EXPECT_EQ(note->FullSize(), c.size);
    note->Maximize();
    EXPECT_FALSE(note->Minimized());
    EXPECT_EQ(note->size(), c.size);
    EXPECT_EQ(note->pb->height(), 16);
    EXPECT_TRUE(note->mem->isVisible());
    EXPECT_TRUE(note->pnlSize->isVisible());
    EXPECT_EQ(note->pnlSize->pos(), QPoint(c.size.width() - 12, c.size.height() - 12));
    EXPECT_TRUE(note->pb->toolTip().isEmpty());
    EXPECT_EQ(note->pos(), QPoint(30, 40));
    note->Maximize();
    EXPECT_EQ(note->size(), c.size);
  }
}

TEST(NoteState, TooltipKeepsTheFirstLineOfTheMomentOfMinimizing) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 0, 0);
  note->Minimize();
  EXPECT_EQ(note->StripHint(), "");
  EXPECT_TRUE(note->pb->toolTip().isEmpty());
  note->SetLines({"<b>later</b>"});
  EXPECT_EQ(note->StripHint(), "");
  note->ToggleMinimized();
  note->ToggleMinimized();
  EXPECT_EQ(note->StripHint(), "<b>later</b>");
  // Shown as the text it is, not as markup.
  EXPECT_TRUE(note->pb->toolTip().contains("&lt;b&gt;"));
}

TEST(NoteState, FillConfigWhileMinimizedStoresTheFullSizeAndTheBoxPosition) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 9, 300, 200, 210, 160);
  note->Minimize();
  note->move(5, 6);
  TNoteConfig r(*t.host.settings, t.host.screens, t.host.random);
  note->FillConfig(r);
  EXPECT_EQ(r.Id, 9);
  EXPECT_EQ(r.Left, 5);
  EXPECT_EQ(r.Top, 6);
  EXPECT_EQ(r.Width, 210);
  EXPECT_EQ(r.Height, 160);
  EXPECT_TRUE(r.Minimized);
}

TEST(NoteState, ApplyConfigThenFillConfigGivesTheRecordBack) {
  struct Case {
    bool minimized, systemNote, chat, readOnly, onTop;
  };
  const Case cases[] = {
      {false, false, false, false, false}, {true, false, false, false, false},
      {false, true, true, true, true},     {true, true, false, true, true},
      {false, false, true, false, true},
  };
  for (const auto& c : cases) {
    Notes t;
    auto* note = new TfrmNote(t.host);
    t.host.open.push_back(note);
    TNoteConfig in = Record(t.host);
    in.Minimized = c.minimized;
    in.SystemNote = c.systemNote;
    in.Chat = c.chat;
    in.ReadOnly = c.readOnly;
    in.OnTop = c.onTop;
    note->ApplyConfig(in);
    note->show();
    EXPECT_EQ(note->size(), c.minimized ? QSize(17, 17) : QSize(200, 150));
    EXPECT_EQ(note->pos(), QPoint(40, 50));
    EXPECT_EQ(note->ReadOnly(), c.readOnly);
    EXPECT_EQ(note->Menu().pmReadOnly->isChecked(), c.readOnly);
    EXPECT_EQ(note->Menu().pmOnTop->isChecked(), c.onTop);
    EXPECT_EQ(note->windowFlags().testFlag(Qt::WindowStaysOnTopHint), c.onTop);
    EXPECT_EQ(note->SavedWidth(), 200);
    EXPECT_EQ(note->SavedHeight(), 150);
    EXPECT_EQ(note->mem->palette().color(QPalette::Base), QColor(10, 200, 90));
    EXPECT_EQ(note->mem->palette().color(QPalette::Text), QColor(1, 2, 3));
    EXPECT_EQ(note->mem->font().pointSize(), 11);
    EXPECT_FALSE(note->Modified());

    TNoteConfig out(*t.host.settings, t.host.screens, t.host.random);
    note->FillConfig(out);
    std::vector<std::string> a, b;
    WriteNoteElement(in, a, "");
    WriteNoteElement(out, b, "");
    EXPECT_EQ(a, b);
    // CreateConfig makes a new record with the same content.
    std::vector<std::string> cc;
    WriteNoteElement(*note->CreateConfig(), cc, "");
    EXPECT_EQ(a, cc);
  }
}

TEST(NoteState, MinimizedRecordOpensAsABoxWithTheFirstLineAsTooltip) {
  Notes t;
  WriteBytes(t.host.store.NoteTextPath(7), "Shopping\r\nmilk\r\n");
  auto* note = new TfrmNote(t.host);
  t.host.open.push_back(note);
  TNoteConfig r = Record(t.host);
  r.Minimized = true;
  note->SetId(r.Id);
  note->LoadText();
  note->ApplyConfig(r);
  note->show();
  EXPECT_EQ(note->size(), QSize(17, 17));
  EXPECT_EQ(note->pb->height(), 17);
  EXPECT_EQ(note->StripHint(), "Shopping");
  EXPECT_FALSE(note->mem->isVisible());
  EXPECT_EQ(note->FullSize(), QSize(200, 150));
  note->Maximize();
  EXPECT_EQ(note->size(), QSize(200, 150));
}

TEST(NoteState, LoadAndSaveLeaveTheFileAsItWas) {
  struct Case {
    const char* name;
    std::string file;
    std::string saved;  // after one load and save
    QString shown;      // in the text area: no empty line below the last one unless it is empty
  };
  const Case cases[] = {
      {"CR LF", "one\r\ntwo\r\n", "one\r\ntwo\r\n", "one\ntwo"},
      {"empty last line kept", "one\r\n\r\n", "one\r\n\r\n", "one\n\n"},
      {"only an empty line", "\r\n", "\r\n", "\n"},
      {"empty file", "", "", ""},
      {"blank lines inside", "a\r\n\r\n\r\nb\r\n", "a\r\n\r\n\r\nb\r\n", "a\n\n\nb"},
      {"tabs, spaces and non-breaking spaces", "\tx  y\xc2\xa0z \r\n", "\tx  y\xc2\xa0z \r\n",
       QString::fromUtf8("\tx  y\xc2\xa0z ")},
      {"CR only", "one\rtwo\r", "one\r\ntwo\r\n", "one\ntwo"},
      {"LF only", "one\ntwo\n\n", "one\r\ntwo\r\n\r\n", "one\ntwo\n\n"},
      {"no break at the end", "one\r\ntwo", "one\r\ntwo\r\n", "one\ntwo"},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 3, 0, 0);
    WriteBytes(t.host.store.NoteTextPath(3), c.file);
    note->LoadText();
    EXPECT_FALSE(note->Modified()) << c.name;
    QStringList blocks;  // not toPlainText, which turns non-breaking spaces into plain ones
    for (QTextBlock b = note->mem->document()->begin(); b.isValid(); b = b.next()) blocks << b.text();
    EXPECT_EQ(blocks.join('\n'), c.shown) << c.name;
    note->SaveText();
    EXPECT_EQ(ReadFileBytes(t.host.store.NoteTextPath(3)), c.saved) << c.name;
    // What the program wrote comes back byte for byte.
    note->LoadText();
    note->SaveText();
    EXPECT_EQ(ReadFileBytes(t.host.store.NoteTextPath(3)), c.saved) << c.name;
  }
}

TEST(NoteState, ModifiedFlag) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 4, 0, 0);
  EXPECT_FALSE(note->Modified());
  // Changes that are not the text leave the flag alone.
  note->SetNoteColor(RGB(1, 2, 3));
  note->SetReadOnly(true);
  note->SetReadOnly(false);
  note->SetTextFont({"DejaVu Serif", 14, RGB(9, 9, 9)});
  note->Minimize();
  note->Maximize();
  EXPECT_FALSE(note->Modified());
  note->mem->textCursor().insertText("typed");
  EXPECT_TRUE(note->Modified());
  note->SaveText();
  EXPECT_FALSE(note->Modified());
  EXPECT_EQ(ReadFileBytes(t.host.store.NoteTextPath(4)), "typed\r\n");
  note->SetLines({"x"});
  EXPECT_TRUE(note->Modified());
  note->LoadText();
  EXPECT_FALSE(note->Modified());
  EXPECT_EQ(note->Lines(), std::vector<std::string>{"typed"});
}

TEST(NoteState, MissingTextFileLeavesTheText) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 5, 0, 0);
  note->SetLines({"kept"});
  note->LoadText();
  EXPECT_EQ(note->Lines(), std::vector<std::string>{"kept"});
  EXPECT_TRUE(note->Modified());
}

TEST(NoteState, SaveTextFailureKeepsTheFlag) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 6, 0, 0);
  // Something that is no file stands where the text file goes.
  CreateDir(t.host.store.NoteTextPath(6));
  note->SetLines({"new"});
  EXPECT_THROW(note->SaveText(), EQuibError);
  EXPECT_TRUE(DirectoryExists(t.host.store.NoteTextPath(6)));
  EXPECT_TRUE(note->Modified());
  // Nothing half-written is left beside it.
  int entries = 0;
  for (const auto& e : std::filesystem::directory_iterator(t.host.store.NotesFolder()))
    entries += e.exists() ? 1 : 0;
  EXPECT_EQ(entries, 1);
}

TEST(NoteState, FrameColoursAndWallpaper) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 33, 44);
  note->SetNoteColor(RGB(197, 233, 141));
  EXPECT_EQ(note->FrameColor(), RGB(147, 183, 91));
  EXPECT_EQ(note->ShadowColor(), RGB(107, 143, 51));
  EXPECT_EQ(note->HighlightColor(), RGB(187, 223, 131));
  EXPECT_EQ(note->palette().color(QPalette::Window), QColor(197, 233, 141));
  EXPECT_EQ(note->mem->palette().color(QPalette::Base), QColor(197, 233, 141));
  note->SetNoteColor(RGB(20, 250, 60));
  EXPECT_EQ(note->FrameColor(), RGB(0, 200, 10));
  EXPECT_EQ(note->ShadowColor(), RGB(0, 160, 0));
  EXPECT_EQ(note->HighlightColor(), RGB(40, 240, 50));

  // Left half of the block dark, right half light: the mean of 17 x 16 pixels, brightened.
  t.host.desktop.wallpaper = [](int x, int) { return x < 33 + 8 ? RGB(10, 20, 30) : RGB(100, 120, 240); };
  note->ColorFromWallpaper();
  ASSERT_EQ(t.host.desktop.requests.size(), 1u);
  const auto& r = t.host.desktop.requests[0];
  EXPECT_EQ(std::vector<int>({r.X, r.Y, r.Width, r.Height}), std::vector<int>({33, 44, 17, 16}));
  // 8 columns of (10,20,30) and 9 of (100,120,240): (57.6, 72.9, 141.2) -> (58, 73, 141), + 40.
  EXPECT_EQ(note->NoteColor(), RGB(98, 113, 181));
  EXPECT_EQ(note->FrameColor(), AdjustBrightness(RGB(98, 113, 181), -50));
}

TEST(NoteState, StayOnTopKeepsThePlaceTheFocusAndTheActivation) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 123, 77);
  note->activateWindow();
  note->mem->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(note));
  for (const bool flag : {true, true, false, true, false}) {
    note->SetOnTop(flag);
    QApplication::processEvents();
    EXPECT_EQ(note->OnTop(), flag);
    EXPECT_EQ(note->windowFlags().testFlag(Qt::WindowStaysOnTopHint), flag);
    // Told to the window the desktop knows, not to a new one.
    EXPECT_EQ(note->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint), flag);
    EXPECT_TRUE(note->windowFlags().testFlag(Qt::Tool));
    EXPECT_TRUE(note->isVisible());
    EXPECT_TRUE(note->isActiveWindow());
    EXPECT_TRUE(note->mem->hasFocus());
    EXPECT_EQ(note->pos(), QPoint(123, 77));
    EXPECT_EQ(note->size(), QSize(128, 128));
  }
}

TEST(NoteState, DropShadowFollowsTheSettingAndTheDesktop) {
  struct Case {
    bool setting, desktopShadows, hasShadow, hint;
  };
  const Case cases[] = {{true, true, true, false},
                        {true, false, false, false},
                        {false, true, false, true},
                        {false, false, false, true}};
  for (const auto& c : cases) {
    Notes t;
    t.host.settings->SetBoolean("bWinXPShadow", c.setting);
    t.host.desktop.shadows = c.desktopShadows;
    TfrmNote* note = MakeNote(t.host, 1, 0, 0);
    EXPECT_EQ(note->DropShadow(), c.hasShadow) << c.setting << c.desktopShadows;
    EXPECT_EQ(note->windowFlags().testFlag(Qt::NoDropShadowWindowHint), c.hint)
        << c.setting << c.desktopShadows;
    // Read once, at creation.
    t.host.settings->SetBoolean("bWinXPShadow", !c.setting);
    note->hide();
    note->show();
    EXPECT_EQ(note->DropShadow(), c.hasShadow);
  }
}

TEST(NoteState, KeysStillReachTheTextArea) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 1, 0, 0);
  SendKey(*note->mem, Qt::Key_A, Qt::NoModifier, "a");
  SendKey(*note->mem, Qt::Key_Tab, Qt::NoModifier, "\t");
  SendKey(*note->mem, Qt::Key_F2);
  SendKey(*note->mem, Qt::Key_B, Qt::NoModifier, "b");
  EXPECT_EQ(note->mem->toPlainText(), "a\tb");
  EXPECT_EQ(t.host.controlPanelShown, 1);
}

TEST(NoteState, TitleIsReadAtEveryPaint) {
  Notes t;
  TfrmNote* note = MakeNote(t.host, 7, 0, 0, 200, 100);
  const QImage plain = note->pb->grab().toImage();
  t.host.title = "Another title for $id$";
  const QImage retitled = note->pb->grab().toImage();
  EXPECT_NE(plain, retitled);
  t.host.title = "Quib [$id$]";
  EXPECT_EQ(note->pb->grab().toImage(), plain);
  note->SetReadOnly(true);
  EXPECT_NE(note->pb->grab().toImage(), plain);
  // The frame routine's menu box is there: its sunken top-left edge in the shadow colour.
  EXPECT_EQ(plain.pixelColor(4, 4), QColor(note->ShadowColor() & 0xFF, (note->ShadowColor() >> 8) & 0xFF,
                                           (note->ShadowColor() >> 16) & 0xFF));
}

// The close a user asks for.
class ClosingNote : public TfrmNote {
 public:
  using TfrmNote::closeEvent;
  using TfrmNote::TfrmNote;
};

TEST(NoteClose, UserCloseCollapsesTheNote) {
  struct Case {
    const char* name;
    bool modified, closingAll, byDelete;
    bool wantSaved, wantGone;
  };
  const Case cases[] = {
      {"modified", true, false, false, true, false},
      {"unchanged", false, false, false, false, false},
      {"program's end", true, true, false, false, true},
      {"delete command", true, false, true, false, true},
  };
  for (const auto& c : cases) {
    Notes t;
    TfrmNote* note = MakeNote(t.host, 2, 70, 80, 150, 110);
    WriteBytes(t.host.store.NoteTextPath(2), "before\r\n");
    note->LoadText();
    if (c.modified) note->SetLines({"after"});
    t.host.closingAll = c.closingAll;
    QPointer<TfrmNote> watch(note);
    if (c.byDelete)
      note->CloseForDelete();
    else
      note->close();
    FlushDeletes();
    EXPECT_EQ(watch.isNull(), c.wantGone) << c.name;
    EXPECT_EQ(ReadFileBytes(t.host.store.NoteTextPath(2)), c.wantSaved ? "after\r\n" : "before\r\n")
        << c.name;
    if (c.wantGone) {
      std::erase(t.host.open, note);
      continue;
    }
    // Still on the desktop as its box, where it was, with its full size kept for a restore.
    EXPECT_TRUE(note->isVisible()) << c.name;
    EXPECT_TRUE(note->Minimized()) << c.name;
    EXPECT_EQ(note->pos(), QPoint(70, 80)) << c.name;
    EXPECT_EQ(note->FullSize(), QSize(150, 110)) << c.name;
    EXPECT_FALSE(note->Modified()) << c.name;
    // A second close leaves the box as it is.
    note->close();
    FlushDeletes();
    EXPECT_FALSE(watch.isNull()) << c.name;
    EXPECT_TRUE(note->Minimized()) << c.name;
  }
}

TEST(NoteClose, FailedSaveKeepsTheWindow) {
  Notes t;
  auto* note = new ClosingNote(t.host);
  note->SetId(3);
  note->show();
  t.host.open.push_back(note);
  note->SetLines({"unsaved"});
  std::filesystem::remove_all(t.host.store.NotesFolder());
  QCloseEvent e;
  EXPECT_THROW(note->closeEvent(&e), EQuibError);
  EXPECT_FALSE(e.isAccepted());
  EXPECT_FALSE(note->Minimized());
  EXPECT_TRUE(note->Modified());
  EXPECT_EQ(note->Lines(), std::vector<std::string>{"unsaved"});
}

}  // namespace

TEST(NoteFactory, RefusesTheNoteAfterTheLimit) {
  struct FakeRegistry : TNoteRegistry {
    int count = 0;
    std::vector<TfrmNote*> added;
    int OpenNoteCount() const override { return count; }
    void AddNoteToList(TfrmNote& note) override { added.push_back(&note); }
  };
  for (int open : {1023, 1024, 2000}) {
    Notes t;
    FakeRegistry registry;
    registry.count = open;
    TNoteFactory factory(t.host, registry, t.host.store, *t.host.settings, t.host.screens, t.host.dialogs,
                         t.host.random);
    TfrmNote* note = factory.CreateRandomNote("");
    if (open < 1024) {
      ASSERT_NE(note, nullptr);
      EXPECT_EQ(registry.added.size(), 1u);
      EXPECT_TRUE(t.host.dialogs.shown.empty());
      delete note;  // in no list of open notes
    } else {
      EXPECT_EQ(note, nullptr);
      EXPECT_TRUE(registry.added.empty());
      EXPECT_EQ(t.host.dialogs.Texts("message"),
                std::vector<std::string>{"Cannot create more than 1024 windows."});
    }
  }
}

TEST(NoteFactory, ASpareWindowBecomesTheNextNoteWhileItSuitsTheShadowSetting) {
  struct Registry : TNoteRegistry {
    std::vector<std::unique_ptr<TfrmNote>> notes;
    int OpenNoteCount() const override { return static_cast<int>(notes.size()); }
    void AddNoteToList(TfrmNote& note) override { notes.emplace_back(&note); }
  };
  for (const bool shadowChanged : {false, true}) {
    Notes t;
    Registry registry;
    TNoteFactory factory(t.host, registry, t.host.store, *t.host.settings, t.host.screens, t.host.dialogs,
                         t.host.random);
    factory.KeepSpareWindow(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return factory.HasSpareWindow(); }));
    const QWidget* spare = QApplication::topLevelWidgets().back();
    if (shadowChanged)
      t.host.settings->SetBoolean("bWinXPShadow", !t.host.settings->GetBoolean("bWinXPShadow"));
    TfrmNote* note = factory.CreateNote("spare", 30, 40, 128, 128);
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note == spare, !shadowChanged);
    EXPECT_EQ(note->ShadowSuppressed(), !t.host.settings->GetBoolean("bWinXPShadow"));
    EXPECT_EQ(note->Lines(), std::vector<std::string>{"spare"});
    EXPECT_EQ(note->geometry(), QRect(30, 40, 128, 128));
    EXPECT_FALSE(note->Modified());
    EXPECT_TRUE(QTest::qWaitFor([&] { return factory.HasSpareWindow(); }));
  }
}
