// Where every note window is made: new notes with the user's defaults, within the limit of
// open notes, and windows for the notes already stored.
#pragma once

#include <QTimer>
#include <cstdint>
#include <memory>
#include <string>

#include "notes/UNoteRegistry.h"

class Dialogs;
class Screens;
class TbrRegVal;
class TConfigurationManager;
class TfrmNote;
class TNoteHost;
class TNoteStore;
class TRandom;

// A note whose place lies off every monitor of this computer (a record another computer wrote)
// is shown at a free place on screen, while its record keeps the place until the note is moved.
void ShowOnScreen(TfrmNote& note, const Screens& screens, TRandom& random);

class TNoteFactory {
 public:
  static constexpr int MaxNotes = 1024;

  TNoteFactory(TNoteHost& host, TNoteRegistry& registry, TNoteStore& store, const TbrRegVal& settings,
               const Screens& screens, Dialogs& dialogs, TRandom& random);
  ~TNoteFactory();
  TNoteFactory(const TNoteFactory&) = delete;
  TNoteFactory& operator=(const TNoteFactory&) = delete;

  // Keeps one note window built ahead, in a quiet moment after start-up and after each new
  // note, so that a note the user asks for only takes its id, text, colour and place before it
  // is shown. Off by default; the spare is hidden, has no id and is in no list.
  void KeepSpareWindow(bool keep);
  bool HasSpareWindow() const { return spare_ != nullptr; }

  // A new note with the next id; null (after the limit message) when 1024 notes are open.
  // text holds lines separated by CR LF. Its text file is written at once.
  // quiet: shown without taking the keyboard (a note made for text that came from elsewhere,
  // while the user may be typing in another).
  TfrmNote* CreateNote(const std::string& text, int left, int top, int width, int height, bool quiet = false);
  TfrmNote* CreateRandomNote(const std::string& text, bool quiet = false);
  TfrmNote* CreateCenteredNote(const std::string& text, int width, int height);
  // A random note holding the file's lines (empty when the file does not exist).
  TfrmNote* CreateNoteFromFile(const std::string& path);
  // The window of a stored note, from its record (a default record when it has none). arrived:
  // its text came from elsewhere while the program runs, so it is shown without taking the
  // keyboard from the window that has it, and on screen when its record lies off every monitor
  // here (records read at start are bounded to the desktop already).
  TfrmNote* OpenStoredNote(int32_t id, TConfigurationManager& collection, bool arrived = false);

 private:
  static constexpr int SpareDelayMs = 250;
  // The spare when it suits the settings as they are now, else a window built now.
  std::unique_ptr<TfrmNote> TakeWindow();
  void BuildSpare();

  TNoteHost& host_;
  TNoteRegistry& registry_;
  TNoteStore& store_;
  const TbrRegVal& settings_;
  const Screens& screens_;
  Dialogs& dialogs_;
  TRandom& random_;
  bool keepSpare_ = false;
  std::unique_ptr<TfrmNote> spare_;
  QTimer spareTimer_;
};
