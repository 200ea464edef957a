// Plenamar: a box view of flat artwork. The command line may name a cover
// file to open once start-up is done (WindowArguments.h).
#include "app/GivenCoverFile.h"
#include "app/WindowArguments.h"
#include "ui/HelpUnit.h"
#include "ui/Main.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <iostream>
#include <memory>
#include <optional>

namespace {

// --help, --version and a mistaken command line are answered before any
// window or display is needed: the exit status, or nothing to start the window.
std::optional<int> AnswerWithoutWindow(const TWindowArguments& arguments)
{
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
    return std::nullopt;
}

// The argument vector of the application object: the program's name and Qt's
// own options, never the cover file's name, which Qt might take for one.
class TQtArgv {
public:
    TQtArgv(const char* program, const std::vector<std::string>& qtArguments) : Strings_{program}
    {
        Strings_.insert(Strings_.end(), qtArguments.begin(), qtArguments.end());
        for (std::string& argument : Strings_)
            Pointers_.push_back(argument.data());
        Pointers_.push_back(nullptr);
        Count = int(Strings_.size());
    }

    int Count = 0;  // Qt keeps a reference to it
    char** Values() { return Pointers_.data(); }

private:
    std::vector<std::string> Strings_;
    std::vector<char*> Pointers_;
};

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
    if (const std::optional<int> status = AnswerWithoutWindow(arguments))
        return *status;

    TQtArgv qtArgv(argv[0], arguments.QtArguments);
    QApplication application(qtArgv.Count, qtArgv.Values());
    QApplication::setApplicationDisplayName(QString());
    QApplication::setWindowIcon(ProgramIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral(PLENAMAR_APP_ID));
    auto mainForm = std::make_unique<TMainForm>();
    auto helpForm = std::make_unique<THelpForm>();
    mainForm->HelpForm = helpForm.get();
    mainForm->show();
    if (arguments.CoverFile)
        OpenCoverFileAfterStartUp(*mainForm, QFile::decodeName(arguments.CoverFile->c_str()));
    const int result = QApplication::exec();
    mainForm.reset();
    helpForm.reset();
    return result;
}
