#pragma once
// The cover file named on the command line opens once start-up is done: as
// soon as the message loop runs, with the window shown, through the window's
// open flow; its errors go to the error report.
#include <QString>

class TMainForm;

void OpenCoverFileAfterStartUp(TMainForm& form, const QString& fileName);
