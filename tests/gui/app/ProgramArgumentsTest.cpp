// The window program's answers that need no window: --help, --version and a
// mistaken command line, given with no display to open a window on.
#include "app/WindowArguments.h"

#include <QProcess>
#include <gtest/gtest.h>

namespace {

struct TRun {
    int Exit = -1;
    QString Out, Err;
};

TRun RunWithoutDisplay(const QStringList& args)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(PLENAMAR_PROGRAM, args);
    TRun run;
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished();
        return run;
    }
    run.Exit = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    run.Out = QString::fromUtf8(program.readAllStandardOutput());
    run.Err = QString::fromUtf8(program.readAllStandardError());
    return run;
}

} // namespace

TEST(Program, HelpAndVersionAnswerOnStandardOutput)
{
    for (const QString help : {"--help", "-h"}) {
        const TRun run = RunWithoutDisplay({help, "box.cov"});
        EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
        EXPECT_EQ(run.Out, QString::fromUtf8(WindowUsage));
        EXPECT_EQ(run.Err, "");
    }
    const TRun run = RunWithoutDisplay({"--version"});
    EXPECT_EQ(run.Exit, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Out.startsWith("plenamar ") && run.Out.endsWith("\n")) << run.Out.toStdString();
}

TEST(Program, AMistakeIsNamedOnStandardErrorWithStatus2)
{
    const TRun run = RunWithoutDisplay({"--bogus", "box.cov"});
    EXPECT_EQ(run.Exit, 2);
    EXPECT_EQ(run.Out, "");
    EXPECT_EQ(run.Err, "plenamar: unknown option --bogus\n" + QString::fromUtf8(WindowUsage));
}
