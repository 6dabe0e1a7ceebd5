// The floor of the start-up benchmark: a bare Qt program that opens N frameless tool windows
// of 128 x 128 with a text area each, as a notes program must at the least.
#include <QApplication>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <QWidget>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication app(argc, argv);
  const int n = argc > 1 ? std::atoi(argv[1]) : 1;
  std::vector<QWidget*> windows;
  for (int i = 0; i < n; ++i) {
    auto* w = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 16, 0, 0);
    auto* text = new QPlainTextEdit(QString("note %1").arg(i + 1), w);
    text->setFrameStyle(QFrame::NoFrame);
    layout->addWidget(text);
    w->setGeometry((i * 37) % 1100, (i * 23) % 650, 128, 128);
    w->show();
    windows.push_back(w);
  }
  return app.exec();
}
