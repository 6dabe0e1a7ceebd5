// The floor of the benchmarks: a bare Qt program with frameless tool windows of 128 x 128 with
// a text area each, as a notes program must make at the least.
//   quib_floor [N]       opens N such windows at once (the start-up benchmark);
//   quib_floor --new     opens one, and F4 in any of them opens one more at a random place,
//                        shown, raised and activated with the caret in its text (the new-note
//                        benchmark).
#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <cstring>

namespace {

QWidget* openWindow(const QString& text, int left, int top) {
  auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint);
  auto* layout = new QVBoxLayout(w);
  layout->setContentsMargins(0, 16, 0, 0);
  auto* edit = new QPlainTextEdit(text, w);
  edit->setFrameStyle(QFrame::NoFrame);
  layout->addWidget(edit);
  w->setFocusProxy(edit);
  w->setGeometry(left, top, 128, 128);
  w->show();
  return w;
}

// F4 anywhere in the program opens a new window, as a notes program's new-note key does.
class NewWindowKey : public QObject {
 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F4)
      return QObject::eventFilter(watched, event);
    QRandomGenerator* random = QRandomGenerator::global();
    QWidget* w = openWindow(QString(), random->bounded(1100), random->bounded(650));
    w->raise();
    w->activateWindow();
    w->setFocus();
    return true;
  }
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  if (argc > 1 && std::strcmp(argv[1], "--new") == 0) {
    NewWindowKey key;
    app.installEventFilter(&key);
    openWindow("floor", 100, 100)->setWindowTitle("quib_floor");
    return app.exec();
  }
  const int n = argc > 1 ? std::atoi(argv[1]) : 1;
  for (int i = 0; i < n; ++i) openWindow(QString("note %1").arg(i + 1), (i * 37) % 1100, (i * 23) % 650);
  return app.exec();
}
