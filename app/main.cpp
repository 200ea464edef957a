// Plenamar: a box view of flat artwork. Takes no command-line arguments.
#include "ui/HelpUnit.h"
#include "ui/Main.h"

#include <QApplication>
#include <memory>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationDisplayName(QString());
    auto mainForm = std::make_unique<TMainForm>();
    auto helpForm = std::make_unique<THelpForm>();
    mainForm->HelpForm = helpForm.get();
    mainForm->show();
    const int result = QApplication::exec();
    mainForm.reset();
    helpForm.reset();
    return result;
}
