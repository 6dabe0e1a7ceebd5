#include "app/UNotesList.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "store/UFileUtil.h"
#include "store/UNoteFiles.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"

namespace {
QString joinLines(const std::vector<std::string>& lines) {
  QStringList out;
  for (const auto& l : lines) out << QString::fromLocal8Bit(l.c_str());
  return out.join('\n');
}

QFont qfont(const TFontSpec& f) {
  QFont font(QString::fromLocal8Bit(f.Name.c_str()));
  font.setPointSize(f.Size > 0 ? f.Size : 8);
  font.setBold(f.Bold);
  font.setItalic(f.Italic);
  font.setUnderline(f.Underline);
  font.setStrikeOut(f.StrikeOut);
  return font;
}

// Each entry painted in its note's colours; the focus rectangle is the only mark of the
// selection.
class TNoteEntryDelegate : public QStyledItemDelegate {
 public:
  explicit TNoteEntryDelegate(TNotesList& list) : QStyledItemDelegate(&list), list_(list) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int row = index.row();
    if (row < 0 || row >= list_.Count()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const TfrmNote& note = list_.At(row);
    painter->save();
    painter->fillRect(option.rect, ToQColor(note.NoteColor()));
    painter->setPen(ToQColor(note.TextFont().Color));
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      QString::fromLocal8Bit(TNotesList::Caption(note).c_str()));
    if (option.state & QStyle::State_HasFocus) {
      QStyleOptionFocusRect focus;
      focus.rect = option.rect;
      focus.state = option.state;
      focus.backgroundColor = ToQColor(note.NoteColor());
      option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
    }
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 16);
  }

 private:
  TNotesList& list_;
};
}  // namespace

TNotesList::TNotesList(QWidget* parent) : QWidget(parent) {
  setObjectName("pnlNotes");
  auto* layout = new QHBoxLayout(this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  lbNotes = new QListWidget(splitter);
  lbNotes->setObjectName("lbNotes");
  lbNotes->setItemDelegate(new TNoteEntryDelegate(*this));
  lbNotes->setUniformItemSizes(true);
  lbNotes->setMinimumWidth(40);
  lbNotes->setContextMenuPolicy(Qt::CustomContextMenu);
  lbNotes->viewport()->installEventFilter(this);

  auto* details = new QWidget(splitter);
  auto* dl = new QVBoxLayout(details);
  dl->setContentsMargins(4, 0, 0, 0);
  auto* posRow = new QHBoxLayout;
  posRow->addWidget(new QLabel("Pos:", details));
  lblPos = new QLabel("...", details);
  lblPos->setObjectName("lblPos");
  posRow->addWidget(lblPos, 1);
  dl->addLayout(posRow);
  auto* sizeRow = new QHBoxLayout;
  sizeRow->addWidget(new QLabel("Size:", details));
  lblSize = new QLabel("...", details);
  lblSize->setObjectName("lblSize");
  sizeRow->addWidget(lblSize, 1);
  dl->addLayout(sizeRow);
  memNote = new QPlainTextEdit(details);
  memNote->setObjectName("memNote");
  dl->addWidget(memNote, 1);
  btnUpdateText = new QPushButton("Update Text", details);
  btnUpdateText->setObjectName("btnUpdateText");
  btnUpdateText->setEnabled(false);
  dl->addWidget(btnUpdateText, 0, Qt::AlignRight);
  splitter->addWidget(lbNotes);
  splitter->addWidget(details);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({91, 260});
  layout->addWidget(splitter);

  ppmNotes = new QMenu(this);
  ppmNotes->setObjectName("ppmNotes");
  ppmSendOverNetwork = ppmNotes->addAction("&Send this Quib-Note over Network...");
  ppmSendOverNetwork->setVisible(false);
  ppmSendOverNetwork->setEnabled(false);
  ppmNotes->addSeparator()->setVisible(false);
  ppmMinimize = ppmNotes->addAction("&Minimize");
  ppmMaximize = ppmNotes->addAction("&Maximize");
  ppmNotes->addSeparator();
  ppmDelete = ppmNotes->addAction("&Delete this Quib-Note");

  connect(lbNotes, &QListWidget::itemClicked, this, [this] { lbNotesClick(); });
  connect(lbNotes, &QListWidget::currentRowChanged, this, [this] { lbNotesClick(); });
  connect(lbNotes, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { ppmNotes->popup(lbNotes->viewport()->mapToGlobal(p)); });
  connect(btnUpdateText, &QPushButton::clicked, this, &TNotesList::btnUpdateTextClick);
  connect(ppmMinimize, &QAction::triggered, this, [this] {
    if (SelectedIndex() >= 0) At(SelectedIndex()).Minimize();
  });
  connect(ppmMaximize, &QAction::triggered, this, [this] {
    if (SelectedIndex() >= 0) At(SelectedIndex()).Maximize();
  });
  connect(ppmDelete, &QAction::triggered, this, [this] {
    if (SelectedIndex() >= 0) DeleteNote(At(SelectedIndex()));
  });
}

TNotesList::~TNotesList() {
  for (TfrmNote* note : notes_) {
    note->removeEventFilter(this);
    disconnect(note, nullptr, this, nullptr);
  }
}

std::string TNotesList::Caption(const TfrmNote& note) {
  const std::string id = std::to_string(note.Id());
  if (note.Chat()) return "Quib-Chat [" + id + "]";
  if (note.SystemNote()) return "System Quib-Note [" + id + "]";
  return "Quib-Note [" + id + "]";
}

void TNotesList::AddNoteToList(TfrmNote& note) {
  notes_.push_back(&note);
  lbNotes->addItem(QString::fromLocal8Bit(Caption(note).c_str()));
  if (collection_ && !collection_->HasConfig(note.Id()))
    collection_->AddConfig(note.Id(), note.CreateConfig());
  // Every change to an open note counts for the autosave.
  note.installEventFilter(this);
  connect(note.mem, &QPlainTextEdit::textChanged, this, &TNotesList::NoteChanged);
  // A window that goes without telling the list must never leave a dangling entry.
  connect(&note, &QObject::destroyed, this, &TNotesList::Forget);
  emit NoteChanged();
}

void TNotesList::Forget(QObject* window) {
  for (size_t i = 0; i < notes_.size(); ++i) {
    if (notes_[i] == window) {
      notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(i));
      delete lbNotes->takeItem(static_cast<int>(i));
      lbNotes->setCurrentRow(-1);
      lbNotesClick();
      return;
    }
  }
}

void TNotesList::RemoveNoteFromList(int32_t id) {
  for (size_t i = 0; i < notes_.size(); ++i) {
    if (notes_[i]->Id() == id) {
      TfrmNote* note = notes_[i];
      note->removeEventFilter(this);
      disconnect(note, nullptr, this, nullptr);
      disconnect(note->mem, nullptr, this, nullptr);
      notes_.erase(notes_.begin() + static_cast<std::ptrdiff_t>(i));
      delete lbNotes->takeItem(static_cast<int>(i));
      // As after any removal, no entry is selected.
      lbNotes->setCurrentRow(-1);
      break;
    }
  }
  lbNotesClick();
}

void TNotesList::UpdateNoteConfig(const TfrmNote& note) {
  if (!collection_) return;
  if (TNoteConfig* record = collection_->GetConfig(note.Id())) note.FillConfig(*record);
}

TNoteBox TNotesList::NoteBoxAt(int index) const {
  const TfrmNote& n = At(index);
  const QRect g = n.geometry();
  return {n.Id(), g.x(), g.y(), g.width(), g.height()};
}

void TNotesList::MoveMinimizedGroup(int dx, int dy, int32_t id) {
  for (TfrmNote* note : notes_) {
    if (!note->Minimized() || note->Id() == id) continue;
    const QRect g = note->geometry();
    note->setGeometry(g.x() + dx, g.y() + dy, g.width(), g.height());
  }
}

void TNotesList::BringAllNotesToFront() {
  for (TfrmNote* note : notes_) {
    note->raise();
    note->activateWindow();
  }
}

void TNotesList::DeleteNote(TfrmNote& note) {
  if (!dialogs_ || !dialogs_->Confirm("Are you sure you want to delete this Quib-Note?")) return;
  if (note.Modified()) note.SaveText();
  UpdateNoteConfig(note);
  const int32_t id = note.Id();
  RemoveNoteFromList(id);
  // A failed rename is not reported: the window goes and the file keeps its name.
  if (FileExists(NoteTextPath(id))) RenameFile(NoteTextPath(id), DeletedNoteTextPath(id));
  note.CloseForDelete();
}

int TNotesList::SelectedIndex() const {
  const int row = lbNotes->currentRow();
  return (row >= 0 && row < Count() && lbNotes->item(row)->isSelected()) ? row : -1;
}

void TNotesList::Select(int index) {
  lbNotes->setCurrentRow(index);
  lbNotesClick();
}

void TNotesList::RepaintList() {
  lbNotes->viewport()->update();
}

void TNotesList::lbNotesClick() {
  const int index = SelectedIndex();
  if (index < 0) {
    lblPos->setText("...");
    lblSize->setText("...");
    memNote->clear();
    memNote->setPalette(QPalette());
    btnUpdateText->setEnabled(false);
    return;
  }
  const TfrmNote& note = At(index);
  lbNotes->item(index)->setText(QString::fromLocal8Bit(Caption(note).c_str()));
  lblPos->setText(QString("%1, %2").arg(note.x()).arg(note.y()));
  const QSize full = note.FullSize();
  lblSize->setText(QString("%1 x %2 pixels").arg(full.width()).arg(full.height()));
  if (!note.Chat()) {
    memNote->setPlainText(joinLines(note.Lines()));
    QPalette pal = memNote->palette();
    pal.setColor(QPalette::Base, ToQColor(note.NoteColor()));
    pal.setColor(QPalette::Text, ToQColor(note.TextFont().Color));
    memNote->setPalette(pal);
    memNote->setFont(qfont(note.TextFont()));
    memNote->setReadOnly(note.ReadOnly());
  }
  btnUpdateText->setEnabled(!memNote->isReadOnly());
}

void TNotesList::btnUpdateTextClick() {
  const int index = SelectedIndex();
  if (index < 0) return;
  At(index).SetLines(SplitTextLines(memNote->toPlainText().toLocal8Bit().toStdString()));
}

void TNotesList::lbNotesMouseDown(const QPoint& pos) {
  QListWidgetItem* item = lbNotes->itemAt(pos);
  if (!item) return;
  lbNotes->setFocus();
  const int row = lbNotes->row(item);
  lbNotes->setCurrentRow(row);
  item->setSelected(true);
  const TfrmNote& note = At(row);
  ppmSendOverNetwork->setEnabled(!note.Chat());
  ppmDelete->setText(note.Chat() ? "&Delete this Quib-Chat" : "&Delete this Quib-Note");
}

bool TNotesList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbNotes->viewport()) {
    if (event->type() == QEvent::MouseButtonPress) {
      auto* e = static_cast<QMouseEvent*>(event);
      if (e->button() == Qt::RightButton) lbNotesMouseDown(e->position().toPoint());
    }
    return false;
  }
  switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
      emit NoteChanged();
      break;
    default:
      break;
  }
  return false;
}
