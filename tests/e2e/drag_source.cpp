// A drag source for the end-to-end runs, as a file manager is one: a small window that, pressed,
// drags the files named on its command line (offering copy and move), so xdotool can drop them.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

namespace {
class TDragSource : public QWidget {
 public:
  explicit TDragSource(QList<QUrl> urls) : urls_(std::move(urls)) {
    setWindowTitle("drag source");
    resize(80, 80);
  }

 protected:
  void mousePressEvent(QMouseEvent*) override {
    auto* drag = new QDrag(this);
    auto* data = new QMimeData;
    data->setUrls(urls_);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::CopyAction);
  }

 private:
  QList<QUrl> urls_;
};
}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QList<QUrl> urls;
  for (int i = 1; i < argc; ++i) urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
  TDragSource source(urls);
  source.move(0, 0);
  source.show();
  return app.exec();
}
