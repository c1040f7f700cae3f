#include "Boxes.h"

#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include "LoginDialog.h"
#include "Messages.h"

namespace {

// A message box that opens centred on its owner's screen rather than over the owner.
class TCentredBox : public QMessageBox {
public:
    using QMessageBox::QMessageBox;

protected:
    void showEvent(QShowEvent* event) override {
        // The base class settles the box's size here; only then can it be centred.
        QMessageBox::showEvent(event);
        QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
        if (!screen) return;
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
};

std::unique_ptr<QMessageBox> MakeBox(QWidget* owner, QMessageBox::Icon icon, const QString& caption,
                                     const QString& text) {
    auto box = std::make_unique<TCentredBox>(icon, caption, text, QMessageBox::NoButton, owner);
    box->setTextFormat(Qt::PlainText);
    QPushButton* ok = box->addButton(QString::fromUtf8(dialog::msg::kOk), QMessageBox::AcceptRole);
    box->setDefaultButton(ok);
    box->setEscapeButton(ok);
    return box;
}

class TStandardBoxes : public TBoxes {
public:
    void Message(QWidget* owner, const QString& text) override { MakeMessageBox(owner, text)->exec(); }

    void Error(QWidget* owner, const QString& caption, const QString& text) override {
        MakeErrorBox(owner, caption, text)->exec();
    }

    std::optional<dbaccess::TLogin> Login(QWidget* owner, const QString& databaseName,
                                          const QString& userName) override {
        // Owned by the dialog, the login box came up unpainted under X11; without
        // an owner it is application-modal, which holds the dialog all the same.
        Q_UNUSED(owner);
        TLoginDialog login(nullptr, databaseName, userName);
        login.setWindowModality(Qt::ApplicationModal);
        if (login.exec() != QDialog::Accepted) return std::nullopt;
        return login.Entered();
    }
};

}  // namespace

TBoxes& StandardBoxes() {
    static TStandardBoxes boxes;
    return boxes;
}

std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& text) {
    return MakeBox(owner, QMessageBox::Information, QString::fromUtf8(dialog::msg::kMessageCaption), text);
}

std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* owner, const QString& caption, const QString& text) {
    return MakeBox(owner, QMessageBox::Critical, caption, text);
}

QString ErrorBoxText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.')) return message + QLatin1Char('.');
    return message;
}
