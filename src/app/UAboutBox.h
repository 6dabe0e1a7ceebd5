// The About box: the version, the maker's notice and web address, and the terms of use.
#pragma once

#include <QDialog>

class QLabel;
class Shell;

class TAboutBox : public QDialog {
  Q_OBJECT
 public:
  // shell opens the web address when its label is clicked; it may be null.
  TAboutBox(Shell* shell, QWidget* parent = nullptr);

  // Made for the occasion, shown modal and gone when it closes.
  static void Execute(Shell* shell, QWidget* parent);

  QLabel* lblWeb = nullptr;
};
