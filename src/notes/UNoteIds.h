// Random note positions. (The note id counter and the start-up scan of the notes folder belong
// to the notes store, TNoteStore.)
#pragma once

class Screens;
class TRandom;

// Uniform integers from 0 to (primary width - size - 1) and (primary height - size - 1); 0 when
// the note does not fit on the primary screen.
int RandomLeft(TRandom& random, const Screens& screens, int size);
int RandomTop(TRandom& random, const Screens& screens, int size);
