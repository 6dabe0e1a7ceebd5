#include "platform/QtTrayRequests.h"

#include <QDBusMessage>
#include <QList>
#include <QVariant>

// QtDBus exports this for tools that watch calls, without declaring it in a public header:
// weak, so that a QtDBus without it leaves the menu at the pointer.
void qDBusAddSpyHook(void (*hook)(const QDBusMessage&)) __attribute__((weak));

namespace {
std::optional<QPoint>& requested() {
  static std::optional<QPoint> point;
  return point;
}

void spy(const QDBusMessage& message) {
  if (message.type() != QDBusMessage::MethodCallMessage ||
      message.interface() != QLatin1String("org.kde.StatusNotifierItem") ||
      message.member() != QLatin1String("ContextMenu"))
    return;
  const QList<QVariant> args = message.arguments();
  if (args.size() == 2) requested() = QPoint(args[0].toInt(), args[1].toInt());
}
}  // namespace

void WatchTrayMenuRequests() {
  static bool watching = false;
  if (watching || !qDBusAddSpyHook) return;
  watching = true;
  qDBusAddSpyHook(spy);
}

std::optional<QPoint> TakeTrayMenuRequest() {
  std::optional<QPoint> point = requested();
  requested().reset();
  return point;
}
