// Where every note window is made: new notes with the user's defaults, within the limit of
// open notes, and windows for the notes already stored.
#pragma once

#include <cstdint>
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

class TNoteFactory {
 public:
  static constexpr int MaxNotes = 1024;

  TNoteFactory(TNoteHost& host, TNoteRegistry& registry, TNoteStore& store, const TbrRegVal& settings,
               const Screens& screens, Dialogs& dialogs, TRandom& random)
      : host_(host),
        registry_(registry),
        store_(store),
        settings_(settings),
        screens_(screens),
        dialogs_(dialogs),
        random_(random) {}

  // A new note with the next id; null (after the limit message) when 1024 notes are open.
  // text holds lines separated by CR LF. Its text file is written at once.
  TfrmNote* CreateNote(const std::string& text, int left, int top, int width, int height);
  TfrmNote* CreateRandomNote(const std::string& text);
  TfrmNote* CreateCenteredNote(const std::string& text, int width, int height);
  // A random note holding the file's lines (empty when the file does not exist).
  TfrmNote* CreateNoteFromFile(const std::string& path);
  // The window of a stored note, from its record (a default record when it has none). quiet: it
  // is shown without taking the keyboard from the window that has it.
  TfrmNote* OpenStoredNote(int32_t id, TConfigurationManager& collection, bool quiet = false);

 private:
  TNoteHost& host_;
  TNoteRegistry& registry_;
  TNoteStore& store_;
  const TbrRegVal& settings_;
  const Screens& screens_;
  Dialogs& dialogs_;
  TRandom& random_;
};
