#include "platform/QtFontDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <array>

#include "platform/QtCanvas.h"
#include "platform/QtFonts.h"

namespace {
struct TNamedColor {
  const char* Name;
  TColor Color;  // 0x00BBGGRR
};
// The colours of the classic font dialog's colour list, in its order.
constexpr std::array<TNamedColor, 16> kBasicColors{{
    {"Black", 0x000000},
    {"Maroon", 0x000080},
    {"Green", 0x008000},
    {"Olive", 0x008080},
    {"Navy", 0x800000},
    {"Purple", 0x800080},
    {"Teal", 0x808000},
    {"Gray", 0x808080},
    {"Silver", 0xC0C0C0},
    {"Red", 0x0000FF},
    {"Lime", 0x00FF00},
    {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},
    {"Fuchsia", 0xFF00FF},
    {"Aqua", 0xFFFF00},
    {"White", 0xFFFFFF},
}};
constexpr int kCustomEntry = -1;  // the data of "Custom...", which opens the picker

QIcon swatch(TColor color) {
  QPixmap pixmap(20, 12);
  pixmap.fill(ToQColor(color));
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
  return QIcon(pixmap);
}
}  // namespace

TQtFontDialog::TQtFontDialog(const TFontSpec& font, std::function<bool(TColor&)> customColor, QWidget* parent)
    : QDialog(parent), font_(font), customColor_(std::move(customColor)) {
  setObjectName("dlgFont");
  setWindowTitle("Font");
  auto* layout = new QVBoxLayout(this);

  // Qt's own chooser as a part of this dialog; its Escape ends the whole dialog.
  fontChooser = new QFontDialog(this);
  fontChooser->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fontChooser->setWindowFlags(Qt::Widget);
  QFont preset = ToQFont(font);
  preset.setFamily(ShownFamily(font));
  // By the style's own name ("Book", "Regular"): the chooser takes the first style of its list
  // for one it cannot match, often an oblique one.
  preset.setStyleName(QFontInfo(preset).styleName());
  fontChooser->setCurrentFont(preset);
  shownFamily_ = fontChooser->currentFont().family();
  connect(fontChooser, &QDialog::rejected, this, &QDialog::reject);
  // It would take Enter for itself, with no button to press.
  fontChooser->installEventFilter(this);
  layout->addWidget(fontChooser);
  // The chooser's sample is the line edit in its "Sample" box.
  for (QGroupBox* box : fontChooser->findChildren<QGroupBox*>())
    if (auto* edit = box->findChild<QLineEdit*>()) sample_ = edit;
  connect(fontChooser, &QFontDialog::currentFontChanged, this, [this] { ShowSampleColor(); });

  cbColor = new QComboBox(this);
  cbColor->setObjectName("cbColor");
  for (const TNamedColor& c : kBasicColors) cbColor->addItem(swatch(c.Color), c.Name, c.Color);
  cbColor->addItem("Custom...", kCustomEntry);
  auto* label = new QLabel("Co&lor:", this);
  label->setBuddy(cbColor);
  auto* colorRow = new QHBoxLayout;
  colorRow->addWidget(label);
  colorRow->addWidget(cbColor);
  colorRow->addStretch(1);
  // In the chooser's effects box (the one with check boxes), where the classic dialog has it.
  QBoxLayout* effects = nullptr;
  for (QGroupBox* box : fontChooser->findChildren<QGroupBox*>())
    if (box->findChild<QCheckBox*>()) effects = qobject_cast<QBoxLayout*>(box->layout());
  if (effects)
    effects->addLayout(colorRow);
  else
    layout->addLayout(colorRow);
  SelectColor(font.Color);
  connect(cbColor, &QComboBox::activated, this, &TQtFontDialog::ColorActivated);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  // Chosen by hand: the chooser's own hidden OK counts as a default button too.
  buttons->button(QDialogButtonBox::Ok)->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

bool TQtFontDialog::eventFilter(QObject* watched, QEvent* event) {
  if (watched == fontChooser && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      accept();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TQtFontDialog::SelectColor(TColor color) {
  int index = cbColor->findData(color);
  if (index < 0) {
    // Not a basic colour: one entry of its own before "Custom...", replaced by the next one.
    const int custom = cbColor->count() - 1;
    if (custom > static_cast<int>(kBasicColors.size())) cbColor->removeItem(custom - 1);
    cbColor->insertItem(cbColor->count() - 1, swatch(color), "Custom", color);
    index = cbColor->count() - 2;
  }
  cbColor->setCurrentIndex(index);
  lastIndex_ = index;
  ShowSampleColor();
}

void TQtFontDialog::ColorActivated(int index) {
  if (cbColor->itemData(index).toInt() != kCustomEntry) {
    lastIndex_ = index;
    ShowSampleColor();
    return;
  }
  TColor color = cbColor->itemData(lastIndex_).toInt();
  if (customColor_ && customColor_(color))
    SelectColor(color);
  else
    cbColor->setCurrentIndex(lastIndex_);
}

void TQtFontDialog::ShowSampleColor() {
  if (!sample_) return;
  QPalette pal = sample_->palette();
  pal.setColor(QPalette::Text, ToQColor(cbColor->itemData(lastIndex_).toInt()));
  sample_->setPalette(pal);
}

TFontSpec TQtFontDialog::Chosen() const {
  const QFont chosen = fontChooser->currentFont();
  TFontSpec out = font_;
  if (chosen.family() != shownFamily_) out.Name = chosen.family().toLocal8Bit().toStdString();
  if (chosen.pointSize() > 0) out.Size = chosen.pointSize();
  out.Bold = chosen.bold();
  out.Italic = chosen.italic();
  out.Underline = chosen.underline();
  out.StrikeOut = chosen.strikeOut();
  out.Color = cbColor->itemData(lastIndex_).toInt();
  return out;
}

bool ChooseFontWithColor(TFontSpec& font, const std::function<bool(TColor&)>& customColor, QWidget* parent) {
  // The parent may go while the dialog runs (every window closes at the session's end), and
  // takes its children along.
  QPointer<TQtFontDialog> dialog = new TQtFontDialog(font, customColor, parent);
  const bool ok = dialog->exec() == QDialog::Accepted && dialog;
  if (ok) font = dialog->Chosen();
  delete dialog.data();
  return ok;
}
