#include "LoginDialog.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "Messages.h"

namespace {

constexpr int kMaxEntry = 31;

// The application's style, but masking with "*".
class TAsteriskStyle : public QProxyStyle {
public:
    explicit TAsteriskStyle(QObject* owner) : QProxyStyle(QApplication::style()->name()) { setParent(owner); }
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

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
    Password->setStyle(new TAsteriskStyle(Password));

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
