#include "FatalError.h"

#include <cxxabi.h>

#include <QMessageBox>
#include <cstdio>
#include <cstdlib>
#include <memory>

QString FatalErrorText(const QString& typeName, const TThrowSite& site, const QString& message) {
    const QString fullStop = message.isEmpty() || message.endsWith(QLatin1Char('.')) ? QString() : QStringLiteral(".");
    return QStringLiteral("Exception %1 in module %2 at %3.\n%4%5")
        .arg(typeName, site.moduleName, QStringLiteral("%1").arg(site.offset, 8, 16, QLatin1Char('0')).toUpper(),
             message, fullStop);
}

QString CurrentExceptionTypeName() {
    const std::type_info* type = abi::__cxa_current_exception_type();
    if (!type) return QString();
    int status = 0;
    std::unique_ptr<char, decltype(&std::free)> demangled(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                          &std::free);
    return QString::fromUtf8(status == 0 && demangled ? demangled.get() : type->name());
}

void ShowFatalError(const QString& text) {
    // A user who started the program from a terminal sees why it ended there too.
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), text, QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}
