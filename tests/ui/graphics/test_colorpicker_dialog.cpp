#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "graphics/brColorUtil.h"
#include "graphics/ui/UColorPickerControls.h"
#include "graphics/ui/UfrmColorPicker.h"
#include "graphics/ui/brColorPickerDialog.h"
#include "graphics/ui/brSysColor.h"
#include "support/Fakes.h"

namespace {

// Runs the dialog once; drive() acts on the shown form and must close it (OK, Cancel, ...).
bool RunDialog(TbrColorPickerDialog& dialog, const std::function<void(TfrmColorPicker&)>& drive) {
  bool shown = false;
  dialog.OnShown = [&](TfrmColorPicker& form) {
    shown = true;
    drive(form);
    if (form.isVisible()) form.reject();  // never leave a test hanging in the modal loop
  };
  const bool ok = dialog.Execute();
  EXPECT_TRUE(shown);
  return ok;
}

void Click(QWidget* w, Qt::MouseButton button = Qt::LeftButton, QPoint at = QPoint(8, 8)) {
  QTest::mouseClick(w, button, Qt::NoModifier, at);
}

void TypeInto(QWidget* edit, const QString& text) {
  edit->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(edit)) line->selectAll();
  if (auto* spin = qobject_cast<QAbstractSpinBox*>(edit)) spin->selectAll();
  QTest::keyClicks(edit, text);
}

// A dotted frame starts with a dark pixel at its top-left corner.
bool FrameDrawnAt(TfrmColorPicker& form, bool custom, int index) {
  const QImage shot = form.grab().toImage();
  const QPoint corner = TfrmColorPicker::FrameRect(custom, index).topLeft();
  return shot.pixelColor(corner).lightness() < 60;
}

// Keyboard focus needs the form to be the active window.
void FocusOn(QWidget* w) {
  w->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(w->window()));
  w->setFocus();
}

// Keys go where the user's would: to the widget with the keyboard focus.
void Press(Qt::Key key) {
  QWidget* focus = QApplication::focusWidget();
  ASSERT_NE(focus, nullptr);
  QTest::keyClick(focus, key);
}

}  // namespace

TEST(ColorPickerDialog, LayoutFollowsTheDesign) {
  TfrmColorPicker form(nullptr);
  struct Case {
    const char* name;
    QRect geometry;  // an empty size means: only the position is fixed
  } cases[] = {
      {"pnlXY", {4, 4, 258, 258}},
      {"pnlZ", {268, 4, 34, 258}},
      {"pnlSelectedColor", {308, 20, 64, 32}},
      {"pnlWebColor", {372, 20, 64, 32}},
      {"Label4", {312, 4, 0, 0}},
      {"Label5", {376, 4, 0, 0}},
      {"spnHue", {344, 58, 57, 0}},
      {"spnSat", {344, 82, 57, 0}},
      {"spnValue", {344, 106, 57, 0}},
      {"spnRed", {344, 134, 57, 0}},
      {"spnGreen", {344, 158, 57, 0}},
      {"spnBlue", {344, 182, 57, 0}},
      {"Label3", {404, 61, 0, 0}},
      {"Label1", {404, 85, 0, 0}},
      {"Label2", {404, 109, 0, 0}},
      {"Label6", {312, 213, 0, 0}},
      {"edtHex", {344, 210, 57, 0}},
      {"Label7", {448, 4, 0, 0}},
      {"Label8", {448, 144, 0, 0}},
      {"Label9", {448, 200, 153, 33}},
      {"btnDefineCustomColor", {312, 237, 121, 25}},
      {"btnCancel", {448, 237, 75, 25}},
      {"btnOk", {528, 237, 75, 25}},
      {"BasicPanel0", {448, 20, 16, 16}},
      {"BasicPanel47", {588, 120, 16, 16}},
      {"CustomPanel0", {448, 160, 16, 16}},
      {"CustomPanel15", {588, 180, 16, 16}},
  };
  for (const auto& c : cases) {
    auto* w = form.findChild<QWidget*>(c.name);
    ASSERT_NE(w, nullptr) << c.name;
    EXPECT_EQ(w->pos(), c.geometry.topLeft()) << c.name;
    if (c.geometry.width() > 0) {
      EXPECT_EQ(w->width(), c.geometry.width()) << c.name;
    }
    if (c.geometry.height() > 0) {
      EXPECT_EQ(w->height(), c.geometry.height()) << c.name;
    }
  }
  EXPECT_EQ(form.size(), QSize(609, 266));
  EXPECT_EQ(form.pbXY->geometry(), QRect(1, 1, 256, 256));
  EXPECT_EQ(form.pbZ->geometry(), QRect(1, 1, 32, 256));

  struct Spin {
    TPickerSpinEdit* spin;
    QRadioButton* radio;
    int tag, maximum;
    const char* caption;
  } spins[] = {{form.spnHue, form.rbHue, 0, 359, "H"},     {form.spnSat, form.rbSat, 1, 100, "S"},
               {form.spnValue, form.rbValue, 2, 100, "V"}, {form.spnRed, form.rbRed, 3, 255, "R"},
               {form.spnGreen, form.rbGreen, 4, 255, "G"}, {form.spnBlue, form.rbBlue, 5, 255, "B"}};
  for (const auto& s : spins) {
    EXPECT_EQ(s.spin->Tag(), s.tag);
    EXPECT_EQ(s.radio->property("tag").toInt(), s.tag);
    EXPECT_EQ(s.spin->minimum(), 0);
    EXPECT_EQ(s.spin->maximum(), s.maximum);
    EXPECT_EQ(s.radio->text(), s.caption);
    EXPECT_EQ(s.radio->pos().x(), 308);
  }
  EXPECT_TRUE(form.rbHue->isChecked());
  EXPECT_EQ(form.edtHex->text(), "000000");
  EXPECT_EQ(form.edtHex->maxLength(), 6);
  for (int i = 0; i < 48; ++i) {
    EXPECT_EQ(form.BasicPanels[i]->Tag(), i);
    EXPECT_EQ(form.BasicPanels[i]->Color(), BasicColors[i]);
  }
  for (int i = 0; i < 16; ++i) EXPECT_EQ(form.CustomPanels[i]->Tag(), 1000 + i);
  EXPECT_TRUE(form.btnOk->isDefault());
}

TEST(ColorPickerDialog, CustomColorsAreWrittenOnOkAndKeptThroughCancel) {
  TbrColorPickerDialog dialog;
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    Click(form.BasicPanels[8]);  // pure red
    Click(form.btnDefineCustomColor);
    EXPECT_EQ(form.edtHex->text(), "FF0000");
    Click(form.btnOk);
  }));
  ASSERT_EQ(dialog.CustomColors.size(), 16u);
  EXPECT_EQ(dialog.CustomColors[0], "ColorA=0000FF");
  for (int slot = 1; slot < 16; ++slot)
    EXPECT_EQ(dialog.CustomColors[slot], std::string("Color") + char('A' + slot) + "=000000");
  EXPECT_EQ(dialog.Color, 0x0000FF);

  const auto kept = dialog.CustomColors;
  EXPECT_FALSE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.CustomPanels[0]->Color(), 0x0000FF);
    EXPECT_EQ(form.CurrentColor(), 0x0000FF);
    Click(form.BasicPanels[28]);  // pure blue
    Click(form.btnDefineCustomColor);
    Click(form.btnDefineCustomColor);
    EXPECT_EQ(form.CustomColorValues[1], 0xFF0000);
    Click(form.btnCancel);
  }));
  EXPECT_EQ(dialog.CustomColors, kept);
  EXPECT_EQ(dialog.Color, 0x0000FF);
  EXPECT_FALSE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.CustomPanels[0]->Color(), 0x0000FF);
    EXPECT_EQ(form.CustomPanels[1]->Color(), clBlack);
    form.close();  // the close box cancels too
  }));
  EXPECT_EQ(dialog.CustomColors, kept);
}

TEST(ColorPickerDialog, CustomColorLinesAreReadBack) {
  TbrColorPickerDialog dialog;
  dialog.CustomColors = {"ColorC=00FF00", "ColorB=zz", "Other=1", "ColorP=ABCDEF"};
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.CustomColorValues[2], 0x00FF00);
    EXPECT_EQ(form.CustomColorValues[1], clBlack);  // not hexadecimal
    EXPECT_EQ(form.CustomColorValues[15], 0xABCDEF);
    EXPECT_EQ(form.CustomPanels[15]->Color(), 0xABCDEF);
    form.btnOk->click();
  }));
  // Lines already there keep their place; the missing ones are added at the end.
  EXPECT_EQ(dialog.CustomColors[0], "ColorC=00FF00");
  EXPECT_EQ(dialog.CustomColors[1], "ColorB=000000");
  EXPECT_EQ(dialog.CustomColors[2], "Other=1");
  EXPECT_EQ(dialog.CustomColors[3], "ColorP=ABCDEF");
  EXPECT_EQ(dialog.CustomColors[4], "ColorA=000000");
  EXPECT_EQ(dialog.CustomColors.size(), 17u);
}

TEST(ColorPickerDialog, DefineCustomColorWrapsFromTheLastSlot) {
  TbrColorPickerDialog dialog;
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    Click(form.BasicPanels[3]);
    Click(form.CustomPanels[15], Qt::RightButton);
    EXPECT_EQ(form.SelectedCustom, 15);
    Click(form.btnDefineCustomColor);
    EXPECT_EQ(form.CustomColorValues[15], BasicColors[3]);
    EXPECT_EQ(form.CustomPanels[15]->Color(), BasicColors[3]);
    EXPECT_EQ(form.SelectedCustom, 0);
    EXPECT_TRUE(FrameDrawnAt(form, true, 0));
    EXPECT_FALSE(FrameDrawnAt(form, true, 15));
    Click(form.btnDefineCustomColor);
    EXPECT_EQ(form.CustomColorValues[0], BasicColors[3]);
    EXPECT_EQ(form.SelectedCustom, 1);
    Click(form.btnOk);
  }));
  EXPECT_EQ(dialog.CustomColors[15], "ColorP=80FF00");
  EXPECT_EQ(dialog.CustomColors[0], "ColorA=80FF00");
}

TEST(ColorPickerDialog, RightClickOnACustomPanelSelectsWithoutTakingItsColour) {
  TbrColorPickerDialog dialog;
  dialog.CustomColors = {"ColorE=123456"};
  dialog.Color = 0x00FF00;
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    Click(form.CustomPanels[4], Qt::RightButton);
    EXPECT_EQ(form.SelectedCustom, 4);
    EXPECT_EQ(form.CurrentColor(), 0x00FF00);
    EXPECT_TRUE(FrameDrawnAt(form, true, 4));
    EXPECT_FALSE(FrameDrawnAt(form, true, 0));
    Click(form.CustomPanels[4]);
    EXPECT_EQ(form.CurrentColor(), 0x123456);
    Click(form.CustomPanels[9]);  // a left click selects as well
    EXPECT_EQ(form.SelectedCustom, 9);
    EXPECT_EQ(form.CurrentColor(), clBlack);
    // Basic panels keep their own frame.
    EXPECT_EQ(form.SelectedBasic, 0);
    Click(form.BasicPanels[47]);
    EXPECT_EQ(form.SelectedBasic, 47);
    EXPECT_EQ(form.SelectedCustom, 9);
    EXPECT_TRUE(FrameDrawnAt(form, false, 47));
    EXPECT_FALSE(FrameDrawnAt(form, false, 0));
    Click(form.btnOk);
  }));
  EXPECT_EQ(dialog.Color, 0xFFFFFF);
}

TEST(ColorPickerDialog, HexEditIsReadOnEveryKeystroke) {
  struct Case {
    const char* typed;
    TColor color;
  } cases[] = {
      {"FF", RGB(0, 0, 255)},     {"ff", RGB(0, 0, 255)}, {"FF0000", RGB(255, 0, 0)},
      {"00ff00", RGB(0, 255, 0)}, {"12G4", clBlack},      {"1234567", RGB(0x12, 0x34, 0x56)},  // max 6
      {"8", RGB(0, 0, 8)},
  };
  for (const auto& c : cases) {
    TbrColorPickerDialog dialog;
    dialog.Color = 0x808080;
    EXPECT_TRUE(RunDialog(dialog, [&](TfrmColorPicker& form) {
      TypeInto(form.edtHex, c.typed);
      EXPECT_EQ(form.CurrentColor(), c.color) << c.typed;
      EXPECT_EQ(form.edtHex->text(), QString(c.typed).left(6));  // kept as typed
      EXPECT_EQ(form.pnlSelectedColor->Color(), c.color);
      QTest::keyClick(form.edtHex, Qt::Key_Return);  // Enter answers OK
    })) << c.typed;
    EXPECT_EQ(dialog.Color, c.color) << c.typed;
  }
}

TEST(ColorPickerDialog, SpinEditsSetOneCoordinateAndClampAtOnce) {
  struct Case {
    const char* spin;
    const char* typed;
    int shown;
    TColor color;  // starting from pure red
  } cases[] = {
      {"spnHue", "120", 120, RGB(0, 255, 0)},     {"spnHue", "400", 359, HSVToColor(359 / 360.0, 1, 1)},
      {"spnSat", "0", 0, RGB(255, 255, 255)},     {"spnSat", "150", 100, RGB(255, 0, 0)},
      {"spnValue", "50", 50, RGB(128, 0, 0)},     {"spnRed", "100", 100, RGB(100, 0, 0)},
      {"spnGreen", "300", 255, RGB(255, 255, 0)}, {"spnBlue", "7", 7, RGB(255, 0, 7)},
      {"spnBlue", "x7", 7, RGB(255, 0, 7)},  // letters are refused
  };
  for (const auto& c : cases) {
    TbrColorPickerDialog dialog;
    dialog.Color = RGB(255, 0, 0);
    EXPECT_FALSE(RunDialog(dialog,
                           [&](TfrmColorPicker& form) {
                             auto* spin = form.findChild<TPickerSpinEdit*>(c.spin);
                             TypeInto(spin, c.typed);
                             EXPECT_EQ(spin->value(), c.shown) << c.spin << " " << c.typed;
                             EXPECT_EQ(spin->text(), QString::number(c.shown)) << c.spin << " " << c.typed;
                             EXPECT_EQ(form.CurrentColor(), c.color) << c.spin << " " << c.typed;
                             const TRGBBytes b = SplitColor(c.color);
                             char hex[8];
                             std::snprintf(hex, sizeof hex, "%02X%02X%02X", b.Red, b.Green, b.Blue);
                             EXPECT_EQ(form.edtHex->text(), hex);
                             QTest::keyClick(&form, Qt::Key_Escape);  // Escape answers Cancel
                           }))
        << c.spin << " " << c.typed;
    EXPECT_EQ(dialog.Color, RGB(255, 0, 0));
  }
}

TEST(ColorPickerDialog, EnterInASpinEditAnswersOkWithTheColourAsChosen) {
  const TColor chosen = BasicColors[13];  // 0xC08000: H 200, S 100, V 75 shown rounded
  const THSV hsv = RGBToHSV(0x00, 0x80, 0xC0);
  struct Case {
    const char* spin;
    const char* typed;  // typed at the start of the text, before Enter
    TColor result;
  } cases[] = {
      {"spnHue", "", chosen},
      {"spnSat", "", chosen},
      {"spnValue", "", chosen},
      {"spnValue", "5", HSVToColor(hsv.H, hsv.S, 1.0)},  // "575" is held to 100 at once
      {"spnValue", "0", RGB(0x00, 0x80, 0xBF)},          // "075": typed, so the rounded 75% applies
  };
  for (const auto& c : cases) {
    TbrColorPickerDialog dialog;
    EXPECT_TRUE(RunDialog(dialog,
                          [&](TfrmColorPicker& form) {
                            Click(form.BasicPanels[13]);
                            ASSERT_EQ(form.CurrentColor(), chosen);
                            FocusOn(form.findChild<TPickerSpinEdit*>(c.spin));
                            Press(Qt::Key_Home);
                            QTest::keyClicks(QApplication::focusWidget(), c.typed);
                            Press(Qt::Key_Return);
                            EXPECT_FALSE(form.isVisible());
                          }))
        << c.spin << " " << c.typed;
    EXPECT_EQ(dialog.Color, c.result) << c.spin << " " << c.typed;
  }
}

TEST(ColorPickerDialog, EnterOnAFocusedButtonPressesThatButton) {
  TbrColorPickerDialog dialog;
  dialog.Color = 0x123456;
  EXPECT_FALSE(RunDialog(dialog, [](TfrmColorPicker& form) {
    Click(form.BasicPanels[13]);
    FocusOn(form.edtHex);
    Press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.btnDefineCustomColor);
    Press(Qt::Key_Return);
    EXPECT_EQ(form.CustomColorValues[0], BasicColors[13]);
    ASSERT_TRUE(form.isVisible());
    Press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), form.btnCancel);
    Press(Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
  }));
  EXPECT_EQ(dialog.Color, 0x123456);
  EXPECT_TRUE(dialog.CustomColors.empty());
}

TEST(ColorPickerDialog, TheFormReopensWhereItWasClosed) {
  TbrColorPickerDialog dialog;
  EXPECT_EQ(dialog.Left(), 128);
  EXPECT_EQ(dialog.Top(), 128);
  RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.pos(), QPoint(128, 128));
    form.move(300, 210);
    Click(form.btnCancel);
  });
  EXPECT_EQ(dialog.Left(), 300);
  EXPECT_EQ(dialog.Top(), 210);
  RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.pos(), QPoint(300, 210));
    Click(form.btnOk);
  });
}

TEST(ColorPickerDialog, SystemColourReferenceOpensAsItsRGBValue) {
  TbrColorPickerDialog dialog;
  dialog.SysColors = [](int index) { return index == 15 ? 0x00D4D0C8 : clBlack; };
  dialog.Color = static_cast<TColor>(0xFF00000F);
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.CurrentColor(), 0x00D4D0C8);
    EXPECT_EQ(form.edtHex->text(), "C8D0D4");
    Click(form.btnOk);
  }));
  EXPECT_EQ(dialog.Color, 0x00D4D0C8);

  // Without a resolver of its own the dialog asks the application palette.
  const QColor button = QApplication::palette().color(QPalette::Active, QPalette::Button);
  EXPECT_EQ(QtSysColor(15), RGB(button.red(), button.green(), button.blue()));
  TbrColorPickerDialog plain;
  plain.Color = static_cast<TColor>(0xFF00000F);
  EXPECT_TRUE(RunDialog(plain, [](TfrmColorPicker& form) { Click(form.btnOk); }));
  EXPECT_EQ(plain.Color, QtSysColor(15));
}

TEST(ColorPickerDialog, ModeAndColourComeFromTheBoxes) {
  TbrColorPickerDialog dialog;
  dialog.Color = RGB(100, 150, 200);
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    Click(form.rbRed, Qt::LeftButton, QPoint(4, 8));
    EXPECT_EQ(form.Mode(), cm_Red);
    Click(form.pbXY, Qt::LeftButton, QPoint(10, 0));
    EXPECT_EQ(form.CurrentColor(), RGB(100, 10, 255));
    EXPECT_FALSE(form.Model.DraggingField);
    Click(form.pbZ, Qt::LeftButton, QPoint(16, 55));
    EXPECT_EQ(form.CurrentColor(), RGB(200, 10, 255));
    EXPECT_EQ(form.spnRed->value(), 200);
    Click(form.btnOk);
  }));
  EXPECT_EQ(dialog.ColorMode, cm_Red);
  EXPECT_EQ(dialog.Color, RGB(200, 10, 255));
  // The mode confirmed with OK is the one the next run opens with; a cancelled change is not.
  EXPECT_FALSE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_TRUE(form.rbRed->isChecked());
    Click(form.rbValue, Qt::LeftButton, QPoint(4, 8));
    EXPECT_EQ(form.Mode(), cm_Value);
    Click(form.btnCancel);
  }));
  EXPECT_EQ(dialog.ColorMode, cm_Red);
}

TEST(ColorPickerDialog, WebColourDoubleClickSnapsTheColour) {
  TbrColorPickerDialog dialog;
  dialog.Color = RGB(25, 26, 255);
  EXPECT_TRUE(RunDialog(dialog, [](TfrmColorPicker& form) {
    EXPECT_EQ(form.pnlWebColor->Color(), 0x00FF3300);
    QTest::mouseDClick(form.pnlWebColor, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(form.CurrentColor(), 0x00FF3300);
    Click(form.btnOk);
  }));
  EXPECT_EQ(dialog.Color, 0x00FF3300);
}

TEST(ColorPickerDialog, BufferFailureIsReportedAndNothingIsShown) {
  FakeDialogs dialogs;
  TbrColorPickerDialog dialog;
  dialog.MessageDialogs = &dialogs;
  dialog.BufferSetup = [](TColorPickerModel&) { return false; };
  dialog.Color = 0x123456;
  bool shown = false;
  dialog.OnShown = [&](TfrmColorPicker&) { shown = true; };
  EXPECT_FALSE(dialog.Execute());
  QApplication::processEvents();
  EXPECT_FALSE(shown);
  EXPECT_EQ(dialogs.Texts("message"),
            std::vector<std::string>{"Color Picker cannot initialize off-screen buffers"});
  EXPECT_EQ(dialog.Color, 0x123456);
  EXPECT_TRUE(dialog.CustomColors.empty());
}

TEST(ColorPickerDialog, ChooseColorAdapter) {
  TbrColorPickerDialog dialog;
  dialog.OnShown = [](TfrmColorPicker& form) {
    Click(form.BasicPanels[12]);
    Click(form.btnOk);
  };
  TColor color = 0x111111;
  EXPECT_TRUE(ChooseColorWith(dialog, color));
  EXPECT_EQ(color, BasicColors[12]);
  dialog.OnShown = [](TfrmColorPicker& form) {
    Click(form.BasicPanels[13]);
    Click(form.btnCancel);
  };
  EXPECT_FALSE(ChooseColorWith(dialog, color));
  EXPECT_EQ(color, BasicColors[12]);
}

// Set QUIB_SCREENSHOT_DIR to get a picture of the dialog as it opens for a typical colour.
TEST(ColorPickerDialog, Screenshot) {
  const QString dir = qEnvironmentVariable("QUIB_SCREENSHOT_DIR");
  if (dir.isEmpty()) GTEST_SKIP() << "QUIB_SCREENSHOT_DIR not set";
  TbrColorPickerDialog dialog;
  dialog.Color = 9300421;
  dialog.CustomColors = {"ColorA=8DE9C5", "ColorB=FF8080"};
  RunDialog(dialog, [&](TfrmColorPicker& form) {
    Click(form.CustomPanels[2], Qt::RightButton);
    Click(form.BasicPanels[10]);
    Click(form.CustomPanels[1], Qt::RightButton);
    dialog.Color = form.CurrentColor();
    form.SetCurrentColor(9300421);
    form.UpdatePlanes();
    QApplication::processEvents();
    EXPECT_TRUE(form.grab().save(QDir(dir).filePath("colorpicker.png")));
    Click(form.btnCancel);
  });
}
