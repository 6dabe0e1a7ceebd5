// The find dialog: modeless, searching down only; the search text and "Match case" are live,
// the direction and whole-word choices are shown but cannot be changed.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class TFindDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TFindDialog(QWidget* parent = nullptr);

  QLineEdit* edtFind = nullptr;
  QCheckBox* chkWholeWord = nullptr;
  QCheckBox* chkMatchCase = nullptr;
  QRadioButton* rbUp = nullptr;
  QRadioButton* rbDown = nullptr;
  QPushButton* btnFindNext = nullptr;
  QPushButton* btnCancel = nullptr;

 signals:
  // Each press of "&Find Next", with the text as typed.
  void Find(const QString& text, bool matchCase);
};
