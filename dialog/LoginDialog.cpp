#include "LoginDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "Messages.h"

namespace {

constexpr int kMaxEntry = 31;

QLineEdit* MakeEntry(QWidget* owner) {
    auto* entry = new QLineEdit(owner);
    entry->setMaxLength(kMaxEntry);
    return entry;
}

}  // namespace

TLoginDialog::TLoginDialog(QWidget* owner, const QString& databaseName, const QString& userName) : QDialog(owner) {
    using namespace dialog::msg;
    setWindowTitle(QString::fromUtf8(kLoginCaption));
    setModal(true);

    DatabaseLabel = new QLabel(databaseName, this);
    UserName = MakeEntry(this);
    UserName->setText(userName);
    Password = MakeEntry(this);
    Password->setEchoMode(QLineEdit::Password);
    // Each character shows as "*", not as the style's bullet.
    Password->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));

    auto* form = new QFormLayout;
    form->addRow(QString::fromUtf8(kLoginDatabase), DatabaseLabel);
    form->addRow(QString::fromUtf8(kLoginUserName), UserName);
    form->addRow(QString::fromUtf8(kLoginPassword), Password);

    OKButton = new QPushButton(QString::fromUtf8(kLoginOk), this);
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QString::fromUtf8(kLoginCancel), this);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    (userName.isEmpty() ? UserName : Password)->setFocus();
}

dbaccess::TLogin TLoginDialog::Entered() const {
    return {UserName->text().toStdString(), Password->text().toStdString()};
}
