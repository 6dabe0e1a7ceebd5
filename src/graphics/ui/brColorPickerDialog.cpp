#include "graphics/ui/brColorPickerDialog.h"

#include <QMessageBox>
#include <QTimer>
#include <memory>

#include "platform/Dialogs.h"
#include "store/brCustomColors.h"

namespace {
const char kBufferFailure[] = "Color Picker cannot initialize off-screen buffers";
}

bool TbrColorPickerDialog::Execute() {
  auto form = std::make_unique<TfrmColorPicker>(owner_, BufferSetup, SysColors);
  if (!form->BuffersReady()) {
    // Such a form has no palettes and cannot be used: report it and do not show it.
    if (MessageDialogs) {
      MessageDialogs->ShowMessage(kBufferFailure);
    } else {
      QMessageBox::warning(owner_, QString::fromStdString(Title), kBufferFailure);
    }
    return false;
  }
  form_ = form.get();
  form->move(left_, top_);
  form->SetCurrentColor(Color);
  form->setWindowTitle(QString::fromLocal8Bit(Title.c_str()));
  form->SetColorMode(ColorMode);
  for (int slot = 0; slot < CustomColorCount; ++slot)
    form->SetCustomColor(slot, ReadCustomColor(CustomColors, slot));

  if (OnShown) {
    TfrmColorPicker* shown = form.get();
    QTimer::singleShot(0, shown, [this, shown] { OnShown(*shown); });
  }
  const bool ok = form->exec() == QDialog::Accepted;
  if (ok) {
    Color = form->CurrentColor();
    ColorMode = form->Mode();
    for (int slot = 0; slot < CustomColorCount; ++slot)
      WriteCustomColor(CustomColors, slot, form->CustomColorValues[slot]);
  }
  left_ = form->x();
  top_ = form->y();
  form_ = nullptr;
  return ok;
}

bool ChooseColorWith(TbrColorPickerDialog& dialog, TColor& color) {
  dialog.Color = color;
  if (!dialog.Execute()) return false;
  color = dialog.Color;
  return true;
}
