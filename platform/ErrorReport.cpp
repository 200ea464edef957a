#include "platform/ErrorReport.h"

#include <QApplication>
#include <QMessageBox>

namespace {

void ShowMessageBox(const QString& message)
{
    QMessageBox::critical(QApplication::activeWindow(), QApplication::applicationDisplayName(), message);
}

TErrorReporter& CurrentReporter()
{
    static TErrorReporter reporter = ShowMessageBox;
    return reporter;
}

} // namespace

TErrorReporter SetErrorReporter(TErrorReporter reporter)
{
    TErrorReporter previous = CurrentReporter();
    CurrentReporter() = reporter ? std::move(reporter) : TErrorReporter(ShowMessageBox);
    return previous;
}

void ReportError(const QString& message)
{
    CurrentReporter()(message);
}
