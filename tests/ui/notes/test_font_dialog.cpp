// The font dialog keeps a stored name the desktop lacks, and its colour list gives the basic
// colours and any other through the colour picker.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontDatabase>
#include <QFontDialog>
#include <functional>
#include <tuple>

#include "platform/QtFontDialog.h"
#include "platform/QtFonts.h"

TEST(FontDialog, KeepsTheStoredNameAndChoosesTheColour) {
  const TFontSpec classic;  // "MS Sans Serif" 8, black: not on a Linux desktop
  ASSERT_FALSE(QFontDatabase::hasFamily("MS Sans Serif"));
  ASSERT_TRUE(QFontDatabase::hasFamily("DejaVu Serif"));
  std::vector<TColor> pickerPresets;
  TColor pickerAnswer = -1;  // negative: the picker is cancelled
  const auto picker = [&](TColor& c) {
    pickerPresets.push_back(c);
    if (pickerAnswer < 0) return false;
    c = pickerAnswer;
    return true;
  };
  const auto pick = [](TQtFontDialog& d, const char* item) {
    const int index = d.cbColor->findText(item);
    d.cbColor->setCurrentIndex(index);
    emit d.cbColor->activated(index);
  };

  struct Case {
    const char* name;
    TFontSpec preset;
    TColor pickerAnswer;
    std::function<void(TQtFontDialog&)> user;
    std::string name_;
    TColor color;
    std::vector<TColor> pickerPresets;
  } cases[] = {
      {"OK alone", classic, -1, [](TQtFontDialog&) {}, "MS Sans Serif", clBlack, {}},
      {"a basic colour",
       classic,
       -1,
       [&](TQtFontDialog& d) { pick(d, "Maroon"); },
       "MS Sans Serif",
       0x000080,
       {}},
      {"Custom... through the picker",
       classic,
       0x123456,
       [&](TQtFontDialog& d) {
         pick(d, "Navy");
         pick(d, "Custom...");
       },
       "MS Sans Serif",
       0x123456,
       {0x800000}},
      {"Custom... cancelled",
       classic,
       -1,
       [&](TQtFontDialog& d) {
         pick(d, "Teal");
         pick(d, "Custom...");
       },
       "MS Sans Serif",
       0x808000,
       {0x808000}},
      {"a colour of its own stays",
       TFontSpec{"MS Sans Serif", 8, 0x0A0B0C},
       -1,
       [](TQtFontDialog&) {},
       "MS Sans Serif",
       0x0A0B0C,
       {}},
      {"another family",
       classic,
       -1,
       [](TQtFontDialog& d) {
         QFont f = d.fontChooser->currentFont();
         f.setFamily("DejaVu Serif");
         d.fontChooser->setCurrentFont(f);
       },
       "DejaVu Serif",
       clBlack,
       {}},
  };
  for (const auto& c : cases) {
    pickerPresets.clear();
    pickerAnswer = c.pickerAnswer;
    TQtFontDialog dialog(c.preset, picker);
    c.user(dialog);
    const TFontSpec chosen = dialog.Chosen();
    EXPECT_EQ(chosen.Name, c.name_) << c.name;
    EXPECT_EQ(std::tuple(chosen.Size, chosen.Bold, chosen.Italic), std::tuple(8, false, false)) << c.name;
    EXPECT_EQ(chosen.Color, c.color) << c.name;
    EXPECT_EQ(pickerPresets, c.pickerPresets) << c.name;
    EXPECT_EQ(dialog.cbColor->count(), c.color == 0x123456 || c.color == 0x0A0B0C ? 18 : 17) << c.name;
  }
  // Shown with the desktop's sans-serif meanwhile.
  EXPECT_EQ(ShownFamily(classic), ShownFamily(TFontSpec{"Sans Serif"}));
}
