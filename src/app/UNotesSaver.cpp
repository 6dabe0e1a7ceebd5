#include "app/UNotesSaver.h"

#include <QTimer>
#include <cstdio>

#include "app/UQuibApplication.h"
#include "notes/ui/UNotesList.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "store/UQuibError.h"
#include "store/UTConfigurationManager.h"

TNotesSaver::TNotesSaver(TNotesList& notes, Dialogs& dialogs, const TAppTitle& title, QObject* parent)
    : QObject(parent), notes_(notes), dialogs_(dialogs), title_(title) {
  timer_ = new QTimer(this);
  timer_->setSingleShot(true);
  clock_.start();
  connect(timer_, &QTimer::timeout, this, &TNotesSaver::AutoSave);
  connect(&notes_, &TNotesList::NoteChanged, this, &TNotesSaver::NoteChanged);
}

void TNotesSaver::Start() {
  started_ = true;
  // What start-up itself made (the welcome note's record) is written without waiting for a
  // change; opening the stored notes changed nothing, so that writes nothing.
  const TConfigurationManager* configs = notes_.Collection();
  if (configs && configs->Changed()) NoteChanged();
}

void TNotesSaver::NoteChanged() {
  if (!started_ || closed_) return;
  rule_.Changed(clock_.elapsed());
  Schedule();
}

void TNotesSaver::Schedule() {
  const std::optional<int64_t> remaining = rule_.RemainingMs(clock_.elapsed());
  if (remaining)
    timer_->start(static_cast<int>(*remaining));
  else
    timer_->stop();
}

bool TNotesSaver::AutosavePending() const {
  return timer_->isActive();
}

void TNotesSaver::AutoSave() {
  if (closed_) return;
  // A message box of an earlier round may still be open: its event loop must not start a
  // second round inside the first.
  if (saving_) {
    rule_.RetryLater(clock_.elapsed());
    Schedule();
    return;
  }
  SaveAll(false, TMode::Auto);
}

bool TNotesSaver::SaveNow() {
  if (closed_) return true;
  return SaveAll(false, TMode::Now);
}

bool TNotesSaver::SaveEverything(bool quiet) {
  return SaveAll(true, quiet ? TMode::Quiet : TMode::Now);
}

bool TNotesSaver::Close(bool quiet) {
  if (closed_) return true;
  closed_ = true;
  timer_->stop();
  return SaveAll(true, quiet ? TMode::Quiet : TMode::Now);
}

void TNotesSaver::Reopen() {
  closed_ = false;
  rule_.RetryLater(clock_.elapsed());
  Schedule();
}

void TNotesSaver::SaveFilesAtExit() {
  // No timer, no box: the window system may be gone, and so may the event loop.
  if (closed_) return;
  closed_ = true;
  TErrors errors;
  SaveModifiedNotes(errors);
  notes_.UpdateAllNoteConfigs();
  SaveNotesFile(TMode::Exit, errors);
  Report(errors, TMode::Exit);
}

bool TNotesSaver::SaveAll(bool withSettings, TMode mode) {
  saving_ = true;
  rule_.Saving();
  timer_->stop();
  TErrors errors;
  // Every step runs even when one before it failed: a settings file that cannot be written
  // must not cost the notes.
  SaveModifiedNotes(errors);
  if (withSettings && saveSettings_) {
    try {
      saveSettings_();
    } catch (const std::exception& e) {
      errors.emplace_back(e.what());
    }
  }
  notes_.UpdateAllNoteConfigs();
  SaveNotesFile(mode, errors);
  saving_ = false;
  if (errors.empty()) {
    told_.clear();
    return true;
  }
  // Whatever could not be written stays in memory, and the autosave tries again.
  if (!closed_) {
    rule_.RetryLater(clock_.elapsed());
    Schedule();
  }
  Report(errors, mode);
  return false;
}

bool TNotesSaver::SaveNotesFileNow() {
  if (closed_ || saving_) return false;
  return SaveAll(false, TMode::Auto);
}

void TNotesSaver::SaveModifiedNotes(TErrors& errors) {
  // A copy: a message box shown on the way may let a note go.
  const std::vector<TfrmNote*> notes = notes_.Notes();
  for (TfrmNote* note : notes) {
    if (!note->Modified()) continue;
    try {
      note->SaveText();
    } catch (const std::exception& e) {
      errors.emplace_back(e.what());
    }
  }
}

void TNotesSaver::SaveNotesFile(TMode mode, TErrors& errors) {
  TConfigurationManager* configs = notes_.Collection();
  if (!configs) return;
  try {
    // Another computer's version that has not been merged yet is never written over.
    if (mergeNotesFile_) mergeNotesFile_(mode != TMode::Exit);
    if (configs->IsUnreadable()) {
      // Nothing to write yet: the file it could not read stays exactly as it is.
      if (configs->Count() == 0) return;
      // A file cut short was told about when it was read, with where it goes now.
      const bool damaged = configs->IsDamaged();
      const std::string kept = configs->MoveAsideUnreadableFile();
      if (!kept.empty() && !damaged)
        Tell("The notes file " + configs->FileName() + " could not be read. It was kept as " + kept +
                 " and a new notes file is written.",
             mode);
    }
    // The autosave writes only what differs from the file: a start with nothing changed, or a
    // window manager settling the notes where they already were, writes nothing.
    if (mode == TMode::Auto || mode == TMode::Exit)
      configs->SaveToFileIfChanged();
    else
      configs->SaveToFile();
  } catch (const std::exception& e) {
    errors.emplace_back(e.what());
  }
}

void TNotesSaver::Report(const TErrors& errors, TMode mode) {
  if (mode == TMode::Quiet || mode == TMode::Exit) {
    for (const std::string& e : errors) std::fprintf(stderr, "Quib: %s\n", e.c_str());
    return;
  }
  std::string text;
  for (const std::string& e : errors) {
    // The autosave tells each failure once, not at every round it is still there.
    if (mode == TMode::Auto && !told_.insert(e).second) continue;
    if (mode != TMode::Auto) told_.insert(e);
    text += (text.empty() ? "" : "\n") + ErrorBoxText(e);
  }
  if (text.empty()) return;
  if (!closed_) text += "\n\nNothing is lost: Quib keeps your changes and tries again every few seconds.";
  dialogs_.ShowError(title_.Text(), text);
}

void TNotesSaver::Tell(const std::string& text, TMode mode) {
  if (mode == TMode::Quiet || mode == TMode::Exit) {
    std::fprintf(stderr, "Quib: %s\n", text.c_str());
  } else {
    dialogs_.ShowMessage(text);
  }
}
