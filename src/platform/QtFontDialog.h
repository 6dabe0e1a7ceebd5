// The font dialog: Qt's font chooser with a text colour beside it, the sixteen basic colours of
// the classic font dialogs and "Custom..." through the program's own colour picker.
#pragma once

#include <QDialog>
#include <functional>

#include "platform/Dialogs.h"

class QComboBox;
class QFontDialog;
class QLineEdit;

class TQtFontDialog : public QDialog {
 public:
  // customColor runs the colour picker preset with a colour; true and the colour on OK.
  TQtFontDialog(const TFontSpec& font, std::function<bool(TColor&)> customColor, QWidget* parent = nullptr);

  // The font as the dialog shows it now. The stored name stays when the family shown for it
  // was not changed, so a name the desktop lacks survives an OK.
  TFontSpec Chosen() const;

  QFontDialog* fontChooser = nullptr;
  QComboBox* cbColor = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ColorActivated(int index);
  void SelectColor(TColor color);
  void ShowSampleColor();

  TFontSpec font_;
  QString shownFamily_;  // as the chooser names the family it was preset with
  std::function<bool(TColor&)> customColor_;
  QLineEdit* sample_ = nullptr;
  int lastIndex_ = 0;
};

// Shows the dialog for font: true and the chosen font on OK.
bool ChooseFontWithColor(TFontSpec& font, const std::function<bool(TColor&)>& customColor, QWidget* parent);
