#include "app/UNotesTab.h"

#include <QAction>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
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

#include "graphics/UCanvas.h"
#include "notes/ui/UNoteText.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"
#include "store/UFileUtil.h"

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

// Each entry painted in its note's colours. The selected entry is marked with a focus rectangle
// in the entry's font colour, drawn here and always: the style draws its own only after keyboard
// navigation and only while the list has the focus, which would leave the entry the popup's
// commands act on unmarked.
class TNoteEntryDelegate : public QStyledItemDelegate {
 public:
  TNoteEntryDelegate(TNotesList& notes, QObject* parent) : QStyledItemDelegate(parent), notes_(notes) {}

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    const int row = index.row();
    if (row < 0 || row >= notes_.Count()) {
      QStyledItemDelegate::paint(painter, option, index);
      return;
    }
    const TfrmNote& note = notes_.At(row);
    const QColor fontColor = ToQColor(note.TextFont().Color);
    painter->save();
    painter->fillRect(option.rect, ToQColor(note.NoteColor()));
    painter->setPen(fontColor);
    painter->setFont(option.font);
    const QRect text = option.rect.adjusted(2, 0, 0, 0);
    painter->drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                      QString::fromLocal8Bit(TNotesList::Caption(note).c_str()));
    if (option.state & QStyle::State_Selected) {
      const QRect& r = option.rect;
      for (const auto& [x, y] : FocusRectPixels(r.left(), r.top(), r.right() + 1, r.bottom() + 1))
        painter->fillRect(x, y, 1, 1, fontColor);
    }
    painter->restore();
  }
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(QStyledItemDelegate::sizeHint(option, index).width(), 16);
  }

 private:
  TNotesList& notes_;
};
}  // namespace

TNotesTab::TNotesTab(TNotesList& notes, QWidget* parent) : QWidget(parent), notes_(notes) {
  setObjectName("pnlNotes");
  auto* layout = new QHBoxLayout(this);
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  lbNotes = new QListWidget(splitter);
  lbNotes->setObjectName("lbNotes");
  lbNotes->setItemDelegate(new TNoteEntryDelegate(notes_, lbNotes));
  lbNotes->setUniformItemSizes(true);
  lbNotes->setMinimumWidth(40);
  lbNotes->setContextMenuPolicy(Qt::CustomContextMenu);
  lbNotes->installEventFilter(this);
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

  for (TfrmNote* note : notes_.Notes()) NoteAdded(note);
  connect(&notes_, &TNotesList::NoteAdded, this, &TNotesTab::NoteAdded);
  connect(&notes_, &TNotesList::NoteRemoved, this, &TNotesTab::NoteRemoved);
  connect(lbNotes, &QListWidget::itemClicked, this, [this] { lbNotesClick(); });
  connect(lbNotes, &QListWidget::currentRowChanged, this, [this] { lbNotesClick(); });
  connect(lbNotes, &QListWidget::itemDoubleClicked, this, [this] { lbNotesDblClick(); });
  connect(lbNotes, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { ppmNotes->popup(lbNotes->viewport()->mapToGlobal(p)); });
  connect(btnUpdateText, &QPushButton::clicked, this, &TNotesTab::btnUpdateTextClick);
  connect(ppmMinimize, &QAction::triggered, this, [this] {
    if (TfrmNote* note = Selected()) note->Minimize();
  });
  connect(ppmMaximize, &QAction::triggered, this, [this] {
    if (TfrmNote* note = Selected()) note->Maximize();
  });
  connect(ppmDelete, &QAction::triggered, this, [this] {
    TfrmNote* note = Selected();
    if (!note) return;
    // Its confirmation gives the keyboard back to the panel, where the user is.
    const TDialogOwner owner(note->NoteDialogs(), window());
    note->pmDeleteClick();
  });
}

void TNotesTab::NoteAdded(TfrmNote* note) {
  lbNotes->addItem(QString::fromLocal8Bit(TNotesList::Caption(*note).c_str()));
}

void TNotesTab::NoteRemoved(int index) {
  delete lbNotes->takeItem(index);
  // As after any removal, no entry is selected.
  lbNotes->setCurrentRow(-1);
  lbNotesClick();
}

int TNotesTab::SelectedIndex() const {
  const int row = lbNotes->currentRow();
  return (row >= 0 && row < notes_.Count() && lbNotes->item(row)->isSelected()) ? row : -1;
}

TfrmNote* TNotesTab::Selected() const {
  const int index = SelectedIndex();
  return index < 0 ? nullptr : &notes_.At(index);
}

void TNotesTab::Select(int index) {
  lbNotes->setCurrentRow(index);
  lbNotesClick();
}

void TNotesTab::RepaintList() {
  lbNotes->viewport()->update();
}

void TNotesTab::lbNotesClick() {
  const int index = SelectedIndex();
  if (index < 0) {
    lblPos->setText("...");
    lblSize->setText("...");
    memNote->clear();
    memNote->setPalette(QPalette());
    btnUpdateText->setEnabled(false);
    return;
  }
  const TfrmNote& note = notes_.At(index);
  lbNotes->item(index)->setText(QString::fromLocal8Bit(TNotesList::Caption(note).c_str()));
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

void TNotesTab::lbNotesDblClick() {
  TfrmNote* note = Selected();
  if (!note) return;
  if (note->Minimized()) note->Maximize();
  // The caret goes with the window: the keys typed next land in the note's text.
  note->Activate();
}

void TNotesTab::btnUpdateTextClick() {
  if (TfrmNote* note = Selected()) note->SetLines(DocumentLines(*memNote->document()));
}

void TNotesTab::lbNotesMouseDown(const QPoint& pos) {
  QListWidgetItem* item = lbNotes->itemAt(pos);
  if (!item) return;
  lbNotes->setFocus();
  const int row = lbNotes->row(item);
  lbNotes->setCurrentRow(row);
  item->setSelected(true);
  const TfrmNote& note = notes_.At(row);
  ppmSendOverNetwork->setEnabled(!note.Chat());
  ppmDelete->setText(note.Chat() ? "&Delete this Quib-Chat" : "&Delete this Quib-Note");
}

bool TNotesTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lbNotes && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      lbNotesDblClick();
      return true;
    }
  }
  if (watched == lbNotes->viewport() && event->type() == QEvent::MouseButtonPress) {
    auto* e = static_cast<QMouseEvent*>(event);
    if (e->button() == Qt::RightButton) lbNotesMouseDown(e->position().toPoint());
  }
  return false;
}
