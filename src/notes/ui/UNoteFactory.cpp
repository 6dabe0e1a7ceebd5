#include "notes/ui/UNoteFactory.h"

#include <memory>

#include "graphics/brColorUtil.h"
#include "notes/UArrange.h"
#include "notes/UNoteIds.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UNoteStore.h"
#include "store/USettingsKeys.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "store/UTextEncoding.h"
#include "store/brRegVal.h"

namespace {

// True when no part of the box lies on any monitor.
bool OffEveryMonitor(const TNoteBox& box, const std::vector<TMonitor>& monitors) {
  for (const TMonitor& m : monitors) {
    const TRect& r = m.Bounds;
    if (box.Left < r.Right && box.Left + box.Width > r.Left && box.Top < r.Bottom &&
        box.Top + box.Height > r.Top)
      return false;
  }
  return true;
}

}  // namespace

void ShowOnScreen(TfrmNote& note, const Screens& screens, TRandom& random) {
  const QSize full = note.FullSize();
  const TNoteBox box{note.Id(), note.x(), note.y(), note.width(), note.height()};
  if (!OffEveryMonitor(box, screens.Monitors())) return;
  if (const auto target = LostNoteTarget(random, screens, box, full.width(), full.height()))
    note.ShowAwayFromRecord(QPoint(target->Left, target->Top));
}

TNoteFactory::TNoteFactory(TNoteHost& host, TNoteRegistry& registry, TNoteStore& store,
                           const TbrRegVal& settings, const Screens& screens, Dialogs& dialogs,
                           TRandom& random)
    : host_(host),
      registry_(registry),
      store_(store),
      settings_(settings),
      screens_(screens),
      dialogs_(dialogs),
      random_(random) {
  spareTimer_.setSingleShot(true);
  spareTimer_.setInterval(SpareDelayMs);
  QObject::connect(&spareTimer_, &QTimer::timeout, [this] { BuildSpare(); });
}

TNoteFactory::~TNoteFactory() = default;

void TNoteFactory::KeepSpareWindow(bool keep) {
  keepSpare_ = keep;
  if (keep) {
    spareTimer_.start();
  } else {
    spareTimer_.stop();
    spare_.reset();
  }
}

void TNoteFactory::BuildSpare() {
  if (!keepSpare_ || spare_) return;
  spare_ = std::make_unique<TfrmNote>(host_);
  spare_->setWindowTitle(QString());
  // Polished and with its window made, still unmapped: what is left for the new note is the
  // part of the work that depends on it.
  spare_->ensurePolished();
  spare_->winId();
}

std::unique_ptr<TfrmNote> TNoteFactory::TakeWindow() {
  std::unique_ptr<TfrmNote> note = std::move(spare_);
  if (keepSpare_) spareTimer_.start();
  // The shadow is chosen as the window is built: a spare from before the setting changed goes.
  if (note && note->ShadowSuppressed() == !settings_.GetBoolean(setting::bWinXPShadow)) return note;
  note = std::make_unique<TfrmNote>(host_);
  note->setWindowTitle(QString());
  return note;
}

TfrmNote* TNoteFactory::CreateNote(const std::string& text, int left, int top, int width, int height,
                                   bool quiet) {
  if (registry_.OpenNoteCount() >= MaxNotes) {
    dialogs_.ShowMessage("Cannot create more than " + std::to_string(MaxNotes) + " windows.");
    return nullptr;
  }
  // The id first: when none is left, no window has been made for nothing. An id whose live or
  // deleted text file exists already is passed over, so a new note never takes a stored text.
  const int32_t id = store_.NextFreeNoteId();
  std::unique_ptr<TfrmNote> note = TakeWindow();
  note->SetId(id);
  note->SetLines(SplitTextLines(text));
  const TNoteDefaults defaults = TNoteDefaults::FromSettings(settings_);
  note->SetNoteColor(defaults.RandomColor ? RandomColor(random_) : clDefaultNoteColor);
  note->setGeometry(left, top, width, height);
  TFontSpec font;
  font.Name = defaults.FontName;
  font.Size = defaults.FontSize;
  font.Color = defaults.FontColor;
  note->SetTextFont(font);
  note->setAttribute(Qt::WA_ShowWithoutActivating, quiet);
  note->show();
  TfrmNote& made = *note.release();  // the window deletes itself when it closes
  registry_.AddNoteToList(made);
  made.SaveText();
  return &made;
}

TfrmNote* TNoteFactory::CreateRandomNote(const std::string& text, bool quiet) {
  // Left before top, in this order: both draw from the one random source.
  const int left = RandomLeft(random_, screens_, 128);
  const int top = RandomTop(random_, screens_, 128);
  return CreateNote(text, left, top, 128, 128, quiet);
}

TfrmNote* TNoteFactory::CreateCenteredNote(const std::string& text, int width, int height) {
  return CreateNote(text, (screens_.PrimaryWidth() - width) / 2, (screens_.PrimaryHeight() - height) / 2,
                    width, height);
}

TfrmNote* TNoteFactory::CreateNoteFromFile(const std::string& path) {
  std::string text;
  if (FileExists(path)) text = JoinLinesCRLF(ReadEncodedTextFile(path).Lines);
  return CreateRandomNote(text);
}

TfrmNote* TNoteFactory::OpenStoredNote(int32_t id, TConfigurationManager& collection, bool arrived) {
  // Until it is registered the window is ours: a text file that cannot be read leaves none.
  auto note = std::make_unique<TfrmNote>(host_);
  std::unique_ptr<TNoteConfig> temporary;
  const TNoteConfig* record = collection.GetConfig(id);
  if (!record) {
    temporary = CreateNoteConfig(id, settings_, screens_, random_);
    record = temporary.get();
  }
  note->SetId(id);
  // The text first: a minimized note's tooltip is its first line.
  note->LoadText();
  note->ApplyConfig(*record);
  if (arrived) {
    ShowOnScreen(*note, screens_, random_);
    note->setAttribute(Qt::WA_ShowWithoutActivating, true);
  }
  note->show();
  TfrmNote& opened = *note.release();
  registry_.AddNoteToList(opened);
  return &opened;
}
