// What a note window needs of the control panel that holds it: a snapshot of the snapping and
// title options, the settings (read only), the folders the import and export commands last used,
// the note and screen snapping, the desktop seams, the note's stored text, a few commands and the
// bookkeeping of a note that the user deletes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "notes/UNoteDrag.h"
#include "store/UTextEncoding.h"

class TbrRegVal;
class TBoxController;
class TfrmNote;
struct TPlatform;
class TRandom;
class TScreenSnapper;

// The options a note reads, in one snapshot.
struct TNoteOptions {
  TDragSnapping Snapping;  // the three snap flags and the grid
  std::string Title;       // the notes' title pattern ("Quib [$id$]")
};

class TNoteHost {
 public:
  virtual ~TNoteHost() = default;

  // The options as the control panel's controls show them at this moment.
  virtual TNoteOptions Options() const = 0;

  virtual const TbrRegVal& Settings() const = 0;
  // The folders the note's import and export commands last used; the host keeps them in its
  // settings.
  virtual std::string LastImportDir() const = 0;
  virtual void SetLastImportDir(const std::string& folder) = 0;
  virtual std::string LastExportDir() const = 0;
  virtual void SetLastExportDir(const std::string& folder) = 0;
  virtual const TBoxController& BoxController() const = 0;
  // The program's one screen snapper: a drag refreshes it from the monitors when it starts.
  virtual TScreenSnapper& ScreenSnapper() = 0;
  virtual const TPlatform& Platform() const = 0;
  // The program's random source: new colours and default records draw from it.
  virtual TRandom& Random() = 0;
  // The title of the error boxes a note shows: the application title, as on every error box
  // of the program.
  virtual std::string ApplicationTitle() const { return "Quib"; }

  // The note's text as the notes store keeps it: nullopt when note id has no text file; raises
  // EQuibError when the file is there but cannot be read.
  virtual std::optional<TTextFile> ReadNoteText(int32_t id) = 0;
  // Writes the note's text crash-safe in encoding (UTF-8 when a character does not fit) and
  // returns the encoding written; raises EQuibError, the file left as it was, when it fails.
  virtual TTextEncoding WriteNoteText(int32_t id, const std::vector<std::string>& lines,
                                      TTextEncoding encoding) = 0;
  // The text file takes its deleted name; false when there is none or it cannot be renamed.
  virtual bool DeleteNoteText(int32_t id) = 0;

  // Moves every other minimized open note by (dx, dy): a collapsed note dragged with Ctrl
  // held takes its group along.
  virtual void MoveMinimizedGroup(int dx, int dy, int32_t id) = 0;
  virtual void ShowControlPanel() = 0;
  // The control panel's new-note command (a note at a random place with empty text).
  virtual void CreateNewNote() = 0;
  // The control panel's exit command.
  virtual void ExitApplication() = 0;

  // True while the program closes all its windows at its end, after saving everything: a note
  // closed then only goes.
  virtual bool ClosingAll() const = 0;
  // The note's delete command, after its text is saved: the host copies the window's state into
  // its record (which stays, for an undelete) and drops the window from the list of open notes.
  virtual void NoteDeleted(TfrmNote& note) = 0;
};
