// Message boxes and common dialogs with Qt's widgets.
#pragma once

#include <functional>

#include "platform/Dialogs.h"

class QWidget;

class TQtDialogs : public Dialogs {
 public:
  // title() gives the application title that plain message boxes carry.
  explicit TQtDialogs(std::function<std::string()> title) : title_(std::move(title)) {}

  void ShowMessage(const std::string& text) override;
  void ShowError(const std::string& title, const std::string& text) override;
  bool Confirm(const std::string& text) override;
  bool OpenFile(const TFileDialogSpec& spec, std::string& path) override;
  bool SaveFile(const TFileDialogSpec& spec, std::string& path) override;
  bool ChooseFont(TFontSpec& font) override;
  bool ChooseColor(TColor& color) override;

  // The program's own colour dialog, supplied by the window layer.
  void SetColorChooser(const std::function<bool(TColor&, QWidget*)>& chooser) override {
    colorChooser_ = std::move(chooser);
  }
  // The session is ending: nobody is left to answer a box, so messages go to stderr and every
  // question is answered as if cancelled.
  void SetQuiet(bool quiet) { quiet_ = quiet; }

 private:
  std::function<std::string()> title_;
  std::function<bool(TColor&, QWidget*)> colorChooser_;
  bool quiet_ = false;
};

// "Text Files (*.txt)|*.txt|All Files (*)|*" as Qt writes filters.
std::string QtFilterFromPairs(const std::string& filter);
