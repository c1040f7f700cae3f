#pragma once

#include <QDialog>

#include "dbaccess/Driver.h"

class QLabel;
class QLineEdit;
class QPushButton;

// The login box shown before connecting to an alias that names a user: the
// connection's DatabaseName, a user name and a masked password, "&OK" and "Cancel".
class TLoginDialog : public QDialog {
    Q_OBJECT
public:
    // `userName` is filled in; the focus starts in the password edit when it is
    // not empty, else in the user-name edit.
    TLoginDialog(QWidget* owner, const QString& databaseName, const QString& userName);

    // What the user entered, as UTF-8.
    dbaccess::TLogin Entered() const;

    QLabel* DatabaseLabel;
    QLineEdit* UserName;
    QLineEdit* Password;
    QPushButton* OKButton;
    QPushButton* CancelButton;
};
