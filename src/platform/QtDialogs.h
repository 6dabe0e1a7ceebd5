// Message boxes and common dialogs with Qt's widgets.
#pragma once

#include <functional>

#include "platform/ColorChooser.h"
#include "platform/Dialogs.h"

class QWidget;

class TQtDialogs : public Dialogs {
 public:
  // title() gives the application title that plain message boxes carry; colors, which outlives
  // the dialogs, is the colour dialog that ChooseColor shows (null: none, the choice cancelled).
  TQtDialogs(std::function<std::string()> title, ColorChooser* colors)
      : title_(std::move(title)), colors_(colors) {}

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& text) override;
  bool OpenFile(const TFileDialogSpec& spec, std::string& path) override;
  bool SaveFile(const TFileDialogSpec& spec, std::string& path) override;
  bool ChooseFont(TFontSpec& font) override;
  bool ChooseColor(TColor& color) override;

  // The session is ending: nobody is left to answer a box, so messages go to stderr and every
  // question is answered as if cancelled.
  void SetQuiet(bool quiet) { quiet_ = quiet; }

 private:
  std::function<std::string()> title_;
  ColorChooser* colors_;
  bool quiet_ = false;
};

// "Text Files (*.txt)|*.txt|All Files (*)|*" as Qt writes filters.
std::string QtFilterFromPairs(const std::string& filter);
