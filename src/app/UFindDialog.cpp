#include "app/UFindDialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("dlgFind");
  setWindowTitle("Find");
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QGridLayout(this);
  auto* label = new QLabel("Fi&nd what:", this);
  edtFind = new QLineEdit(this);
  edtFind->setObjectName("edtFind");
  edtFind->setMinimumWidth(200);
  label->setBuddy(edtFind);
  layout->addWidget(label, 0, 0);
  layout->addWidget(edtFind, 0, 1, 1, 2);

  auto* options = new QVBoxLayout;
  chkWholeWord = new QCheckBox("Match &whole word only", this);
  chkWholeWord->setObjectName("chkWholeWord");
  chkWholeWord->setEnabled(false);
  chkMatchCase = new QCheckBox("Match &case", this);
  chkMatchCase->setObjectName("chkMatchCase");
  options->addWidget(chkWholeWord);
  options->addWidget(chkMatchCase);
  options->addStretch(1);
  layout->addLayout(options, 1, 0, 1, 2);

  // The notes are searched in their list order, one way only.
  auto* direction = new QGroupBox("Direction", this);
  auto* directionLayout = new QHBoxLayout(direction);
  rbUp = new QRadioButton("&Up", direction);
  rbUp->setObjectName("rbUp");
  rbDown = new QRadioButton("&Down", direction);
  rbDown->setObjectName("rbDown");
  rbDown->setChecked(true);
  directionLayout->addWidget(rbUp);
  directionLayout->addWidget(rbDown);
  direction->setEnabled(false);
  layout->addWidget(direction, 1, 2);

  auto* buttons = new QVBoxLayout;
  btnFindNext = new QPushButton("&Find Next", this);
  btnFindNext->setObjectName("btnFindNext");
  btnFindNext->setDefault(true);
  btnFindNext->setEnabled(false);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  buttons->addWidget(btnFindNext);
  buttons->addWidget(btnCancel);
  buttons->addStretch(1);
  layout->addLayout(buttons, 0, 3, 2, 1);

  connect(edtFind, &QLineEdit::textChanged, this,
          [this](const QString& text) { btnFindNext->setEnabled(!text.isEmpty()); });
  connect(btnFindNext, &QPushButton::clicked, this,
          [this] { emit Find(edtFind->text(), chkMatchCase->isChecked()); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
}
