#pragma once
// The application's error report: every handler runs through RunGuarded, so an
// error raised anywhere in it ends that handler, its message is shown, and the
// program goes on. No exception ever crosses Qt's event delivery.
#include "platform/PrintableText.h"

#include <QString>
#include <exception>
#include <functional>

using TErrorReporter = std::function<void(const QString& message)>;

// Replaces the reporter (tests record messages instead of showing a box);
// returns the previous one. An empty reporter restores the message box.
TErrorReporter SetErrorReporter(TErrorReporter reporter);
void ReportError(const QString& message);

template <typename Handler>
void RunGuarded(Handler&& handler) noexcept
{
    try {
        handler();
    } catch (const std::exception& e) {
        ReportError(QString::fromStdString(Printable(e.what(), TControls::Kept)));
    } catch (...) {
        ReportError(QStringLiteral("Unknown error"));
    }
}
