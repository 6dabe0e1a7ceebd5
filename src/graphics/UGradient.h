// The arithmetic of the control panel's Appearance tab: the two-colour gradient bar, spreading
// it over the notes in list order, choosing the bar's two ends, and Darker and Brighter.
#pragma once

#include <functional>
#include <vector>

#include "graphics/UColorTypes.h"
#include "graphics/brColorUtil.h"

// The bar's ends: GradientLeft and GradientRight of the control panel.
struct TGradient {
  TColor Left = clBlack;
  TColor Right = clBlack;
  bool operator==(const TGradient&) const = default;
};

enum class TGradientEnd { Left, Right };

// The brightness steps of "Darker" and "Brighter", added to every channel.
inline constexpr int DarkerDelta = -5;
inline constexpr int BrighterDelta = 5;

// One colour per column of a bar width pixels wide; none when width is 0 or less. The steps are
// the differences divided by the width, so the rightmost column stops one step short of Right.
std::vector<TColor> GradientBarColors(const TGradient& gradient, int width);

// The end a mouse-up at x on a bar width pixels wide picks: the left one before the middle.
TGradientEnd GradientEndAt(int x, int width);

// The colours of count notes in list order: the first gets Left and, with two or more, the last
// gets Right. None when there are no notes.
std::vector<TColor> GradientNoteColors(const TGradient& gradient, int count);

// Where random colours come from; tests hand in a fixed sequence.
using TColorSource = std::function<TColor()>;
// RandomColor drawn from the source, which must outlive the result.
TColorSource RandomColors(TRandom& random);

// "Random Gradient": Left is drawn before Right.
TGradient RandomGradient(const TColorSource& random);

// "Gradient from Notes": the first and the last note's colours; current when there are no notes.
TGradient GradientFromNotes(const std::vector<TColor>& noteColors, const TGradient& current);

// Showing the control panel and entering the tab: from the notes when there are any, otherwise
// at random (nothing is drawn when there are notes).
TGradient GradientOnEntry(const std::vector<TColor>& noteColors, const TColorSource& random);

// "Darker" and "Brighter": every note's colour with delta added to each channel, in list order.
std::vector<TColor> ShiftedColors(const std::vector<TColor>& noteColors, int delta);
