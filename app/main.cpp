// Plenamar: a box view of flat artwork. The command line may name a cover
// file to open once start-up is done (WindowArguments.h).
#include "app/WindowArguments.h"
#include "platform/ErrorReport.h"
#include "ui/HelpUnit.h"
#include "ui/Main.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QTimer>
#include <iostream>
#include <memory>

namespace {

// The program's icon at each size it was drawn at.
QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/assets/appicon/plenamar-%1.png").arg(size));
    return icon;
}

} // namespace

int main(int argc, char** argv)
{
    const TWindowArguments arguments = ParseWindowArguments({argv + 1, argv + argc});
    switch (arguments.Action) {
    case TWindowAction::Help:
        std::cout << WindowUsage;
        return 0;
    case TWindowAction::Version:
        std::cout << "plenamar " PLENAMAR_VERSION "\n";
        return 0;
    case TWindowAction::Refuse:
        std::cerr << "plenamar: " << arguments.Problem << "\n" << WindowUsage;
        return 2;
    case TWindowAction::Run:
        break;
    }

    // The application object sees Qt's own options only, never the cover
    // file's name, which Qt might otherwise take for one of them.
    std::vector<std::string> qtArguments{argv[0]};
    qtArguments.insert(qtArguments.end(), arguments.QtArguments.begin(), arguments.QtArguments.end());
    std::vector<char*> qtArgv;
    for (std::string& argument : qtArguments)
        qtArgv.push_back(argument.data());
    qtArgv.push_back(nullptr);
    int qtArgc = int(qtArguments.size());

    QApplication application(qtArgc, qtArgv.data());
    QApplication::setApplicationDisplayName(QString());
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENAMAR_APP_ID));
    auto mainForm = std::make_unique<TMainForm>();
    auto helpForm = std::make_unique<THelpForm>();
    mainForm->HelpForm = helpForm.get();
    mainForm->show();
    if (arguments.CoverFile)
        QTimer::singleShot(0, mainForm.get(), [&] {
            RunGuarded([&] { mainForm->OpenGivenCoverFile(QFile::decodeName(arguments.CoverFile->c_str())); });
        });
    const int result = QApplication::exec();
    mainForm.reset();
    helpForm.reset();
    return result;
}
