// The commands a user gives to one note, from its menu, its keys and dropped files. Each goes
// through the note's setters, which tell the autosave.
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <functional>

#include "graphics/brColorUtil.h"
#include "notes/UNoteKeys.h"
#include "notes/ui/UNoteHost.h"
#include "notes/ui/UNoteMenu.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/TPlatform.h"
#include "store/UFileUtil.h"
#include "store/UQuibError.h"
#include "store/UTextEncoding.h"

namespace {
constexpr const char* kReadOnlyRefusal = "This Quib-Note is read only.";

TFileDialogSpec TextFileDialog(const char* title, const std::string& folder) {
  return {title, "Text Files (*.txt)|*.txt|All Files (*)|*", "txt", folder, false};
}
}  // namespace

Dialogs& TfrmNote::NoteDialogs() {
  return *host_.Platform().dialogs;
}

void TfrmNote::ShowError(const std::string& message) {
  const TDialogOwner owner(NoteDialogs(), this);
  NoteDialogs().ShowError(host_.ApplicationTitle(), ErrorBoxText(message));
}

// ---- colours and font ---------------------------------------------------------------------

void TfrmNote::pmBackgroundColorClick() {
  TColor color = noteColor_;
  const TDialogOwner owner(NoteDialogs(), this);
  if (!NoteDialogs().ChooseColor(color)) return;
  SetNoteColor(color);
  RepaintStrip();
  RepaintGrip();
}

void TfrmNote::pmNewRandomColorClick() {
  SetNoteColor(RandomColor(host_.Random()));
  RepaintStrip();
  RepaintGrip();
}

void TfrmNote::pmFontClick() {
  TFontSpec font = font_;
  const TDialogOwner owner(NoteDialogs(), this);
  if (NoteDialogs().ChooseFont(font) && !(font == font_)) SetTextFont(font);
}

void TfrmNote::pmFontColorClick() {
  TFontSpec font = font_;
  const TDialogOwner owner(NoteDialogs(), this);
  if (!NoteDialogs().ChooseColor(font.Color)) return;
  SetTextFont(font);
  RepaintStrip();
  RepaintGrip();
}

void TfrmNote::pmNewRandomFontColorClick() {
  TFontSpec font = font_;
  font.Color = RandomColor(host_.Random());
  SetTextFont(font);
  RepaintStrip();
  RepaintGrip();
}

// ---- text files ---------------------------------------------------------------------------

bool TfrmNote::ReadTextFile(const std::string& path, std::vector<std::string>& lines, std::string& error) {
  try {
    lines = ReadEncodedTextFile(path).Lines;
    return true;
  } catch (const EQuibError& e) {
    error = e.what();
    return false;
  }
}

void TfrmNote::pmImportTextFileClick() {
  const TDialogOwner owner(NoteDialogs(), this);
  // The user made the note read only to keep its text.
  if (ReadOnly()) {
    NoteDialogs().ShowMessage(kReadOnlyRefusal);
    return;
  }
  std::string path;
  if (!NoteDialogs().OpenFile(TextFileDialog("Import Text File", host_.LastImportDir()), path)) return;
  std::vector<std::string> lines;
  std::string error;
  if (!ReadTextFile(path, lines, error)) {
    ShowError(error);
    return;
  }
  ReplaceLines(lines);
  host_.SetLastImportDir(ExtractFilePath(path));
}

void TfrmNote::pmExportTextFileClick() {
  const TDialogOwner owner(NoteDialogs(), this);
  std::string path;
  if (!NoteDialogs().SaveFile(TextFileDialog("Export Text File", host_.LastExportDir()), path)) return;
  try {
    // As the note's own text file is written; the note's modified flag is not the export's.
    WriteEncodedTextFile(path, Lines(), encoding_);
  } catch (const EQuibError& e) {
    ShowError(e.what());
    return;
  }
  host_.SetLastExportDir(ExtractFilePath(path));
}

std::vector<std::string> TfrmNote::DroppedFiles(const QMimeData* data) {
  std::vector<std::string> files;
  if (!data || !data->hasUrls()) return files;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) files.push_back(url.toLocalFile().toLocal8Bit().toStdString());
  return files;
}

bool TfrmNote::FileDragEvent(QEvent* event) {
  // Drag enter and drag move events are drop events too.
  auto* drop = static_cast<QDropEvent*>(event);
  const std::vector<std::string> files = DroppedFiles(drop->mimeData());
  if (files.empty()) return false;
  // Only as a copy: a file manager removes a file whose drop was taken as a move.
  if (!drop->possibleActions().testFlag(Qt::CopyAction)) {
    drop->ignore();
    return true;
  }
  drop->setDropAction(Qt::CopyAction);
  drop->accept();
  if (event->type() == QEvent::Drop) FormDropFiles(files);
  return true;
}

void TfrmNote::FormDropFiles(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  // A box waits until the drop has been answered: the file manager waits for that answer.
  const auto later = [this](std::function<void()> box) {
    QMetaObject::invokeMethod(
        this,
        [this, box = std::move(box)] {
          const TDialogOwner owner(NoteDialogs(), this);
          box();
        },
        Qt::QueuedConnection);
  };
  if (ReadOnly()) {
    later([this] { NoteDialogs().ShowMessage(kReadOnlyRefusal); });
    return;
  }
  std::vector<std::string> lines;
  std::string error;
  if (ReadTextFile(paths.front(), lines, error))
    ReplaceLines(lines);
  else
    later([this, error] { ShowError(error); });
}

// ---- the note and the program -------------------------------------------------------------

void TfrmNote::pmReadOnlyClick() {
  SetReadOnly(!ReadOnly());
}

void TfrmNote::pmOnTopClick() {
  SetOnTop(!onTop_);
}

void TfrmNote::pmControlPanelClick() {
  host_.ShowControlPanel();
}

void TfrmNote::pmNewQuibNoteClick() {
  host_.CreateNewNote();
}

void TfrmNote::pmExitApplicationClick() {
  host_.ExitApplication();
}

void TfrmNote::pmDeleteClick() {
  const TDialogOwner owner(NoteDialogs(), this);
  if (!NoteDialogs().Confirm("Are you sure you want to delete this Quib-Note?")) return;
  // Until the text is safe the note stays.
  if (modified_) {
    try {
      SaveText();
    } catch (const EQuibError& e) {
      ShowError(e.what());
      return;
    }
  }
  host_.NoteDeleted(*this);
  // A failed rename is not reported: the window goes and the file keeps its live name, so the
  // note comes back at the next start rather than being lost.
  host_.DeleteNoteText(id_);
  CloseForDelete();
}

bool TfrmNote::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
  if (key < Qt::Key_F1 || key > Qt::Key_F12) return false;
  const TNoteKeyCommand command =
      NoteKeyCommand(key - Qt::Key_F1 + 1, modifiers.testFlag(Qt::ShiftModifier),
                     modifiers.testFlag(Qt::ControlModifier), modifiers.testFlag(Qt::AltModifier));
  switch (command) {
    case TNoteKeyCommand::None:
      return false;
    case TNoteKeyCommand::ControlPanel:
      pmControlPanelClick();
      break;
    case TNoteKeyCommand::Delete:
      pmDeleteClick();
      break;
    case TNoteKeyCommand::NewNote:
      pmNewQuibNoteClick();
      break;
    case TNoteKeyCommand::BackgroundColor:
      pmBackgroundColorClick();
      break;
    case TNoteKeyCommand::NewRandomColor:
      pmNewRandomColorClick();
      break;
    case TNoteKeyCommand::Font:
      pmFontClick();
      break;
    case TNoteKeyCommand::FontColor:
      pmFontColorClick();
      break;
    case TNoteKeyCommand::NewRandomFontColor:
      pmNewRandomFontColorClick();
      break;
  }
  return true;
}

// ---- menu and keys -----------------------------------------------------------------------

TNotePopupMenu& TfrmNote::Menu() {
  if (!menu_) menu_ = new TNotePopupMenu(*this);
  return *menu_;
}

void TfrmNote::PopupMenu(const QPoint& at) {
  Menu().popup(at);
}

bool TfrmNote::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      // The text area keeps the function keys it is sent, so a key seen here on the window came
      // to the window itself.
      if (watched == mem || watched == this) {
        const auto* key = static_cast<QKeyEvent*>(event);
        FormKeyDown(key->key(), key->modifiers());
      }
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
      // Files dropped on the text area are for the note to import, not links for the text area
      // to insert; any other drag is the text area's.
      if (watched == mem->viewport() && FileDragEvent(event)) return true;
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);  // the key still reaches the text area
}

void TfrmNote::dragEnterEvent(QDragEnterEvent* event) {
  if (!FileDragEvent(event)) QWidget::dragEnterEvent(event);
}

void TfrmNote::dragMoveEvent(QDragMoveEvent* event) {
  if (!FileDragEvent(event)) QWidget::dragMoveEvent(event);
}

void TfrmNote::dropEvent(QDropEvent* event) {
  if (!FileDragEvent(event)) QWidget::dropEvent(event);
}
