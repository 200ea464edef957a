// plenamar-render over lists of boxes: rows, workers, resumed runs, shards.
#include "platform/UsableCpus.h"
#include "tests/gui/render/BandedCovers.h"
#include "tests/support/TestGL.h"

#include <QCryptographicHash>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <csignal>
#include <sched.h>
#include <unistd.h>
#include <gtest/gtest.h>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Err;
};

class RenderFactory : public testing::Test {
protected:
    void SetUp() override { MakeTestContext(1, 1); }

    // Starts the program in the art folder, without a display (EGL).
    void Start(QProcess& process, const QStringList& args) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Folder.path());
        process.start(PLENAMAR_RENDER_PROGRAM, args);
    }

    TRun Run(const QStringList& args) const
    {
        QProcess process;
        Start(process, args);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    // What the started program says on standard error until its first
    // picture is written.
    static QString FirstPicture(QProcess& process)
    {
        QString err;
        process.waitForStarted();
        while (!err.contains("wrote") && process.state() == QProcess::Running) {
            process.waitForReadyRead(200);
            err += QString::fromUtf8(process.readAllStandardError());
        }
        return err;
    }

    // Starts the program with two workers and, once its first picture is
    // out, kills one of them outright (out of memory, say); returns what the
    // program said until then.
    QString KillAWorker(QProcess& process, const QStringList& args) const
    {
        Start(process, args + QStringList{"--jobs", "2"});
        const QString err = FirstPicture(process);
        const std::vector<pid_t> workers = Children(process);
        EXPECT_EQ(workers.size(), 2u);
        if (!workers.empty())
            ::kill(workers[0], SIGKILL);
        return err;
    }

    QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }

    // The processes the started program has started.
    static std::vector<pid_t> Children(const QProcess& process)
    {
        QFile children(QString("/proc/%1/task/%1/children").arg(process.processId()));
        children.open(QIODevice::ReadOnly);
        std::vector<pid_t> pids;
        for (const QByteArray& pid : children.readAll().split(' '))
            if (!pid.trimmed().isEmpty())
                pids.push_back(pid.trimmed().toInt());
        return pids;
    }

    // count rows, each with its own front, spine and back, in poses that vary.
    QString WriteList(int count, const QString& extra = {}) const
    {
        QDir(Folder.path()).mkpath("art");
        QString csv = "name,front,spine,back,preset\n";
        for (int i = 0; i < count; ++i) {
            for (const char* face : {"front", "spine", "back"}) {
                QImage image(face == std::string("spine") ? 8 : 40, 60, QImage::Format_RGB32);
                image.fill(QColor::fromHsv((i * 37 + face[0] * 11) % 360, 200, 220));
                image.save(Path(QString("art/%1-%2.png").arg(face).arg(i)));
            }
            csv += QString("box %1,art/front-%1.png,art/spine-%1.png,art/back-%1.png,%2\n").arg(i).arg(i % 5);
        }
        QFile file(Path("items.csv"));
        file.open(QIODevice::WriteOnly);
        file.write((csv + extra).toUtf8());
        return Path("items.csv");
    }

    // Every file under the folder, by its path inside it, with its contents' hash.
    static std::map<QString, QByteArray> Files(const QString& folder)
    {
        std::map<QString, QByteArray> files;
        QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            files[QDir(folder).relativeFilePath(path)] = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        }
        return files;
    }

    QTemporaryDir Folder;
};

const QStringList Small{"--size", "96x80", "--samples", "4"};

} // namespace

TEST_F(RenderFactory, AnyNumberOfWorkersWritesTheSameBytes)
{
    const QString list = WriteList(7);
    std::map<QString, QByteArray> outputs[2];
    for (const int jobs : {1, 3}) {
        const QString out = Path(QString("out%1").arg(jobs));
        const TRun run = Run(Small + QStringList{"--jobs", QString::number(jobs), "--list", list, "--out-dir", out});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains("7 of 7 pictures: 7 written, 0 skipped, 0 failed")) << run.Err.toStdString();
        outputs[jobs == 3] = Files(out);
    }
    EXPECT_EQ(outputs[0].size(), 7u);
    EXPECT_TRUE(outputs[0].contains("box 3-preset3.png"));
    EXPECT_EQ(outputs[0], outputs[1]);
}

TEST_F(RenderFactory, BadRowsAreNamedAndTheOthersDrawn)
{
    const QString list = WriteList(2, "lost,art/none.png,,,\n"
                                      "odd,art/front-0.png,,,9\n"
                                      "\"with \"\"quotes\"\", and é\",art/front-1.png,,,\n");
    QFile file(list);
    file.open(QIODevice::Append);
    file.write(",art/front-0.png,,,,shelf\n");  // a value past the header's columns
    file.close();
    const TRun run = Run(Small + QStringList{"--list", list, "--out-dir", Path("out")});
    const std::string err = run.Err.toStdString();
    EXPECT_EQ(run.ExitCode, 1) << err;
    EXPECT_TRUE(run.Err.contains("items.csv row 4: Cannot open file " + Path("art/none.png"))) << err;
    EXPECT_TRUE(run.Err.contains("items.csv row 5: --preset takes a whole number from 0 to 4, not \"9\"")) << err;
    EXPECT_TRUE(run.Err.contains("items.csv row 7: the row has 6 cells and the header names 5 columns")) << err;
    EXPECT_TRUE(run.Err.contains("6 of 6 pictures: 3 written, 0 skipped, 3 failed")) << err;
    EXPECT_TRUE(QFile::exists(Path("out/with \"quotes\", and é-x25_y30.png")));

    // A list that cannot be read as a whole is a usage error.
    QFile broken(Path("broken.csv"));
    broken.open(QIODevice::WriteOnly);
    broken.write("name,front\n\"open,a.png\n");
    broken.close();
    const TRun refused = Run({"--list", Path("broken.csv"), "--out-dir", Path("out")});
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_TRUE(refused.Err.startsWith("plenamar-render: " + Path("broken.csv") + " row 2: a quote is opened"))
        << refused.Err.toStdString();
}

TEST_F(RenderFactory, KeepNewerSkipsFinishedPicturesAndRedrawsChangedOnes)
{
    const QString list = WriteList(4);
    const QStringList args = Small + QStringList{"--keep-newer", "--list", list, "--out-dir", Path("out")};
    ASSERT_EQ(Run(args).ExitCode, 0);
    const TRun again = Run(args);
    EXPECT_EQ(again.ExitCode, 0);
    EXPECT_TRUE(again.Err.contains("4 of 4 pictures: 0 written, 4 skipped, 0 failed")) << again.Err.toStdString();
    // A newer spine redraws its box alone.
    QFile spine(Path("art/spine-2.png"));
    ASSERT_TRUE(spine.open(QIODevice::Append));
    ASSERT_TRUE(spine.setFileTime(QDateTime::currentDateTime().addSecs(5), QFileDevice::FileModificationTime));
    spine.close();
    const TRun changed = Run(args);
    EXPECT_TRUE(changed.Err.contains("4 of 4 pictures: 1 written, 3 skipped, 0 failed")) << changed.Err.toStdString();
    EXPECT_TRUE(changed.Err.contains("wrote " + Path("out/box 2-preset2.png"))) << changed.Err.toStdString();
}

TEST_F(RenderFactory, ShardsTogetherDrawEachRowOnce)
{
    const QString list = WriteList(10);
    const QStringList args = QStringList{"--size", "32x32", "--samples", "1", "--jobs", "1", "--list", list};
    ASSERT_EQ(Run(args + QStringList{"--out-dir", Path("whole")}).ExitCode, 0);
    const std::map<QString, QByteArray> whole = Files(Path("whole"));
    ASSERT_EQ(whole.size(), 10u);
    for (const int count : {1, 3, 7}) {
        std::map<QString, QByteArray> together;
        size_t written = 0;
        for (int index = 0; index < count; ++index) {
            const QString out = Path(QString("shards%1/%2").arg(count).arg(index));
            const TRun run = Run(args + QStringList{"--out-dir", out, "--shard", QString("%1/%2").arg(index).arg(count)});
            ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
            const std::map<QString, QByteArray> files = Files(out);
            written += files.size();
            together.insert(files.begin(), files.end());
        }
        EXPECT_EQ(written, whole.size()) << count;  // no file twice
        EXPECT_EQ(together, whole) << count;
    }
}

TEST_F(RenderFactory, AKilledWorkerFailsItsPictureAndTheRunGoesOn)
{
    const QString list = WriteList(12);
    QProcess process;
    QString err =
        KillAWorker(process, {"--size", "700x700", "--samples", "16", "--list", list, "--out-dir", Path("out")});
    ASSERT_TRUE(process.waitForFinished(120000));
    err += QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("the worker process drawing it killed by signal 9 (Killed)")) << err.toStdString();
    EXPECT_TRUE(err.contains("12 of 12 pictures: ")) << err.toStdString();
    EXPECT_GE(Files(Path("out")).size(), 10u);
}

TEST_F(RenderFactory, CtrlCStopsTheWorkersAndLeavesNoTemporaryFile)
{
    const QString list = WriteList(24);
    QProcess process;
    // As from a terminal, whatever this test's own SIGINT is.
    process.setChildProcessModifier([] { signal(SIGINT, SIG_DFL); });
    Start(process, {"--size", "1500x1500", "--tile", "256", "--jobs", "2", "--list", list, "--out-dir", Path("out")});
    QString err = FirstPicture(process);
    ::kill(process.processId(), SIGINT);
    ASSERT_TRUE(process.waitForFinished(60000));
    err += QString::fromUtf8(process.readAllStandardError());
    EXPECT_EQ(process.exitCode(), 128 + SIGINT) << err.toStdString();
    EXPECT_TRUE(err.contains("stopped after ")) << err.toStdString();
    const std::map<QString, QByteArray> files = Files(Path("out"));
    EXPECT_LT(files.size(), 24u);
    for (const auto& [name, hash] : files)
        EXPECT_TRUE(name.endsWith(".png")) << name.toStdString();
}

TEST_F(RenderFactory, ARowOfALargerSizeReadsItsImagesForThatSize)
{
    // A JPEG of fine detail, read reduced for a small picture.
    QDir(Folder.path()).mkpath("art");
    QImage front(1600, 2400, QImage::Format_RGB32);
    for (int y = 0; y < front.height(); ++y)
        for (int x = 0; x < front.width(); ++x)
            front.setPixel(x, y, (x / 3 + y / 5) % 2 ? 0xFF2050A0u : 0xFFE0C040u);
    ASSERT_TRUE(front.save(Path("art/front.jpg"), "JPEG", 90));
    const QString rows[] = {"small,art/front.jpg,60x60\n", "large,art/front.jpg,900x900\n"};
    for (const QString name : {"both", "large"}) {
        QFile list(Path(name + ".csv"));
        list.open(QIODevice::WriteOnly);
        list.write(("name,front,size\n" + (name == "both" ? rows[0] : QString()) + rows[1]).toUtf8());
        list.close();
        const TRun run = Run({"--samples", "1", "--jobs", "1", "--list", list.fileName(), "--out-dir", Path(name)});
        ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    }
    EXPECT_EQ(Files(Path("both")).at("large-x25_y30.png"), Files(Path("large")).at("large-x25_y30.png"));
}

TEST_F(RenderFactory, AKilledWorkerOrRunLeavesNoTemporaryFile)
{
    const QString list = WriteList(24);
    QProcess process;
    // A worker killed halfway through a picture, then, once its successor is
    // drawing, the whole run (a lost node).
    QString err =
        KillAWorker(process, {"--size", "1500x1500", "--tile", "256", "--list", list, "--out-dir", Path("out")});
    while (err.count("wrote") < 2 && process.state() == QProcess::Running) {
        process.waitForReadyRead(200);
        err += QString::fromUtf8(process.readAllStandardError());
    }
    for (const pid_t worker : Children(process))
        ::kill(worker, SIGKILL);
    process.kill();
    ASSERT_TRUE(process.waitForFinished(60000));
    const std::map<QString, QByteArray> files = Files(Path("out"));
    EXPECT_GE(files.size(), 2u) << err.toStdString();
    EXPECT_LT(files.size(), 24u) << err.toStdString();
    for (const auto& [name, hash] : files) {
        EXPECT_TRUE(name.endsWith(".png")) << name.toStdString();
        EXPECT_EQ(QImage(Path("out/" + name)).size(), QSize(1500, 1500)) << name.toStdString();
    }
}

TEST_F(RenderFactory, TheWorkersAreAsManyAsTheCpusTheRunMayUse)
{
    if (UsableCpus() < 2)
        GTEST_SKIP() << "one CPU to use: one worker whatever is given";
    // Enough large pictures that the workers are still there after the first.
    const QString list = WriteList(12);
    struct TCase {
        const char* Name;
        const char* SlurmCpus;  // SLURM_CPUS_PER_TASK, or null
        bool OneCpu;            // an affinity mask of one CPU, as taskset gives
        size_t Workers;         // no worker: drawn in the run's own process
    };
    for (const TCase& given : {TCase{"the machine's", nullptr, false, 2}, TCase{"Slurm's one", "1", false, 0},
                               TCase{"an affinity of one", nullptr, true, 0}}) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        environment.remove("SLURM_CPUS_PER_TASK");
        if (given.SlurmCpus)
            environment.insert("SLURM_CPUS_PER_TASK", given.SlurmCpus);
        process.setProcessEnvironment(environment);
        if (given.OneCpu)
            process.setChildProcessModifier([] {
                cpu_set_t one;
                CPU_ZERO(&one);
                CPU_SET(sched_getcpu(), &one);
                sched_setaffinity(0, sizeof one, &one);
            });
        process.setWorkingDirectory(Folder.path());
        process.start(PLENAMAR_RENDER_PROGRAM,
                      {"--size", "2000x2000", "--samples", "16", "--list", list, "--out-dir", Path(given.Name)});
        FirstPicture(process);
        EXPECT_EQ(Children(process).size(), given.Workers) << given.Name;
        ASSERT_TRUE(process.state() == QProcess::NotRunning || process.waitForFinished(120000));
        EXPECT_EQ(process.exitCode(), 0) << given.Name;
    }
}
