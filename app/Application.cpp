#include "Application.h"

#include <QIcon>
#include <exception>

#include "dialog/UTraslado.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // The title is the application's name, not its display name: Qt would add
    // a display name to the dialog's caption.
    setApplicationName(ApplicationTitle(applicationFilePath()));
    setWindowIcon(QIcon(QStringLiteral(":/MAINICON")));
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        if (F_Traslado) F_Traslado->ShowError(error.what());
    }
    return false;
}

QString ApplicationTitle(const QString& executablePath) {
    const qsizetype separator =
        std::max(executablePath.lastIndexOf(QLatin1Char('/')), executablePath.lastIndexOf(QLatin1Char('\\')));
    QString title = executablePath.mid(separator + 1);
    title.truncate(title.indexOf(QLatin1Char('.')) < 0 ? title.size() : title.indexOf(QLatin1Char('.')));
    if (title.isEmpty()) return title;
    return title.left(1) + title.mid(1).toLower();
}
