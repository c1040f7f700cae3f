#pragma once

#include <QString>
#include <QtGlobal>

// Where a failure was raised: the module's file name without folder and the
// offset from the module's start.
struct TThrowSite {
    QString moduleName;
    quintptr offset = 0;
};

// The fatal error box's text: "Exception %s in module %s at %p." and, on a
// second line, the message with "." added unless it is empty or ends in one.
QString FatalErrorText(const QString& typeName, const TThrowSite& site, const QString& message);

// The demangled type name of the exception being handled; call inside a catch.
QString CurrentExceptionTypeName();

// Shows the fatal error box, "Application Error", with no owner; returns once
// the user has closed it. The text also goes to the standard error stream.
void ShowFatalError(const QString& text);
