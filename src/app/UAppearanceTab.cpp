#include "app/UAppearanceTab.h"

#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStyle>
#include <algorithm>

#include "app/UNotesTab.h"
#include "notes/ui/UNoteParts.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/QtCanvas.h"

namespace {
// The tab was designed in pixels for an 8-point font whose group captions take 13 pixels. The
// controls keep those places and sizes; with a larger font they move down by the extra height of
// the group titles and widen to their captions, so that no caption is cut off.
constexpr int kDesignCaption = 13;
constexpr int kTopHeight = 49;
constexpr int kMargin = 8;
constexpr int kRowHeight = 25;
constexpr int kBarTop = 18;
constexpr int kBarHeight = 37;
constexpr int kRightButtonWidth = 111;
constexpr int kRightGap = 6;  // between the right-hand buttons and the group's right edge
constexpr int kLabelWidth = 225;
constexpr int kLabelHeight = 29;

QPushButton* button(const char* name, const char* caption, QWidget* parent) {
  auto* b = new QPushButton(QString::fromLatin1(caption), parent);
  b->setObjectName(QString::fromLatin1(name));
  return b;
}

// The design width, or more when the caption needs it (without the style's minimum button width,
// which would widen "Darker" for nothing).
int fitWidth(const QPushButton* b, int design) {
  const QStyle* style = b->style();
  const int frame = style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, b) +
                    style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, b);
  return std::max(design, b->fontMetrics().horizontalAdvance(b->text()) + 2 * frame);
}

// How much further down the style puts a group's contents than the design did.
int titleShift(const QGroupBox* group) {
  return std::max(0, group->contentsMargins().top() - kDesignCaption);
}
}  // namespace

TAppearanceTab::TAppearanceTab(TNotesList& notes, TNotesTab& notesTab, Dialogs& dialogs, TRandom& random,
                               QWidget* parent)
    : QWidget(parent), notes_(notes), notesTab_(notesTab), dialogs_(dialogs), random_(random) {
  gpTop = new QGroupBox(" Colors ", this);
  gpTop->setObjectName("gpTop");
  btnDesktopWallpaper = button("btnDesktopWallpaper", "Closest Color to Desktop Wallpaper", gpTop);
  btnDarker = button("btnDarker", "Darker", gpTop);
  btnBrighter = button("btnBrighter", "Brighter", gpTop);

  gpGradients = new QGroupBox(" Gradients ", this);
  gpGradients->setObjectName("gpGradients");
  pnlGradient = new QFrame(gpGradients);
  pnlGradient->setObjectName("pnlGradient");
  pnlGradient->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  pnlGradient->setLineWidth(1);
  pbGradient = new TNotePaintBox(pnlGradient);
  pbGradient->setObjectName("pbGradient");
  // A click on the bar counts as entering the tab, before the pick: otherwise the first button
  // pressed after picking would enter it and put the notes' colours over the picked ones.
  pbGradient->setFocusPolicy(Qt::ClickFocus);
  pbGradient->setCursor(Qt::PointingHandCursor);
  pbGradient->OnPaint = [this](QPainter& painter) {
    const std::vector<TColor> columns = GradientBarColors(gradient_, pbGradient->width());
    const int height = pbGradient->height();
    for (int x = 0; x < static_cast<int>(columns.size()); ++x)
      painter.fillRect(x, 0, 1, height, ToQColor(columns[static_cast<size_t>(x)]));
  };
  pbGradient->OnMouseUp = [this](QMouseEvent& e) {
    if (pbGradient->rect().contains(e.position().toPoint())) pbGradientMouseUp(e.position().toPoint().x());
  };
  btnApplyGradient = button("btnApplyGradient", "Apply Gradient Color to All Notes", gpGradients);
  btnRandomizeColors = button("btnRandomizeColors", "Random Gradient", gpGradients);
  btnGradientFromNotes = button("btnGradientFromNotes", "Gradient from Notes", gpGradients);
  Label7 = new QLabel(
      "Click on the Gradient to select colors, then click the Apply button to paint all notes.", gpGradients);
  Label7->setObjectName("Label7");
  Label7->setWordWrap(true);
  Label7->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  connect(btnDesktopWallpaper, &QPushButton::clicked, this, &TAppearanceTab::btnDesktopWallpaperClick);
  connect(btnDarker, &QPushButton::clicked, this, &TAppearanceTab::btnDarkerClick);
  connect(btnBrighter, &QPushButton::clicked, this, &TAppearanceTab::btnBrighterClick);
  connect(btnApplyGradient, &QPushButton::clicked, this, &TAppearanceTab::btnApplyGradientClick);
  connect(btnRandomizeColors, &QPushButton::clicked, this, &TAppearanceTab::btnRandomizeColorsClick);
  connect(btnGradientFromNotes, &QPushButton::clicked, this, &TAppearanceTab::btnGradientFromNotesClick);
  connect(qApp, &QApplication::focusChanged, this, &TAppearanceTab::FocusChanged);
  Measure();
  tabAppearanceResize();
}

TAppearanceTab::~TAppearanceTab() = default;

// ---- the gradient's ends --------------------------------------------------------------------

std::vector<TColor> TAppearanceTab::NoteColors() const {
  std::vector<TColor> colors;
  colors.reserve(static_cast<size_t>(notes_.Count()));
  for (const TfrmNote* note : notes_.Notes()) colors.push_back(note->NoteColor());
  return colors;
}

void TAppearanceTab::SetGradient(const TGradient& gradient) {
  gradient_ = gradient;
  pbGradient->update();
}

void TAppearanceTab::EntryStep() {
  SetGradient(GradientOnEntry(NoteColors(), RandomColors(random_)));
}

void TAppearanceTab::PanelShown() {
  if (panelShown_) return;
  panelShown_ = true;
  EntryStep();
}

void TAppearanceTab::FocusChanged(QWidget* /*old*/, QWidget* now) {
  // Only a move between the panel's own controls counts: the focus coming back when the panel
  // is activated again (after the colour dialog, from a note, from the tray) finds the state it
  // left, and the menu bar, which holds the keys only while a menu is chosen, is no control.
  if (!now || now->window() != window() || qobject_cast<QMenuBar*>(now)) return;
  const bool inside = now == this || isAncestorOf(now);
  if (inside == focusInTab_) return;
  focusInTab_ = inside;
  if (inside) EntryStep();
}

void TAppearanceTab::btnRandomizeColorsClick() {
  SetGradient(RandomGradient(RandomColors(random_)));
}

void TAppearanceTab::btnGradientFromNotesClick() {
  SetGradient(GradientFromNotes(NoteColors(), gradient_));
}

void TAppearanceTab::pbGradientMouseUp(int x) {
  const TGradientEnd end = GradientEndAt(x, pbGradient->width());
  TColor color = end == TGradientEnd::Left ? gradient_.Left : gradient_.Right;
  if (!dialogs_.ChooseColor(color)) return;
  TGradient picked = gradient_;
  (end == TGradientEnd::Left ? picked.Left : picked.Right) = color;
  SetGradient(picked);
}

// ---- colouring the notes ----------------------------------------------------------------------
// Each note goes through SetNoteColor, which tells the notes list of the change, so the autosave
// writes the new colours a few seconds later.

void TAppearanceTab::NotesRecoloured(bool refreshDetails) {
  notesTab_.RepaintList();
  if (refreshDetails) notesTab_.lbNotesClick();
}

void TAppearanceTab::btnApplyGradientClick() {
  const std::vector<TfrmNote*> notes = notes_.Notes();
  if (notes.empty()) return;
  const std::vector<TColor> colors = GradientNoteColors(gradient_, static_cast<int>(notes.size()));
  for (size_t i = 0; i < notes.size(); ++i) {
    notes[i]->SetNoteColor(colors[i]);
    notes[i]->RepaintStrip();
    notes[i]->RepaintGrip();
  }
  NotesRecoloured(true);
}

void TAppearanceTab::ShiftAll(int delta) {
  const std::vector<TfrmNote*> notes = notes_.Notes();
  const std::vector<TColor> colors = ShiftedColors(NoteColors(), delta);
  for (size_t i = 0; i < notes.size(); ++i) {
    notes[i]->SetNoteColor(colors[i]);
    notes[i]->RepaintStrip();
    notes[i]->RepaintGrip();
  }
  NotesRecoloured(false);
}

void TAppearanceTab::btnDarkerClick() {
  ShiftAll(DarkerDelta);
}

void TAppearanceTab::btnBrighterClick() {
  ShiftAll(BrighterDelta);
}

void TAppearanceTab::btnDesktopWallpaperClick() {
  const std::vector<TfrmNote*> notes = notes_.Notes();
  // Every note samples the desktop before any strip is repainted.
  for (TfrmNote* note : notes) note->ColorFromWallpaper();
  for (TfrmNote* note : notes) {
    note->RepaintStrip();
    note->RepaintGrip();
  }
  NotesRecoloured(false);
}

// ---- layout ---------------------------------------------------------------------------------

void TAppearanceTab::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  tabAppearanceResize();
}

void TAppearanceTab::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    Measure();
    tabAppearanceResize();
  }
}

void TAppearanceTab::Measure() {
  TLayout& m = layout_;
  m.Row = kRowHeight;
  for (const QPushButton* b : findChildren<QPushButton*>()) m.Row = std::max(m.Row, b->sizeHint().height());
  m.TopShift = titleShift(gpTop);
  m.GradientShift = titleShift(gpGradients);
  m.Wallpaper = fitWidth(btnDesktopWallpaper, 193);
  m.Darker = fitWidth(btnDarker, 75);
  m.Brighter = fitWidth(btnBrighter, 75);
  m.Apply = fitWidth(btnApplyGradient, 185);
  m.Right = std::max(fitWidth(btnRandomizeColors, kRightButtonWidth),
                     fitWidth(btnGradientFromNotes, kRightButtonWidth));
  m.Label = std::max(kLabelHeight, Label7->heightForWidth(kLabelWidth));
  // Room for every control without overlaps: the panel cannot be made narrower than that.
  const int colorsRow = kMargin + m.Wallpaper + 7 + m.Darker + 5 + m.Brighter + kRightGap;
  const int applyRow = kMargin + m.Apply + 19 + m.Right + kRightGap;
  const int labelRow = kMargin + kLabelWidth + 19 + m.Right + kRightGap;
  const int top = kTopHeight + m.TopShift + (m.Row - kRowHeight);
  const int bottom =
      kBarTop + m.GradientShift + kBarHeight + 5 + m.Row + 3 + std::max(m.Row, 4 + m.Label) + kMargin;
  setMinimumSize(std::max({colorsRow, applyRow, labelRow}), top + bottom);
}

void TAppearanceTab::tabAppearanceResize() {
  const TLayout& m = layout_;
  const int w = width();
  const int top = kTopHeight + m.TopShift + (m.Row - kRowHeight);
  gpTop->setGeometry(0, 0, w, top);
  const int colorsY = 16 + m.TopShift;
  btnDesktopWallpaper->setGeometry(kMargin, colorsY, m.Wallpaper, m.Row);
  btnDarker->setGeometry(btnDesktopWallpaper->geometry().right() + 1 + 7, colorsY, m.Darker, m.Row);
  btnBrighter->setGeometry(btnDarker->geometry().right() + 1 + 5, colorsY, m.Brighter, m.Row);

  gpGradients->setGeometry(0, top, w, std::max(0, height() - top));
  const int barY = kBarTop + m.GradientShift;
  pnlGradient->setGeometry(kMargin, barY, std::max(0, w - 2 * kMargin), kBarHeight);
  pbGradient->setGeometry(pnlGradient->contentsRect());
  const int row1 = barY + kBarHeight + 5;
  const int row2 = row1 + m.Row + 3;
  const int right = gpGradients->width() - kRightGap - m.Right;
  btnApplyGradient->setGeometry(kMargin, row1, m.Apply, m.Row);
  btnRandomizeColors->setGeometry(right, row1, m.Right, m.Row);
  btnGradientFromNotes->setGeometry(right, row2, m.Right, m.Row);
  Label7->setGeometry(kMargin, row2 + 4, kLabelWidth, m.Label);
}
