#include "app/UNoteFactory.h"

#include "graphics/brColorUtil.h"
#include "notes/UNoteIds.h"
#include "notes/ui/UfrmNote.h"
#include "platform/Dialogs.h"
#include "platform/Screens.h"
#include "store/UFileUtil.h"
#include "store/UTConfigurationManager.h"
#include "store/UTNoteConfig.h"
#include "store/brRegVal.h"

TfrmNote* TNoteFactory::CreateNote(const std::string& text, int left, int top, int width, int height) {
  if (registry_.OpenNoteCount() >= MaxNotes) {
    dialogs_.ShowMessage("Cannot create more than " + std::to_string(MaxNotes) + " windows.");
    return nullptr;
  }
  auto* note = new TfrmNote(host_);
  note->SetId(NextNoteId());
  note->setWindowTitle(QString());
  note->SetLines(SplitTextLines(text));
  note->SetNoteColor(settings_.GetBoolean("bRandomColor") ? RandomColor() : clDefaultNoteColor);
  note->setGeometry(left, top, width, height);
  TFontSpec font;
  font.Name = settings_.GetString("sDefaultFontName");
  font.Size = static_cast<int32_t>(settings_.GetInteger("iDefaultFontSize"));
  font.Color = static_cast<int32_t>(settings_.GetInteger("iDefaultFontColor"));
  note->SetTextFont(font);
  note->show();
  registry_.AddNoteToList(*note);
  note->SaveText();
  return note;
}

TfrmNote* TNoteFactory::CreateRandomNote(const std::string& text) {
  return CreateNote(text, RandomLeft(screens_, 128), RandomTop(screens_, 128), 128, 128);
}

TfrmNote* TNoteFactory::CreateCenteredNote(const std::string& text, int width, int height) {
  return CreateNote(text, (screens_.PrimaryWidth() - width) / 2, (screens_.PrimaryHeight() - height) / 2,
                    width, height);
}

TfrmNote* TNoteFactory::CreateNoteFromFile(const std::string& path) {
  std::string text;
  if (FileExists(path)) text = JoinLinesCRLF(ReadTextLines(path));
  return CreateRandomNote(text);
}

TfrmNote* TNoteFactory::OpenStoredNote(int32_t id, TConfigurationManager& collection) {
  auto* note = new TfrmNote(host_);
  std::unique_ptr<TNoteConfig> temporary;
  const TNoteConfig* record = collection.GetConfig(id);
  if (!record) {
    temporary = CreateNoteConfig(id, settings_, screens_);
    record = temporary.get();
  }
  note->SetId(id);
  // The text first: a minimized note's tooltip is its first line.
  note->LoadText();
  note->ApplyConfig(*record);
  note->show();
  registry_.AddNoteToList(*note);
  return note;
}
