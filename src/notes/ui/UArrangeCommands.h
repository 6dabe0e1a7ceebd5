// The "&Arrange" menu's commands over every open note, in list order.
#pragma once

#include "notes/UArrange.h"

class Screens;
class TNotesList;
class TRandom;

void MinimizeAll(TNotesList& notes);
void MaximizeAll(TNotesList& notes);
// Minimizes every note and packs the squares into a cluster, a row or a column centred where
// they were.
void MinimizeAndGroup(TNotesList& notes, TArrangeKind kind, const TArrangeGrid& grid);
// Moves every note that lies partly off the monitors' work areas to a random place on the
// primary screen.
void ShowLostNotes(TNotesList& notes, const Screens& screens, TRandom& random);
