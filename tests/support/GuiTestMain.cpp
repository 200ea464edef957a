// Entry of the test programs that need a QApplication: windows, GL contexts.
#include "platform/ErrorReport.h"

#include <QApplication>
#include <dlfcn.h>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    // Mesa unloads its driver when the display closes, before the leak check
    // at exit could name the driver's own allocations; keeping it mapped lets
    // tools/lsan.supp recognise them.
    dlopen(MESA_DRIVER_PATH, RTLD_LAZY | RTLD_NODELETE);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // An error that a test does not expect fails it with its message, where the
    // program would show a message box that nobody here could close.
    SetErrorReporter([](const QString& message) { ADD_FAILURE() << "error reported: " << message.toStdString(); });
    return RUN_ALL_TESTS();
}
