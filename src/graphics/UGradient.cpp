#include "graphics/UGradient.h"

namespace {

// Colour at position i of a gradient whose steps are the differences divided by divisor. The
// step is kept as a double and multiplied, as the bar has always been drawn, so a value that
// lands exactly halfway rounds to the even byte.
std::vector<TColor> Spread(const TGradient& gradient, int count, double divisor) {
  const TRGBBytes a = SplitColor(gradient.Left);
  const TRGBBytes b = SplitColor(gradient.Right);
  const double redStep = (b.Red - a.Red) / divisor;
  const double greenStep = (b.Green - a.Green) / divisor;
  const double blueStep = (b.Blue - a.Blue) / divisor;
  std::vector<TColor> colors;
  if (count <= 0) return colors;
  colors.reserve(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) {
    colors.push_back(RGB(RoundHalfEven(a.Red + i * redStep), RoundHalfEven(a.Green + i * greenStep),
                         RoundHalfEven(a.Blue + i * blueStep)));
  }
  return colors;
}

}  // namespace

std::vector<TColor> GradientBarColors(const TGradient& gradient, int width) {
  if (width <= 0) return {};
  return Spread(gradient, width, width);
}

TGradientEnd GradientEndAt(int x, int width) {
  return x < width / 2 ? TGradientEnd::Left : TGradientEnd::Right;
}

std::vector<TColor> GradientNoteColors(const TGradient& gradient, int count) {
  // A single note takes the whole step, which it never uses: it gets Left.
  return Spread(gradient, count, count < 2 ? 1.0 : count - 1.0);
}

TColorSource RandomColors(TRandom& random) {
  return [&random] { return RandomColor(random); };
}

TGradient RandomGradient(const TColorSource& random) {
  TGradient gradient;
  gradient.Left = random();
  gradient.Right = random();
  return gradient;
}

TGradient GradientFromNotes(const std::vector<TColor>& noteColors, const TGradient& current) {
  if (noteColors.empty()) return current;
  return {noteColors.front(), noteColors.back()};
}

TGradient GradientOnEntry(const std::vector<TColor>& noteColors, const TColorSource& random) {
  if (noteColors.empty()) return RandomGradient(random);
  return {noteColors.front(), noteColors.back()};
}

std::vector<TColor> ShiftedColors(const std::vector<TColor>& noteColors, int delta) {
  std::vector<TColor> shifted;
  shifted.reserve(noteColors.size());
  for (const TColor color : noteColors) shifted.push_back(AdjustBrightness(color, delta));
  return shifted;
}
