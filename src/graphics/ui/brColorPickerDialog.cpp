#include "graphics/ui/brColorPickerDialog.h"

#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "graphics/brCustomColors.h"
#include "platform/Dialogs.h"

namespace {
const char kBufferFailure[] = "Color Picker cannot initialize off-screen buffers";
}

bool TbrColorPickerDialog::Execute(QWidget* asker) {
  QWidget* parent = asker ? asker : owner_;
  // The form's parent may go while it runs (every window closes at the session's end), and
  // takes its children along.
  QPointer<TfrmColorPicker> form = new TfrmColorPicker(parent, BufferSetup, SysColors);
  if (!form->BuffersReady()) {
    delete form.data();
    // Such a form has no palettes and cannot be used: report it and do not show it.
    if (MessageDialogs) {
      MessageDialogs->ShowMessage(kBufferFailure);
    } else {
      QMessageBox::warning(parent, QString::fromStdString(Title), kBufferFailure);
    }
    return false;
  }
  form_ = form.data();
  form->move(left_, top_);
  form->SetCurrentColor(Color);
  form->setWindowTitle(QString::fromLocal8Bit(Title.c_str()));
  form->SetColorMode(ColorMode);
  for (int slot = 0; slot < CustomColorCount; ++slot)
    form->SetCustomColor(slot, ReadCustomColor(CustomColors, slot));

  if (OnShown) {
    TfrmColorPicker* shown = form.data();
    QTimer::singleShot(0, shown, [this, shown] { OnShown(*shown); });
  }
  const bool ok = form->exec() == QDialog::Accepted && form;
  if (!form) {
    form_ = nullptr;
    return false;
  }
  if (ok) {
    Color = form->CurrentColor();
    ColorMode = form->Mode();
    for (int slot = 0; slot < CustomColorCount; ++slot)
      WriteCustomColor(CustomColors, slot, form->CustomColorValues[slot]);
  }
  left_ = form->x();
  top_ = form->y();
  form_ = nullptr;
  delete form.data();
  return ok;
}

bool ChooseColorWith(TbrColorPickerDialog& dialog, TColor& color, QWidget* asker) {
  dialog.Color = color;
  if (!dialog.Execute(asker)) return false;
  color = dialog.Color;
  return true;
}
