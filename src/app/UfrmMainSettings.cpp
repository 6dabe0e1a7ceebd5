// The binding of the settings store to the control panel's option controls: which value goes
// to which control and back, and the snapping boxes that exclude each other.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>

#include "app/UPanelPlacement.h"
#include "app/UTrayIcon.h"
#include "app/UfrmMain.h"
#include "platform/QtCanvas.h"
#include "platform/QtFonts.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/USettingsKeys.h"
#include "store/brRegVal.h"

namespace {
QString q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}
std::string s8(const QString& s) {
  return s.toLocal8Bit().toStdString();
}
}  // namespace

void TfrmMain::LoadSettings() {
  const std::string notesFolder = store_.NotesFolder();
  if (!DirectoryExists(notesFolder)) CreateDir(notesFolder);

  placement_->LoadPosition(static_cast<int32_t>(settings_->GetInteger(setting::iLastX)),
                           static_cast<int32_t>(settings_->GetInteger(setting::iLastY)));

  ShowFontLabel(settings_->GetString(setting::sDefaultFontName),
                static_cast<int32_t>(settings_->GetInteger(setting::iDefaultFontSize)),
                static_cast<int32_t>(settings_->GetInteger(setting::iDefaultFontColor)));

  chkRandomColor->setChecked(settings_->GetBoolean(setting::bRandomColor));
  chkSnapGrid->setChecked(settings_->GetBoolean(setting::bSnapGrid));
  chkSnapEdges->setChecked(settings_->GetBoolean(setting::bSnapEdges));
  chkSnapNotes->setChecked(settings_->GetBoolean(setting::bSnapNotes));
  chkStartup->setChecked(settings_->GetBoolean(setting::bStartup));
  chkBringToFront->setChecked(settings_->GetBoolean(setting::bBringToFront));
  chkRemoveStayOnTop->setChecked(settings_->GetBoolean(setting::bRemoveStayOnTop));
  chkWinXPShadow->setChecked(settings_->GetBoolean(setting::bWinXPShadow));

  spnGridX->setValue(static_cast<int32_t>(settings_->GetInteger(setting::iGridX)));
  spnGridY->setValue(static_cast<int32_t>(settings_->GetInteger(setting::iGridY)));

  edtIdentity->setText(q(settings_->GetString(setting::sIdentity)));
  edtWAVFilename1->setText(q(settings_->GetString(setting::sWAVFilename1)));
  edtWAVFilename2->setText(q(settings_->GetString(setting::sWAVFilename2)));
  chkPlayWAV1->setChecked(settings_->GetBoolean(setting::bPlayWAV1));
  chkPlayWAV2->setChecked(settings_->GetBoolean(setting::bPlayWAV2));

  lastSend_ = settings_->GetString(setting::sLastSend);
  edtNotesTitle->setText(q(settings_->GetString(setting::sNotesTitle)));

  icoDir_ = settings_->GetString(setting::sICODir);
  if (icoDir_.empty()) icoDir_ = store_.TrayIconFolder();

  trayIconFile_ = settings_->GetString(setting::sTrayIcon);
  if (!trayIconFile_.empty()) {
    if (FileExists(trayIconFile_)) {
      // A file that holds no picture keeps the built-in icon, and is kept for a later start.
      const QIcon icon = LoadTrayIconFile(trayIconFile_);
      if (!icon.isNull()) tray_->SetIcon(icon);
    } else {
      trayIconFile_.clear();
    }
  }
}

void TfrmMain::SaveSettings() {
  placement_->RememberIfOnScreen();
  settings_->SetInteger(setting::iLastX, placement_->Remembered().x());
  settings_->SetInteger(setting::iLastY, placement_->Remembered().y());
  settings_->SetBoolean(setting::bRandomColor, chkRandomColor->isChecked());
  settings_->SetBoolean(setting::bSnapGrid, chkSnapGrid->isChecked());
  settings_->SetBoolean(setting::bSnapEdges, chkSnapEdges->isChecked());
  settings_->SetBoolean(setting::bSnapNotes, chkSnapNotes->isChecked());
  settings_->SetBoolean(setting::bStartup, chkStartup->isChecked());
  settings_->SetBoolean(setting::bBringToFront, chkBringToFront->isChecked());
  settings_->SetBoolean(setting::bRemoveStayOnTop, chkRemoveStayOnTop->isChecked());
  settings_->SetBoolean(setting::bWinXPShadow, chkWinXPShadow->isChecked());
  settings_->SetInteger(setting::iGridX, spnGridX->value());
  settings_->SetInteger(setting::iGridY, spnGridY->value());
  settings_->SetString(setting::sIdentity, FirstRunDone() ? s8(edtIdentity->text()) : std::string());
  settings_->SetString(setting::sWAVFilename1, s8(edtWAVFilename1->text()));
  settings_->SetString(setting::sWAVFilename2, s8(edtWAVFilename2->text()));
  settings_->SetBoolean(setting::bPlayWAV1, chkPlayWAV1->isChecked());
  settings_->SetBoolean(setting::bPlayWAV2, chkPlayWAV2->isChecked());
  settings_->SetString(setting::sLastSend, lastSend_);
  settings_->SetString(setting::sICODir, icoDir_);
  settings_->SetString(setting::sTrayIcon, trayIconFile_);
  settings_->SetString(setting::sNotesTitle, s8(edtNotesTitle->text()));
}

void TfrmMain::SnapGridClick(bool checked) {
  if (!checked) return;
  chkSnapEdges->setChecked(false);
  chkSnapNotes->setChecked(false);
}

void TfrmMain::SnapEdgesClick(bool checked) {
  if (checked) chkSnapGrid->setChecked(false);
}

void TfrmMain::SnapNotesClick(bool checked) {
  if (checked) chkSnapGrid->setChecked(false);
}

void TfrmMain::ShowFontLabel(const std::string& name, int size, int color) {
  TFontSpec font;
  font.Name = name;
  font.Size = size > 0 ? size : 8;
  lblFont->setFont(ToQFont(font));
  QPalette pal = lblFont->palette();
  pal.setColor(QPalette::WindowText, ToQColor(color));
  lblFont->setPalette(pal);
  lblFont->setText(q(name + " " + std::to_string(size) + "pt"));
}

TNoteOptions TfrmMain::Options() const {
  return {{SnapToScreenGrid(), SnapToScreenEdges(), SnapToOtherNotes(), GridX(), GridY()}, NotesTitle()};
}
bool TfrmMain::SnapToScreenGrid() const {
  return chkSnapGrid->isChecked();
}
bool TfrmMain::SnapToScreenEdges() const {
  return chkSnapEdges->isChecked();
}
bool TfrmMain::SnapToOtherNotes() const {
  return chkSnapNotes->isChecked();
}
double TfrmMain::GridX() const {
  return spnGridX->value();
}
double TfrmMain::GridY() const {
  return spnGridY->value();
}
std::string TfrmMain::NotesTitle() const {
  return s8(edtNotesTitle->text());
}
