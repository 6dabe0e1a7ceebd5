// Turns SIGTERM, SIGHUP and SIGINT into a Qt signal, through a self-pipe: the handler only
// writes a byte, and everything else happens on the user-interface thread.
#pragma once

#include <QObject>

class QSocketNotifier;

class TSessionEnd : public QObject {
  Q_OBJECT
 public:
  explicit TSessionEnd(QObject* parent = nullptr);
  ~TSessionEnd() override;

  // True once a session-end signal has arrived: start-up stops at its next step.
  static bool Requested();

 signals:
  void Ended(int signalNumber);

 private:
  void onReadable();
  QSocketNotifier* notifier_ = nullptr;
};
