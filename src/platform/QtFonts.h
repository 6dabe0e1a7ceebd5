// A note font as Quib stores it (TFontSpec) and as Qt draws it. A stored name the desktop does
// not have (the classic "MS Sans Serif") is kept as stored and drawn with the desktop's stand-in
// for it at the stored size: its own substitute where it names one (a metric-compatible font for
// "Arial" or "Courier New"), else its default sans-serif.
#pragma once

#include <QFont>

#include "platform/Dialogs.h"

QFont ToQFont(const TFontSpec& font);
// The family Qt draws font with: the stored name when installed, else the stand-in's.
QString ShownFamily(const TFontSpec& font);
