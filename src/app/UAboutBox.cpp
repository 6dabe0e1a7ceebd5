#include "app/UAboutBox.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/UAppIcons.h"
#include "app/UfrmMain.h"
#include "platform/Shell.h"

TAboutBox::TAboutBox(Shell* shell, QWidget* parent) : QDialog(parent) {
  setObjectName("frmAbout");
  setWindowTitle("About ...");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  auto* layout = new QHBoxLayout(this);
  auto* picture = new QLabel(this);
  picture->setPixmap(QuibIconPixmap(64));
  picture->setAlignment(Qt::AlignTop);
  layout->addWidget(picture);

  auto* texts = new QVBoxLayout;
  const auto label = [this, texts](const QString& text, const char* name) {
    auto* l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    texts->addWidget(l);
    return l;
  };
  QLabel* version = label(QString::fromLatin1(kAppVersionTitle), "lblVersion");
  QFont big = version->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.5);
  version->setFont(big);
  label(QString::fromLatin1(kMakerNotice), "lblNotice");
  const QString address = QString::fromLatin1(kMakerHomepage);
  lblWeb = label("<a href=\"" + address + "\">" + address + "</a>", "lblWeb");
  lblWeb->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  lblWeb->setOpenExternalLinks(false);
  lblWeb->setCursor(Qt::PointingHandCursor);
  connect(lblWeb, &QLabel::linkActivated, this, [shell](const QString& link) {
    if (shell) shell->OpenUrl(link.toStdString(), nullptr);
  });
  texts->addSpacing(8);
  label("Quib is free for everyone: use it, copy it and give it away as you like, at no cost.", "lblFreeUse");
  label("Quib comes as it is, without warranty of any kind; you use it at your own risk.", "lblNoWarranty");
  auto* ok = new QPushButton("OK", this);
  ok->setObjectName("btnOK");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  texts->addSpacing(8);
  texts->addWidget(ok, 0, Qt::AlignRight);
  layout->addLayout(texts, 1);
  setMinimumWidth(380);
}

void TAboutBox::Execute(Shell* shell, QWidget* parent) {
  TAboutBox box(shell, parent);
  box.exec();
}
