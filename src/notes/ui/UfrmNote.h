// One note on the desktop: a frameless tool window with a painted title strip, a flat text
// area and a size grip. It holds the note's live state, is dragged and sized through the
// snapping, collapses to a small box, and moves its state to and from the note's record and
// its text to and from the note's text file.
#pragma once

#include <QPoint>
#include <QSize>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "graphics/UColorTypes.h"
#include "platform/Dialogs.h"
#include "store/UTextEncoding.h"

class QMimeData;
class QMouseEvent;
class QPainter;
class QPlainTextEdit;
class TNoteConfig;
class TNoteHost;
class TNotePaintBox;
class TNotePopupMenu;

class TfrmNote : public QWidget {
  Q_OBJECT

 public:
  // Made hidden; the host must outlive the window. Reads bWinXPShadow once, here.
  explicit TfrmNote(TNoteHost& host);
  ~TfrmNote() override;

  int32_t Id() const { return id_; }
  void SetId(int32_t id) { id_ = id; }
  bool Minimized() const { return minimized_; }
  bool OnTop() const { return onTop_; }
  bool SystemNote() const { return systemNote_; }
  void SetSystemNote(bool value) { systemNote_ = value; }
  bool Chat() const { return chat_; }
  void SetChat(bool value) { chat_ = value; }
  int SavedWidth() const { return savedWidth_; }
  int SavedHeight() const { return savedHeight_; }
  int DownX() const { return downX_; }
  int DownY() const { return downY_; }
  bool Moving() const { return moving_; }
  bool Sizing() const { return sizing_; }
  TColor NoteColor() const { return noteColor_; }
  TColor FrameColor() const { return frameColor_; }
  TColor ShadowColor() const { return shadowColor_; }
  TColor HighlightColor() const { return highlightColor_; }
  // Whether the desktop draws a shadow under this note: only where it draws them at all, and
  // only when the setting asked for one when the window was made. Asked of the desktop when
  // wanted, not while the note is made: the question waits for the X server.
  bool DropShadow() const;
  // Built while the settings asked for no shadow.
  bool ShadowSuppressed() const { return shadowSuppressed_; }
  // The strip's tooltip while minimized: the first line of the text when the note collapsed.
  const std::string& StripHint() const { return hint_; }

  // The text as lines of UTF-8 text; an empty last line of the text area is no line.
  std::vector<std::string> Lines() const;
  // Replaces the text; like typing, this marks the note modified.
  void SetLines(const std::vector<std::string>& lines);
  // The same as one edit the user can undo (Ctrl+Z), for an import or a drop.
  void ReplaceLines(const std::vector<std::string>& lines);
  // The encoding the text file was read in, and is written back in while every character fits.
  TTextEncoding TextEncoding() const { return encoding_; }
  bool Modified() const { return modified_; }
  void SetModified(bool value) { modified_ = value; }
  bool ReadOnly() const;
  // Also sets the check mark of "&Read Only" and repaints the strip (the title's " *").
  void SetReadOnly(bool value);
  const TFontSpec& TextFont() const { return font_; }
  void SetTextFont(const TFontSpec& font);

  // The note colour and the frame colours made from it. Callers repaint strip and grip.
  void SetNoteColor(TColor color);
  // The note colour from the wallpaper under the note's top-left corner, brightened.
  void ColorFromWallpaper();
  void Minimize();
  void Maximize();
  void ToggleMinimized();
  // The size when not minimized.
  QSize FullSize() const;
  void SetOnTop(bool flag);
  // The note's text file: LoadText reads it when it exists; SaveText replaces it whole
  // (crash-safe) in the note's encoding. Both clear the modified flag.
  void LoadText();
  void SaveText();
  void ApplyConfig(const TNoteConfig& record);
  void FillConfig(TNoteConfig& record) const;
  // Shows the note at shown while its record keeps the place the window has now, until the note
  // is moved again: a place that lies off every monitor of this computer, in a record another
  // computer wrote. A move by the window system alone keeps the record's place.
  void ShowAwayFromRecord(const QPoint& shown);
  bool ShownAwayFromRecord() const { return recordPlace_ && pos() == shownPlace_; }
  // A new record with the defaults, filled from the window; the caller owns it.
  std::unique_ptr<TNoteConfig> CreateConfig() const;
  void RepaintStrip();
  void RepaintGrip();
  // For the delete command, which does its own bookkeeping: closes the window. A close asked for
  // by the user collapses the note instead, so it is never out of reach.
  void CloseForDelete();
  // The window active with the caret in the text (in the strip's keys while minimized): after a
  // press on the strip or the grip.
  void TakeKeyboard();
  // A note the user asked for (new, undeleted, found, picked in the list): shown, in front and
  // with the keyboard.
  void Activate();

  // The popup menu of the title strip, made when first needed: most notes never open theirs.
  TNotePopupMenu& Menu();
  bool HasMenu() const { return menu_ != nullptr; }

  // The note's commands (UfrmNoteCommands.cpp), run by its menu, its keys and dropped files.
  void pmControlPanelClick();
  void pmBackgroundColorClick();
  void pmNewRandomColorClick();
  void pmFontClick();
  void pmFontColorClick();
  void pmNewRandomFontColorClick();
  void pmImportTextFileClick();
  void pmExportTextFileClick();
  void pmNewQuibNoteClick();
  // "&Delete this Quib-Note": after a Yes, the text is saved, the record refreshed, the note
  // leaves the list of open notes, its text file takes the deleted name and the window closes.
  // Also run by the control panel's list of notes.
  void pmDeleteClick();
  void pmReadOnlyClick();
  void pmOnTopClick();
  void pmExitApplicationClick();
  // The boxes and dialogs of the note's commands, which make the note their owner.
  Dialogs& NoteDialogs();
  // The function keys; true when the key ran a command.
  bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
  // Files dropped on the note: the first one's lines replace the text.
  void FormDropFiles(const std::vector<std::string>& paths);

  // The parts of the window, owned by it through Qt's parent ownership.
  TNotePaintBox* pb = nullptr;
  QPlainTextEdit* mem = nullptr;
  QWidget* pnlSize = nullptr;
  TNotePaintBox* pbSize = nullptr;

  static constexpr int StripHeight = 16;
  static constexpr int MinimizedSize = 17;
  static constexpr int GripSize = 12;

 signals:
  // Something the note's record or text file holds changed: text, place, size, colours, font,
  // minimized, read only or on top. The autosave follows it.
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void PopupMenu(const QPoint& at);
  // The text of a file for the import and the drop: false and why when it cannot be read.
  static bool ReadTextFile(const std::string& path, std::vector<std::string>& lines, std::string& error);
  void ShowError(const std::string& message);
  // Dropped files: the local files of a drag, in order; none for anything else.
  static std::vector<std::string> DroppedFiles(const QMimeData* data);
  bool FileDragEvent(QEvent* event);
  void ApplyWindowState();
  void VerifyPlacement();
  void LayoutParts();
  void ShowHint();
  void HideHint();
  void pbPaint(QPainter& painter);
  void BeginDrag(const QWidget& control, const QMouseEvent& e);
  void pbMouseDown(QMouseEvent& e);
  void pbMouseMove(QMouseEvent& e);
  void pbMouseUp(QMouseEvent& e);
  void pbDblClick(QMouseEvent& e);
  void pbSizePaint(QPainter& painter);
  void pbSizeMouseDown(QMouseEvent& e);
  void pbSizeMouseMove(QMouseEvent& e);
  void pbSizeMouseUp(QMouseEvent& e);

  TNoteHost& host_;
  int32_t id_ = 0;
  bool minimized_ = false;
  bool onTop_ = false;
  bool systemNote_ = false;
  bool chat_ = false;
  int savedWidth_ = 0;
  int savedHeight_ = 0;
  int downX_ = 0;
  int downY_ = 0;
  bool moving_ = false;
  bool sizing_ = false;
  bool clickPending_ = false;  // a left press on the strip that may end as a click
  TColor noteColor_ = clDefaultNoteColor;
  TColor frameColor_ = clBlack;
  TColor shadowColor_ = clBlack;
  TColor highlightColor_ = clBlack;
  TFontSpec font_;
  bool modified_ = false;
  TTextEncoding encoding_ = TTextEncoding::Utf8;
  bool shadowSuppressed_ = false;
  bool closingForDelete_ = false;
  std::string hint_;
  TNotePopupMenu* menu_ = nullptr;
  // The record's place while the note is shown at shownPlace_ instead (ShowAwayFromRecord).
  std::optional<QPoint> recordPlace_;
  QPoint shownPlace_;
};
