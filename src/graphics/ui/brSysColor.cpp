#include "graphics/ui/brSysColor.h"

#include <QGuiApplication>
#include <QPalette>

#include "graphics/brColorUtil.h"

namespace {

struct TRoleOf {
  QPalette::ColorGroup Group;
  QPalette::ColorRole Role;
};

// The classic numbering: scroll bar 0, desktop 1, captions 2 and 3, menu 4, window 5, frame 6,
// menu text 7, window text 8, caption text 9, borders 10 and 11, workspace 12, highlight 13 and
// 14, button face 15, shadow 16, grey text 17, button text 18, inactive caption text 19, button
// highlight 20, dark shadow 21, light 22, tooltip text 23 and back 24, (none 25), hot light 26,
// caption gradients 27 and 28, menu highlight 29, menu bar 30.
TRoleOf RoleOf(int index) {
  constexpr auto A = QPalette::Active;
  switch (index) {
    case 0:
      return {A, QPalette::Mid};
    case 1:
    case 12:
      return {A, QPalette::Dark};
    case 2:
    case 13:
    case 27:
    case 29:
      return {A, QPalette::Highlight};
    case 3:
    case 28:
      return {QPalette::Inactive, QPalette::Highlight};
    case 4:
    case 30:
      return {A, QPalette::Window};
    case 5:
      return {A, QPalette::Base};
    case 6:
    case 21:
      return {A, QPalette::Shadow};
    case 7:
      return {A, QPalette::WindowText};
    case 8:
      return {A, QPalette::Text};
    case 9:
    case 14:
      return {A, QPalette::HighlightedText};
    case 10:
    case 11:
    case 15:
      return {A, QPalette::Button};
    case 16:
      return {A, QPalette::Dark};
    case 17:
      return {QPalette::Disabled, QPalette::Text};
    case 18:
      return {A, QPalette::ButtonText};
    case 19:
      return {QPalette::Inactive, QPalette::HighlightedText};
    case 20:
      return {A, QPalette::Light};
    case 22:
      return {A, QPalette::Midlight};
    case 23:
      return {A, QPalette::ToolTipText};
    case 24:
      return {A, QPalette::ToolTipBase};
    case 26:
      return {A, QPalette::Link};
    default:
      return {A, QPalette::Window};
  }
}

}  // namespace

TColor QtSysColor(int index) {
  const TRoleOf r = RoleOf(index);
  const QColor c = QGuiApplication::palette().color(r.Group, r.Role);
  return RGB(c.red(), c.green(), c.blue());
}
