#include "notes/ui/UNoteMenu.h"

#include "notes/ui/UfrmNote.h"

namespace {
// Shortcut texts after a tab are labels only: the keys go through the note's key preview, and
// the accelerators are the marked letters alone.
QAction* addItem(QMenu& menu, const char* caption, TfrmNote& note, void (TfrmNote::*command)()) {
  QAction* action = menu.addAction(QString::fromLatin1(caption));
  if (command) QObject::connect(action, &QAction::triggered, &note, [&note, command] { (note.*command)(); });
  return action;
}

void hideAndDisable(QAction* action) {
  action->setVisible(false);
  action->setEnabled(false);
}
}  // namespace

TNotePopupMenu::TNotePopupMenu(TfrmNote& note) : QMenu(&note) {
  pmControlPanel = addItem(*this, "&Control Panel\tF2", note, &TfrmNote::pmControlPanelClick);
  addSeparator();
  // Networking is not built: its items stay hidden and do nothing.
  pmSendNoteOverNetwork = addItem(*this, "&Send this Quib-Note over Network...\tF5", note, nullptr);
  hideAndDisable(pmSendNoteOverNetwork);
  pmNetworkSeparator = addSeparator();
  pmNetworkSeparator->setVisible(false);
  pmAppearance = addMenu(QStringLiteral("&Appearance (Colors && Fonts)"));
  pmBackgroundColor =
      addItem(*pmAppearance, "&Background Color\tF9", note, &TfrmNote::pmBackgroundColorClick);
  pmNewRandomColor = addItem(*pmAppearance, "New &Random Color\tF10", note, &TfrmNote::pmNewRandomColorClick);
  pmAppearance->addSeparator();
  pmFont = addItem(*pmAppearance, "&Font\tCtrl+F11", note, &TfrmNote::pmFontClick);
  pmFontColor = addItem(*pmAppearance, "F&ont Color\tF11", note, &TfrmNote::pmFontColorClick);
  pmNewRandomFontColor =
      addItem(*pmAppearance, "New Random Fo&nt Color\tF12", note, &TfrmNote::pmNewRandomFontColorClick);
  addSeparator();
  pmImportTextFile = addItem(*this, "&Import Text File", note, &TfrmNote::pmImportTextFileClick);
  pmExportTextFile = addItem(*this, "&Export Text File", note, &TfrmNote::pmExportTextFileClick);
  addSeparator();
  pmNewQuibNote = addItem(*this, "&New Quib-Note\tF4", note, &TfrmNote::pmNewQuibNoteClick);
  pmNewQuibChat = addItem(*this, "New Quib-&Chat\tF6", note, nullptr);
  hideAndDisable(pmNewQuibChat);
  pmDelete = addItem(*this, "&Delete this Quib-Note\tCtrl+F4", note, &TfrmNote::pmDeleteClick);
  addSeparator();
  pmReadOnly = addItem(*this, "&Read Only", note, &TfrmNote::pmReadOnlyClick);
  pmReadOnly->setCheckable(true);
  pmOnTop = addItem(*this, "Stay On &Top", note, &TfrmNote::pmOnTopClick);
  pmOnTop->setCheckable(true);
  addSeparator();
  pmExitApplication = addItem(*this, "E&xit Application ...", note, &TfrmNote::pmExitApplicationClick);
  ShowNoteState(note);
}

void TNotePopupMenu::ShowNoteState(const TfrmNote& note) {
  pmReadOnly->setChecked(note.ReadOnly());
  pmOnTop->setChecked(note.OnTop());
}
