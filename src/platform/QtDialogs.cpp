#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <algorithm>
#include <cstdio>

#include "platform/QtFontDialog.h"

namespace {
QString q(const std::string& s) {
  return QString::fromLocal8Bit(s.c_str());
}
std::string s8(const QString& s) {
  return s.toLocal8Bit().toStdString();
}

int exec(QMessageBox& box) {
  box.setWindowModality(Qt::ApplicationModal);
  return box.exec();
}

// A pane beside the file list that shows the picture under the cursor, read through Qt's image
// plugins (ICO, PNG, JPEG and whatever else is installed), shrunk to fit; a small icon is shown
// enlarged by whole pixels, so that it can be told apart from its neighbours.
void addPicturePreview(QFileDialog& dialog) {
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  constexpr int kPane = 160;
  auto* preview = new QLabel(&dialog);
  preview->setObjectName("lblPicturePreview");
  preview->setFixedSize(kPane, kPane);
  preview->setAlignment(Qt::AlignCenter);
  preview->setFrameShape(QFrame::StyledPanel);
  grid->addWidget(preview, 1, grid->columnCount(), 1, 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
    preview->clear();
    if (!QFileInfo(path).isFile()) return;
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > kPane - 4 || size.height() > kPane - 4))
      reader.setScaledSize(size.scaled(kPane - 4, kPane - 4, Qt::KeepAspectRatio));
    const QImage image = reader.read();
    if (image.isNull()) {
      preview->setText("No picture");
      return;
    }
    const int factor = std::max(1, std::min((kPane - 4) / std::max(1, image.width()), 4));
    const int factorH = std::max(1, std::min((kPane - 4) / std::max(1, image.height()), 4));
    const int scale = std::min(factor, factorH);
    preview->setPixmap(QPixmap::fromImage(
        scale > 1 ? image.scaled(image.size() * scale, Qt::KeepAspectRatio, Qt::FastTransformation) : image));
  });
}

bool runFileDialog(const TFileDialogSpec& spec, std::string& path, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(nullptr, q(spec.Title), q(spec.InitialDir), q(QtFilterFromPairs(spec.Filter)));
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(q(spec.DefaultExt));
  // A desktop's own dialog has no room for the preview pane.
  dialog.setOption(QFileDialog::DontUseNativeDialog, spec.PicturePreview);
  if (spec.PicturePreview) addPicturePreview(dialog);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  path = s8(dialog.selectedFiles().first());
  return true;
}
}  // namespace

std::string QtFilterFromPairs(const std::string& filter) {
  // Pairs of description and pattern; Qt wants only the descriptions, which carry the patterns.
  std::string out;
  size_t start = 0;
  int index = 0;
  while (start <= filter.size()) {
    size_t bar = filter.find('|', start);
    if (bar == std::string::npos) bar = filter.size();
    if (index % 2 == 0) {
      if (!out.empty()) out += ";;";
      out += filter.substr(start, bar - start);
    }
    ++index;
    start = bar + 1;
  }
  return out;
}

void TQtDialogs::ShowMessage(const std::string& text) {
  if (quiet_) {
    std::fprintf(stderr, "%s: %s\n", title_().c_str(), text.c_str());
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, q(title_()), q(text), QMessageBox::Ok);
  exec(box);
}

void TQtDialogs::ShowError(const std::string& title, const std::string& text) {
  if (quiet_) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return;
  }
  QMessageBox box(QMessageBox::Critical, q(title), q(text), QMessageBox::Ok);
  exec(box);
}

bool TQtDialogs::Confirm(const std::string& text) {
  if (quiet_) return false;
  QMessageBox box(QMessageBox::Question, q(title_()), q(text), QMessageBox::Yes | QMessageBox::No);
  return exec(box) == QMessageBox::Yes;
}

bool TQtDialogs::OpenFile(const TFileDialogSpec& spec, std::string& path) {
  if (quiet_) return false;
  return runFileDialog(spec, path, QFileDialog::AcceptOpen);
}

bool TQtDialogs::SaveFile(const TFileDialogSpec& spec, std::string& path) {
  if (quiet_) return false;
  return runFileDialog(spec, path, QFileDialog::AcceptSave);
}

bool TQtDialogs::ChooseFont(TFontSpec& font) {
  if (quiet_) return false;
  return ChooseFontWithColor(font, colorChooser_, nullptr);
}

bool TQtDialogs::ChooseColor(TColor& color) {
  return colorChooser_ && !quiet_ ? colorChooser_(color) : false;
}
