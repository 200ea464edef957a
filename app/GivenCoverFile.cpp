#include "app/GivenCoverFile.h"

#include "platform/ErrorReport.h"
#include "ui/Main.h"

#include <QTimer>

void OpenCoverFileAfterStartUp(TMainForm& form, const QString& fileName)
{
    QTimer::singleShot(0, &form, [&form, fileName] { RunGuarded([&] { form.OpenGivenCoverFile(fileName); }); });
}
