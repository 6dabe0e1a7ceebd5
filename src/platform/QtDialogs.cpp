#include "platform/QtDialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPointer>
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

// The window a box is shown for, and the way back to it: the box is its child, so the window
// manager keeps the box above it and, when the box closes, the window is activated again; its
// focus widget (a note's text area) takes the keys with the caret where it was.
class TOwnerReturn {
 public:
  explicit TOwnerReturn(QWidget* owner) : owner_(Resolve(owner)) {}
  ~TOwnerReturn() {
    if (owner_ && owner_->isVisible()) owner_->activateWindow();
  }
  TOwnerReturn(const TOwnerReturn&) = delete;
  TOwnerReturn& operator=(const TOwnerReturn&) = delete;
  QWidget* Window() const { return owner_; }

 private:
  static QWidget* Resolve(QWidget* owner) {
    // A box that comes up while another is open (an autosave's error) goes over the open one,
    // which the user is in and which must have the keyboard back.
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    // A box over a window that is not on the screen would have nothing to come back to.
    if (owner && owner->window()->isVisible()) return owner->window();
    return QApplication::activeWindow();
  }
  QPointer<QWidget> owner_;
};

// Runs a dialog made with new and the owner as its parent. The owner may go while the dialog
// runs (the session ends and every window closes), and takes its children along.
template <class T>
int execOwned(T* dialog) {
  QPointer<T> guard(dialog);
  const int result = dialog->exec();
  delete guard.data();
  return result;
}

int exec(QWidget* owner, QMessageBox::Icon icon, const QString& title, const QString& text,
         QMessageBox::StandardButtons buttons) {
  const TOwnerReturn back(owner);
  auto* box = new QMessageBox(icon, title, text, buttons, back.Window());
  box->setWindowModality(Qt::ApplicationModal);
  return execOwned(box);
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

bool runFileDialog(QWidget* owner, const TFileDialogSpec& spec, std::string& path,
                   QFileDialog::AcceptMode mode) {
  const TOwnerReturn back(owner);
  auto* dialog =
      new QFileDialog(back.Window(), q(spec.Title), q(spec.InitialDir), q(QtFilterFromPairs(spec.Filter)));
  dialog->setAcceptMode(mode);
  dialog->setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog->setDefaultSuffix(q(spec.DefaultExt));
  // A desktop's own dialog has no room for the preview pane.
  dialog->setOption(QFileDialog::DontUseNativeDialog, spec.PicturePreview);
  if (spec.PicturePreview) addPicturePreview(*dialog);
  QStringList chosen;
  QObject::connect(dialog, &QFileDialog::accepted, dialog,
                   [dialog, &chosen] { chosen = dialog->selectedFiles(); });
  if (execOwned(dialog) != QDialog::Accepted || chosen.isEmpty()) return false;
  path = s8(chosen.first());
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
  exec(Owner(), QMessageBox::NoIcon, q(title_()), q(text), QMessageBox::Ok);
}

void TQtDialogs::ShowError(const std::string& title, const std::string& text) {
  if (quiet_) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
    return;
  }
  exec(Owner(), QMessageBox::Critical, q(title), q(text), QMessageBox::Ok);
}

bool TQtDialogs::Confirm(const std::string& text) {
  if (quiet_) return false;
  return exec(Owner(), QMessageBox::Question, q(title_()), q(text), QMessageBox::Yes | QMessageBox::No) ==
         QMessageBox::Yes;
}

bool TQtDialogs::OpenFile(const TFileDialogSpec& spec, std::string& path) {
  if (quiet_) return false;
  return runFileDialog(Owner(), spec, path, QFileDialog::AcceptOpen);
}

bool TQtDialogs::SaveFile(const TFileDialogSpec& spec, std::string& path) {
  if (quiet_) return false;
  return runFileDialog(Owner(), spec, path, QFileDialog::AcceptSave);
}

bool TQtDialogs::ChooseFont(TFontSpec& font) {
  if (quiet_) return false;
  const TOwnerReturn back(Owner());
  // "Custom..." opens the colour picker over the font dialog, the window that asked for it.
  std::function<bool(TColor&)> custom;
  if (colors_)
    custom = [this](TColor& color) {
      const TOwnerReturn fontDialog(nullptr);
      return colors_->ChooseColor(color, fontDialog.Window());
    };
  return ChooseFontWithColor(font, custom, back.Window());
}

bool TQtDialogs::ChooseColor(TColor& color) {
  if (!colors_ || quiet_) return false;
  const TOwnerReturn back(Owner());
  return colors_->ChooseColor(color, back.Window());
}
