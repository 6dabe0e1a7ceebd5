#include "notes/ui/UfrmNote.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QMoveEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QShowEvent>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QWindow>

#include "graphics/UGraphics.h"
#include "graphics/brColorUtil.h"
#include "notes/UNoteKeys.h"
#include "notes/UNoteTitle.h"
#include "notes/ui/UNoteHost.h"
#include "notes/ui/UNoteMenu.h"
#include "notes/ui/UNoteParts.h"
#include "notes/ui/UNoteText.h"
#include "platform/Desktop.h"
#include "platform/QtCanvas.h"
#include "platform/QtFonts.h"
#include "platform/TPlatform.h"
#include "platform/X11WindowState.h"
#include "store/USettingsKeys.h"
#include "store/UTNoteConfig.h"
#include "store/brRegVal.h"

namespace {

QFont WindowFont() {
  // The program's classic dialog font; where it is not installed, a sans font of the same size.
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

}  // namespace

TfrmNote::TfrmNote(TNoteHost& host) : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint), host_(host) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFont(WindowFont());
  setAutoFillBackground(true);
  resize(119, 107);

  const bool wantShadow = host_.Settings().GetBoolean(setting::bWinXPShadow);
  if (!wantShadow) {
    // Asked for no shadow: also tell a compositor that may start later.
    shadowSuppressed_ = true;
    setWindowFlag(Qt::NoDropShadowWindowHint, true);
  }

  pb = new TNotePaintBox(this);
  pb->OnPaint = [this](QPainter& p) { pbPaint(p); };
  pb->OnMouseDown = [this](QMouseEvent& e) { pbMouseDown(e); };
  pb->OnMouseMove = [this](QMouseEvent& e) { pbMouseMove(e); };
  pb->OnMouseUp = [this](QMouseEvent& e) { pbMouseUp(e); };
  pb->OnDblClick = [this](QMouseEvent& e) { pbDblClick(e); };
  pb->OnContextMenu = [this](QContextMenuEvent& e) { PopupMenu(e.globalPos()); };

  mem = new TNoteMemo(this);
  mem->setFrameShape(QFrame::NoFrame);
  mem->setFocusPolicy(Qt::ClickFocus);  // no tab stop
  mem->setTabChangesFocus(false);       // Tab types a tab
  mem->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  mem->document()->setDocumentMargin(2);
  connect(mem, &QPlainTextEdit::textChanged, this, [this] {
    modified_ = true;
    emit Changed();
  });

  pnlSize = new QWidget(this);
  pnlSize->resize(GripSize, GripSize);
  pbSize = new TNotePaintBox(pnlSize);
  pbSize->setGeometry(0, 0, GripSize, GripSize);
  pbSize->setCursor(Qt::SizeFDiagCursor);
  pbSize->OnPaint = [this](QPainter& p) { pbSizePaint(p); };
  pbSize->OnMouseDown = [this](QMouseEvent& e) { pbSizeMouseDown(e); };
  pbSize->OnMouseMove = [this](QMouseEvent& e) { pbSizeMouseMove(e); };
  pbSize->OnMouseUp = [this](QMouseEvent& e) { pbSizeMouseUp(e); };
  // A quick second press is a press like the first.
  pbSize->OnDblClick = [this](QMouseEvent& e) { pbSizeMouseDown(e); };

  SetTextFont(font_);
  SetNoteColor(clDefaultNoteColor);
  mem->installEventFilter(this);
  mem->viewport()->installEventFilter(this);
  installEventFilter(this);
  setAcceptDrops(true);
  setFocusProxy(mem);
  // The text area is the window's focus widget from the start: whenever the window becomes
  // active, by a click on the strip or by the window manager, the keys go into the text.
  mem->setFocus();
  LayoutParts();
  modified_ = false;
}

TfrmNote::~TfrmNote() = default;

bool TfrmNote::DropShadow() const {
  return !shadowSuppressed_ && host_.Platform().desktop && host_.Platform().desktop->DrawsWindowShadows();
}

// ---- text ---------------------------------------------------------------------------------

std::vector<std::string> TfrmNote::Lines() const {
  return DocumentLines(*mem->document());
}

void TfrmNote::SetLines(const std::vector<std::string>& lines) {
  const std::string text = TextAreaText(lines);
  // An empty text into an empty window changes nothing (a new note from the keyboard).
  if (!text.empty() || !mem->document()->isEmpty())
    mem->setPlainText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  modified_ = true;
}

void TfrmNote::ReplaceLines(const std::vector<std::string>& lines) {
  // Through a cursor rather than setPlainText, which would clear the undo history.
  const std::string text = TextAreaText(lines);
  QTextCursor cursor(mem->document());
  cursor.beginEditBlock();
  cursor.select(QTextCursor::Document);
  cursor.insertText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
  cursor.endEditBlock();
  mem->setTextCursor(cursor);
  modified_ = true;
}

bool TfrmNote::ReadOnly() const {
  return mem->isReadOnly();
}

void TfrmNote::SetReadOnly(bool value) {
  mem->setReadOnly(value);
  if (menu_) menu_->ShowNoteState(*this);
  RepaintStrip();
  emit Changed();
}

void TfrmNote::SetTextFont(const TFontSpec& font) {
  font_ = font;
  const QFont f = ToQFont(font);
  mem->setFont(f);
  // Tab stops every eight average characters, as in the classic edit controls, rather than Qt's
  // fixed 80 pixels.
  mem->setTabStopDistance(QFontMetricsF(f).averageCharWidth() * 8);
  QPalette pal = mem->palette();
  pal.setColor(QPalette::Text, ToQColor(font.Color));
  mem->setPalette(pal);
  emit Changed();
}

void TfrmNote::LoadText() {
  const std::optional<TTextFile> file = host_.ReadNoteText(id_);
  if (!file) return;
  SetLines(file->Lines);
  encoding_ = file->Encoding;
  modified_ = false;
}

void TfrmNote::SaveText() {
  encoding_ = host_.WriteNoteText(id_, Lines(), encoding_);
  modified_ = false;
}

// ---- colours ------------------------------------------------------------------------------

void TfrmNote::SetNoteColor(TColor color) {
  noteColor_ = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, ToQColor(color));
  setPalette(pal);
  QPalette memPal = mem->palette();
  memPal.setColor(QPalette::Base, ToQColor(color));
  memPal.setColor(QPalette::Window, ToQColor(color));
  mem->setPalette(memPal);
  frameColor_ = AdjustBrightness(color, -50);
  shadowColor_ = AdjustBrightness(frameColor_, -40);
  highlightColor_ = AdjustBrightness(frameColor_, 40);
  emit Changed();
}

void TfrmNote::ColorFromWallpaper() {
  const Desktop* desktop = host_.Platform().desktop;
  if (!desktop) return;
  const TPixelBlock block = desktop->WallpaperBlock(x(), y(), MinimizedSize, pb->height());
  SetNoteColor(AdjustBrightness(AverageColor(AsPixelSource(block)), 40));
}

// ---- minimized state ----------------------------------------------------------------------

void TfrmNote::ShowHint() {
  const std::vector<std::string> lines = Lines();
  hint_ = lines.empty() ? std::string() : lines.front();
  // As plain text: a first line that looks like markup must not be rendered as such.
  const QString text = QString::fromLocal8Bit(hint_.data(), static_cast<qsizetype>(hint_.size()));
  pb->setToolTip(text.isEmpty() ? QString() : Qt::convertFromPlainText(text, Qt::WhiteSpaceNormal));
}

void TfrmNote::HideHint() {
  hint_.clear();
  pb->setToolTip(QString());
}

void TfrmNote::Minimize() {
  if (minimized_) return;
  ShowHint();
  mem->hide();
  pnlSize->hide();
  savedWidth_ = width();
  savedHeight_ = height();
  minimized_ = true;
  resize(MinimizedSize, MinimizedSize);
  LayoutParts();
  RepaintStrip();
  emit Changed();
}

void TfrmNote::Maximize() {
  if (!minimized_) return;
  HideHint();
  minimized_ = false;
  resize(savedWidth_, savedHeight_);
  mem->show();
  pnlSize->show();
  // Hidden, the text area lost its place as the focus widget of an active window.
  mem->setFocus();
  LayoutParts();
  RepaintStrip();
  emit Changed();
}

void TfrmNote::ToggleMinimized() {
  if (minimized_)
    Maximize();
  else
    Minimize();
}

QSize TfrmNote::FullSize() const {
  return minimized_ ? QSize(savedWidth_, savedHeight_) : size();
}

// ---- stay on top --------------------------------------------------------------------------

void TfrmNote::SetOnTop(bool flag) {
  if (onTop_ != flag) {
    onTop_ = flag;
    emit Changed();
  }
  if (menu_) menu_->ShowNoteState(*this);
  if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == flag) return;
  const Qt::WindowFlags flags = windowFlags() ^ Qt::WindowStaysOnTopHint;
  if (QWindow* window = windowHandle()) {
    // Told to the window that is there: setWindowFlags would make a new one, which comes back
    // hidden, without the keyboard focus and no longer the active window.
    overrideWindowFlags(flags);
    window->setFlags(flags);
  } else {
    setWindowFlags(flags);
  }
}

// ---- record -------------------------------------------------------------------------------

void TfrmNote::ApplyConfig(const TNoteConfig& record) {
  id_ = record.Id;
  recordPlace_.reset();
  move(record.Left, record.Top);
  savedWidth_ = record.Width;
  savedHeight_ = record.Height;
  systemNote_ = record.SystemNote;
  chat_ = record.Chat;
  mem->setReadOnly(record.ReadOnly);
  // Also when false, so that a record applied to a window already on top takes it down.
  SetOnTop(record.OnTop);
  SetNoteColor(record.Color);
  TFontSpec font = font_;
  font.Name = record.FontName;
  font.Size = record.FontSize;
  font.Color = record.FontColor;
  SetTextFont(font);
  minimized_ = record.Minimized;
  if (minimized_) {
    ShowHint();
    mem->hide();
    pnlSize->hide();
    resize(MinimizedSize, MinimizedSize);
  } else {
    HideHint();
    resize(record.Width, record.Height);
    mem->show();
    pnlSize->show();
  }
  LayoutParts();
  RepaintStrip();
  RepaintGrip();
}

void TfrmNote::FillConfig(TNoteConfig& record) const {
  record.Id = id_;
  const QPoint place = ShownAwayFromRecord() ? *recordPlace_ : pos();
  record.Left = place.x();
  record.Top = place.y();
  const QSize full = FullSize();
  record.Width = full.width();
  record.Height = full.height();
  record.Minimized = minimized_;
  record.SystemNote = systemNote_;
  record.Chat = chat_;
  record.OnTop = onTop_;
  record.ReadOnly = mem->isReadOnly();
  record.Color = noteColor_;
  record.FontSize = font_.Size;
  record.FontColor = font_.Color;
  record.FontName = font_.Name;
}

void TfrmNote::ShowAwayFromRecord(const QPoint& shown) {
  recordPlace_ = pos();
  move(shown);
  shownPlace_ = pos();
}

std::unique_ptr<TNoteConfig> TfrmNote::CreateConfig() const {
  auto record = std::make_unique<TNoteConfig>(host_.Settings(), *host_.Platform().screens, host_.Random());
  FillConfig(*record);
  return record;
}

// ---- layout and painting ------------------------------------------------------------------

void TfrmNote::LayoutParts() {
  const int w = width(), h = height();
  const int strip = minimized_ ? MinimizedSize : StripHeight;
  pb->setGeometry(0, 0, w, strip);
  mem->setGeometry(0, StripHeight, w, h > StripHeight ? h - StripHeight : 0);
  pnlSize->move(w - GripSize, h - GripSize);
  pnlSize->raise();
}

void TfrmNote::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutParts();
  emit Changed();
}

void TfrmNote::RepaintStrip() {
  pb->update();
}

void TfrmNote::RepaintGrip() {
  pbSize->update();
}

void TfrmNote::pbPaint(QPainter& painter) {
  painter.setFont(font());
  TQtCanvas canvas(painter);
  if (minimized_) {
    DrawCollapsedBox(canvas, pb->width(), pb->height(), frameColor_, shadowColor_, highlightColor_);
    return;
  }
  // The template is read at every paint, so an edit of it shows at the next repaint.
  const std::string title = NoteTitle(host_.Options().Title, id_, systemNote_, mem->isReadOnly());
  DrawTitleStrip(canvas, pb->width(), pb->height(), title, frameColor_, shadowColor_, highlightColor_);
}

void TfrmNote::pbSizePaint(QPainter& painter) {
  if (minimized_) return;
  TQtCanvas canvas(painter);
  DrawSizeGrip(canvas, pbSize->width(), pbSize->height(), frameColor_, shadowColor_, highlightColor_);
}

// ---- window life --------------------------------------------------------------------------

void TfrmNote::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  LayoutParts();
  if (event->spontaneous()) return;
  // Still unmapped here: the window manager reads these when the window is mapped.
  ApplyWindowState();
}

void TfrmNote::ApplyWindowState() {
  SetSkipTaskbarAndPager(*this);
  SetOnAllDesktops(*this);
  if (shadowSuppressed_) SetNoCompositorShadow(*this);
}

void TfrmNote::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // The window manager settling a note shown away from its record's place is no move by the user.
  if (recordPlace_ && event->spontaneous() && !moving_ && event->oldPos() == shownPlace_)
    shownPlace_ = event->pos();
  emit Changed();
  // A window manager that places a frameless tool window where it asked to be may leave Qt
  // believing it lies at (0, 0) of its frame (seen with openbox), and the note would then save
  // a wrong place. A move reported by the window system is checked against the X server a
  // moment later, when the window manager has settled.
  if (event->spontaneous() && RunsOnX11()) QTimer::singleShot(100, this, [this] { VerifyPlacement(); });
}

void TfrmNote::VerifyPlacement() {
  if (moving_ || sizing_ || !isVisible()) return;
  const std::optional<QPoint> real = X11WindowPosition(*this);
  if (!real || *real == pos()) return;
  const bool away = ShownAwayFromRecord();
  move(*real);
  if (away) shownPlace_ = *real;
}

void TfrmNote::TakeKeyboard() {
  if (!minimized_) mem->setFocus(Qt::OtherFocusReason);
  activateWindow();
}

void TfrmNote::Activate() {
  show();
  raise();
  TakeKeyboard();
}

void TfrmNote::CloseForDelete() {
  closingForDelete_ = true;
  close();
}

void TfrmNote::closeEvent(QCloseEvent* event) {
  if (closingForDelete_ || host_.ClosingAll()) {
    event->accept();
    return;
  }
  // Closed by the user (Alt+F4, the window manager's close button): the note goes out of the
  // way as its collapsed box and stays on the desktop, in the list of open notes and in the
  // notes file; a double click brings it back. The window itself stays.
  event->ignore();
  // A failed save is reported by the caller's guard; the note stays as it was.
  if (modified_) SaveText();
  Minimize();
}
