#include "app/UAppearanceTab.h"

TAppearanceTab::TAppearanceTab(TNotesList& notes, TNotesTab& notesTab, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), notes_(notes), notesTab_(notesTab), dialogs_(dialogs) {}

void TAppearanceTab::EntryStep() {}
