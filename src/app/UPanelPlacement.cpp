#include "app/UPanelPlacement.h"

#include <QLayout>
#include <QWidget>

#include "base/brRandom.h"
#include "graphics/brMultiMonitor.h"
#include "platform/Screens.h"

QPoint TPanelPlacement::CurrentTopLeft() const {
  return hidden_ ? hiddenPos_ : panel_.geometry().topLeft();
}

bool TPanelPlacement::OnSomeMonitor(const QPoint& p) const {
  return PointOnMonitor(screens_, p.x(), p.y());
}

QSize TPanelPlacement::ShownSize() const {
  // Laid out now rather than when first shown: the tabs' minimum sizes (the Appearance tab's
  // widens the panel) apply only then, and the panel must be placed for the size it shows with.
  if (QLayout* layout = panel_.layout()) layout->activate();
  return panel_.size();
}

void TPanelPlacement::LoadPosition(int x, int y) {
  remembered_ = QPoint(x, y);
  if (!OnSomeMonitor(remembered_)) {
    const QSize size = ShownSize();
    remembered_ =
        QPoint((screens_.PrimaryWidth() - size.width()) / 2, (screens_.PrimaryHeight() - size.height()) / 2);
  }
}

void TPanelPlacement::RememberIfOnScreen() {
  const QPoint p = CurrentTopLeft();
  if (OnSomeMonitor(p)) remembered_ = p;
}

void TPanelPlacement::MoveTo(const QPoint& p) {
  panel_.setGeometry(QRect(p, panel_.size()));
}

void TPanelPlacement::MoveOffScreen() {
  // Hidden for real: a window manager may pull a window that only stands off screen back in.
  hiddenPos_ = QPoint(8 * screens_.PrimaryWidth(), CurrentTopLeft().y());
  hidden_ = true;
  panel_.hide();
}

void TPanelPlacement::Hide() {
  remembered_ = CurrentTopLeft();
  MoveOffScreen();
}

void TPanelPlacement::PlaceAndHide() {
  MoveTo(remembered_);
  Hide();
}

void TPanelPlacement::Show() {
  if (!OnSomeMonitor(remembered_)) {
    const QSize size = ShownSize();
    const int y = random_.Place(screens_.PrimaryHeight(), size.height());
    const int x = random_.Place(screens_.PrimaryWidth(), size.width());
    remembered_ = QPoint(x, y);
  }
  MoveTo(remembered_);
  hidden_ = false;
  panel_.setWindowState(panel_.windowState() & ~Qt::WindowMinimized);
  panel_.show();
  panel_.raise();
  panel_.activateWindow();
}
