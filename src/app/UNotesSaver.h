// Saving the notes: the closing step, the autosave a few seconds after the first unsaved change,
// "&Save Configuration now!", the save the session manager asks for and the files part of the
// closing step for an end that skips it. Each note's text is saved in a step of its own, so one
// that fails costs none of the others; a failure is told once, the note stays modified and the
// autosave keeps trying.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "notes/UAutosaveRule.h"

class Dialogs;
class TAppTitle;
class QTimer;
class TNotesList;

class TNotesSaver : public QObject {
  Q_OBJECT
 public:
  static constexpr int AutosaveDelayMs = 3000;

  // The title outlives the saver.
  TNotesSaver(TNotesList& notes, Dialogs& dialogs, const TAppTitle& title, QObject* parent = nullptr);

  // The settings' part of the closing step (SaveSettings and the store's Save). Left unset
  // while the settings file could not be read, so that it is never overwritten.
  void SetSaveSettings(std::function<void()> saveSettings) { saveSettings_ = std::move(saveSettings); }

  // Merges a version of the notes file someone else wrote since it was last read or written;
  // run before every write of the notes file, so that none goes over such a version. windows:
  // the open notes may follow (false while the program ends without its closing step).
  void SetMergeNotesFile(std::function<void(bool windows)> merge) { mergeNotesFile_ = std::move(merge); }

  // Start-up is over: from now on a change starts the autosave.
  void Start();
  // The closing step, once: modified texts, settings, records, notes file. quiet: the session
  // is ending, so problems go to stderr instead of a box nobody can answer. False when
  // something could not be written.
  bool Close(bool quiet);
  bool Closed() const { return closed_; }
  // Back to running after a closing step the user called off.
  void Reopen();
  // "&Save Configuration now!": the texts, the records and the notes file; not the settings.
  bool SaveNow();
  // Everything the closing step writes, without closing (the session manager's request).
  bool SaveEverything(bool quiet);
  // The program ends without its closing step (Qt ends it with exit() when the X connection
  // breaks): the modified texts, the records and the notes file, with no window-system call and
  // no dialog; problems go to stderr. Nothing after a closing step that ran.
  void SaveFilesAtExit();

  // The autosave's round now (after a merge, so that the notes file holds what it brought): the
  // modified texts, the records and the notes file; a failure is told as the autosave tells it,
  // and the autosave tries again. False when something could not be written, or while closed or
  // in the middle of another save.
  bool SaveNotesFileNow();

  // A note changed: the autosave runs within a few seconds of the first unsaved change.
  void NoteChanged();
  void AutoSave();
  bool AutosavePending() const;

 private:
  // Auto: the autosave; Now: a save the user sees; Quiet: the session ends, problems go to
  // stderr; Exit: as Quiet, writing the notes file only when it changed.
  enum class TMode { Auto, Now, Quiet, Exit };
  using TErrors = std::vector<std::string>;

  void SaveModifiedNotes(TErrors& errors);
  void SaveNotesFile(TMode mode, TErrors& errors);
  bool SaveAll(bool withSettings, TMode mode);
  void Report(const TErrors& errors, TMode mode);
  void Tell(const std::string& text, TMode mode);
  // Sets the timer to the rule's due time.
  void Schedule();

  TNotesList& notes_;
  Dialogs& dialogs_;
  const TAppTitle& title_;
  std::function<void()> saveSettings_;
  std::function<void(bool)> mergeNotesFile_;
  QTimer* timer_ = nullptr;
  TAutosaveRule rule_{AutosaveDelayMs};
  QElapsedTimer clock_;
  bool started_ = false;
  bool closed_ = false;
  bool saving_ = false;
  // Failures already told; cleared by a save that writes everything.
  std::set<std::string> told_;
};
