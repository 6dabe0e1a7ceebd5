// The host of the note windows: the parts a note uses (settings, snapping, seams, the notes
// store, the list of open notes) handed in, and what only the control panel can answer (its
// option controls and its commands) asked of it through TNotePanel.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "notes/ui/UNoteHost.h"
#include "platform/TPlatform.h"

class TAppTitle;
class TNotesList;
class TNoteStore;

// What of a note's host the control panel answers.
class TNotePanel {
 public:
  virtual ~TNotePanel() = default;
  virtual TNoteOptions Options() const = 0;
  virtual void ShowControlPanel() = 0;
  virtual void CreateNewNote() = 0;
  virtual void ExitApplication() = 0;
  virtual bool ClosingAll() const = 0;
};

class TNotesHost : public TNoteHost {
 public:
  // Everything handed in outlives the host.
  struct TParts {
    TNotePanel& Panel;
    TNotesList& Notes;
    TNoteStore& Store;
    TbrRegVal& Settings;
    const TBoxController& Boxes;
    TScreenSnapper& Snapper;
    TPlatform Platform;
    TRandom& Random;
    const TAppTitle& Title;
  };
  explicit TNotesHost(const TParts& parts) : parts_(parts) {}

  TNoteOptions Options() const override { return parts_.Panel.Options(); }
  const TbrRegVal& Settings() const override { return parts_.Settings; }
  std::string LastImportDir() const override;
  void SetLastImportDir(const std::string& folder) override;
  std::string LastExportDir() const override;
  void SetLastExportDir(const std::string& folder) override;
  const TBoxController& BoxController() const override { return parts_.Boxes; }
  TScreenSnapper& ScreenSnapper() override { return parts_.Snapper; }
  const TPlatform& Platform() const override { return parts_.Platform; }
  TRandom& Random() override { return parts_.Random; }
  std::string ApplicationTitle() const override;

  std::optional<TTextFile> ReadNoteText(int32_t id) override;
  TTextEncoding WriteNoteText(int32_t id, const std::vector<std::string>& lines,
                              TTextEncoding encoding) override;
  bool DeleteNoteText(int32_t id) override;

  void MoveMinimizedGroup(int dx, int dy, int32_t id) override;
  void ShowControlPanel() override { parts_.Panel.ShowControlPanel(); }
  void CreateNewNote() override { parts_.Panel.CreateNewNote(); }
  void ExitApplication() override { parts_.Panel.ExitApplication(); }
  bool ClosingAll() const override { return parts_.Panel.ClosingAll(); }
  void NoteDeleted(TfrmNote& note) override;

 private:
  TParts parts_;
};
