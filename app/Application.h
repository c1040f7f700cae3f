#pragma once

#include <QApplication>
#include <QString>

// The application object: takes its title from the executable's name and its
// icon from the resource MAINICON, and catches every failure that escapes a
// handler while the loop runs.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);

    // Dispatches the event; a failure that escapes goes to the dialog's error
    // box and the loop goes on.
    bool notify(QObject* receiver, QEvent* event) override;
};

// The application title for an executable at `executablePath`: the name after
// the last "/" or "\", cut at its first dot, every character after the first in
// lower case ("C:\\ABC.DEF.EXE" gives "Abc").
QString ApplicationTitle(const QString& executablePath);
