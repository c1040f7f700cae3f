#pragma once

#include <QString>
#include <memory>
#include <optional>

#include "dbaccess/Driver.h"

class QDialog;
class QMessageBox;
class QWidget;

// The modal boxes the dialog opens. Every box goes through one of these, so a
// test can answer them without a person.
class TBoxes {
public:
    virtual ~TBoxes() = default;

    // The message box: returns once the user has closed it, however.
    virtual void Message(QWidget* owner, const QString& text) = 0;
    // The error box for a failure that escaped a handler; `text` is final.
    virtual void Error(QWidget* owner, const QString& caption, const QString& text) = 0;
    // The login box; nullopt when the user cancelled it.
    virtual std::optional<dbaccess::TLogin> Login(QWidget* owner, const QString& databaseName,
                                                  const QString& userName) = 0;
};

// The real boxes, each run modally until the user closes it.
TBoxes& StandardBoxes();

// The message box, ready to run: caption "Informação", information icon, one
// "OK" that is both default and escape, centred on `owner`'s screen.
std::unique_ptr<QMessageBox> MakeMessageBox(QWidget* owner, const QString& text);
// The error box, ready to run: stop icon and one OK.
std::unique_ptr<QMessageBox> MakeErrorBox(QWidget* owner, const QString& caption, const QString& text);

// The error box's text: the message with "." added when it is not empty and its
// last character comes after "." in character-code order.
QString ErrorBoxText(const QString& message);
