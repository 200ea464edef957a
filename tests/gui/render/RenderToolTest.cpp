// Runs the plenamar-render program itself, with a display (Qt's context) and
// without one (EGL's surfaceless platform).
#include "tests/gui/render/BandedCovers.h"
#include "tests/support/TestGL.h"
#include "tests/support/Unprivileged.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

struct TRun {
    int ExitCode = -1;
    QString Err;
};

enum class TDisplay { Kept, Removed };

class RenderTool : public testing::TestWithParam<TDisplay> {
protected:
    // The program draws with OpenGL: without it here, these tests cannot pass.
    void SetUp() override { MakeTestContext(1, 1); }

    TRun Run(const QStringList& args, const QProcessEnvironment& extra = {}, bool unprivileged = false) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        QString program = PLENAMAR_RENDER_PROGRAM;
        if (unprivileged) {
            const TUnprivilegedCopy copy = UnprivilegedCopy(PLENAMAR_RENDER_PROGRAM, Folder.path().toStdString());
            if (!copy.Why.empty())
                return {-1, QString::fromStdString(copy.Why)};
            program = QString::fromStdString(copy.Program);
            if (!copy.LeakOptions.empty())
                environment.insert("LSAN_OPTIONS", QString::fromStdString(copy.LeakOptions));
            process.setChildProcessModifier([] {
                if (!DropToUnprivilegedUser())
                    _exit(126);
            });
        }
        if (GetParam() == TDisplay::Removed) {
            environment.remove("DISPLAY");
            environment.remove("WAYLAND_DISPLAY");
        }
        for (const QString& key : extra.keys())
            environment.insert(key, extra.value(key));
        process.setProcessEnvironment(environment);
        process.start(program, args);
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
            return {-1, program + " did not finish: " + process.errorString()};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
    }

    QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }
    QString Cover(const QString& name, const QString& options = {}) const
    {
        return WriteBandedCover(Folder.path(), name, options);
    }

    QTemporaryDir Folder;
};

INSTANTIATE_TEST_SUITE_P(Display, RenderTool, testing::Values(TDisplay::Kept, TDisplay::Removed),
                         [](const auto& info) { return info.param == TDisplay::Kept ? "Kept" : "Removed"; });

} // namespace

TEST_P(RenderTool, WritesOnePictureAtTheDefaultSizeWithoutProgress)
{
    const TRun run = Run({"--look", "window", "-o", Path("box.png"), Cover("box.cov")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    // Qt may warn about its environment; the tool itself says nothing.
    EXPECT_FALSE(run.Err.contains("plenamar-render") || run.Err.contains("[1/1]")) << run.Err.toStdString();
    const QImage image(Path("box.png"));
    ASSERT_EQ(image.size(), QSize(1150, 880));
    EXPECT_FALSE(image.hasAlphaChannel());
    EXPECT_EQ(ColourIndex(image.pixelColor(575, 250)), Upper(TCoverImage::Cover));  // the cover face, upright
    EXPECT_EQ(ColourIndex(image.pixelColor(575, 630)), Lower(TCoverImage::Cover));
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white));
}

TEST_P(RenderTool, TransparentGivesAlpha0AroundTheBoxAnd255OnIt)
{
    const TRun run = Run({"--transparent", "--preset", "2", "--size", "400x300", "-o", Path("t.png"), Cover("box.cov")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    const QImage image = QImage(Path("t.png")).convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(400, 300));
    for (const QPoint corner : {QPoint(0, 0), QPoint(399, 0), QPoint(0, 299), QPoint(399, 299)})
        EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
    EXPECT_EQ(qAlpha(image.pixel(200, 150)), 255);
    // The box shares the picture with its shadow, which is black.
    int opaque = 0, clear = 0, shadow = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 400; ++x) {
            const QRgb p = image.pixel(x, y);
            opaque += qAlpha(p) == 255;
            clear += qAlpha(p) == 0;
            shadow += qAlpha(p) > 0 && qAlpha(p) < 128 && qRed(p) + qGreen(p) + qBlue(p) == 0;
        }
    EXPECT_GT(opaque, 400 * 300 / 6);
    EXPECT_GT(clear, 400 * 300 / 5);
    EXPECT_GT(shadow, 400 * 300 / 20);
}

TEST_P(RenderTool, FormatFollowsTheExtension)
{
    const QString cover = Cover("box.cov");
    for (const char* name : {"a.png", "a.PNG", "a.bmp", "a.BMP", "a.jpg", "a.JPG", "a.jpeg"}) {
        SCOPED_TRACE(name);
        const TRun run = Run({"--look", "window", "--size", "120x90", "--samples", "1", "-o", Path(name), cover});
        EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray head = file.read(4);
        const QString extension = QFileInfo(name).suffix().toLower();
        if (extension == "png")
            EXPECT_EQ(head, QByteArray("\x89PNG", 4));
        else if (extension == "bmp")
            EXPECT_EQ(head.left(2), QByteArray("BM"));
        else
            EXPECT_EQ(head.left(3), QByteArray("\xFF\xD8\xFF", 3));
        const QImage image(Path(name));
        EXPECT_EQ(image.size(), QSize(120, 90));
        EXPECT_EQ(ColourIndex(image.pixelColor(60, 25)), Upper(TCoverImage::Cover));
    }
    for (const char* name : {"a.gif", "a.tiff", "a", "a.png.txt"}) {
        SCOPED_TRACE(name);
        const TRun run = Run({"-o", Path(name), cover});
        EXPECT_EQ(run.ExitCode, 2);
        EXPECT_TRUE(run.Err.contains("must end in .png, .jpg, .bmp or .webp")) << run.Err.toStdString();
        EXPECT_FALSE(QFile::exists(Path(name)));
    }
}

TEST_P(RenderTool, BatchWritesWhatItCanAndNamesEachFailure)
{
    const QString good = Cover("good.cov");
    const QString blocked = Cover("blocked.cov", "Back=1\n");
    const QString last = Cover("last.cov", "Open=1\n");
    // A cover whose front image is missing from its folder.
    ASSERT_TRUE(QDir(Folder.path()).mkdir("lost"));
    const QString lost = WriteBandedCover(Path("lost"), "lost.cov");
    ASSERT_TRUE(QFile::remove(QDir(Path("lost")).filePath("cover.bmp")));
    // A cover file that is no cover file.
    QFile broken(Path("broken.cov"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray("\x00\x01\xFFnot an ini file", 18));
    broken.close();
    // A folder where one picture should go makes it unwritable.
    ASSERT_TRUE(QDir(Folder.path()).mkpath("out/blocked-x25_y30.png"));

    const TRun run = Run({"--out-dir", Path("out"), "--size", "100x100", "--samples", "1", good, lost,
                          Path("broken.cov"), blocked, last});
    EXPECT_EQ(run.ExitCode, 1);
    const std::string err = run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(lost + ": Cannot open file " + QDir(Path("lost")).filePath("cover.bmp") +
                                 ": No such file or directory"))
        << err;
    EXPECT_TRUE(run.Err.contains(Path("broken.cov") + ": no Cover image is named under [Properties]")) << err;
    EXPECT_TRUE(run.Err.contains(blocked + ": Cannot create file " + Path("out/blocked-x25_y30.png") + ": ")) << err;
    EXPECT_TRUE(run.Err.contains("/5] wrote " + Path("out/good-x25_y30.png"))) << err;
    EXPECT_TRUE(run.Err.contains("/5] wrote " + Path("out/last-x25_y30.png"))) << err;
    EXPECT_TRUE(run.Err.contains("5 of 5 pictures: 2 written, 0 skipped, 3 failed")) << err;
    EXPECT_EQ(QImage(Path("out/good-x25_y30.png")).size(), QSize(100, 100));
    EXPECT_EQ(QImage(Path("out/last-x25_y30.png")).size(), QSize(100, 100));
    EXPECT_FALSE(QFile::exists(Path("out/lost-x25_y30.png")));
    EXPECT_FALSE(QFile::exists(Path("out/broken-x25_y30.png")));
}

TEST_P(RenderTool, AReadOnlyPictureIsRefusedInEveryFormatAndALinkWritesItsTarget)
{
    if (GetParam() == TDisplay::Kept)
        GTEST_SKIP() << "an unprivileged user may not use the test's display; the writer is the same";
    const QString cover = Cover("box.cov");
    HandToUnprivilegedUser(Folder.path().toStdString());
    const QStringList small{"--size", "64x48", "--samples", "1", "-o"};
    for (const char* name : {"ro.png", "ro.bmp", "ro.jpg"}) {
        SCOPED_TRACE(name);
        WriteReadOnlyFile(Path(name).toStdString(), "mine");
        const TRun run = Run(small + QStringList{Path(name), cover}, {}, true);
        EXPECT_EQ(run.ExitCode, 1) << run.Err.toStdString();
        EXPECT_TRUE(run.Err.contains(cover + ": Cannot create file " + Path(name) + ": Permission denied"))
            << run.Err.toStdString();
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), "mine");
    }
    ASSERT_TRUE(QFile::link("target.png", Path("link.png")));
    const TRun run = Run(small + QStringList{Path("link.png"), cover}, {}, true);
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    EXPECT_TRUE(QFileInfo(Path("link.png")).isSymLink());
    EXPECT_EQ(QImage(Path("target.png")).size(), QSize(64, 48));
}

TEST_P(RenderTool, EveryPresetOfEveryCoverInOneRun)
{
    const TRun run = Run({"--preset", "all", "--out-dir", Path("shots"), "--size", "64x64", Cover("a.cov"),
                          Cover("b.cov", "Book=1\nFloor=1\n")});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    for (const char* cover : {"a", "b"})
        for (int preset = 0; preset < 5; ++preset)
            EXPECT_TRUE(QFile::exists(Path(QString("shots/%1-preset%2.png").arg(cover).arg(preset))));
    EXPECT_EQ(run.Err.count(" wrote "), 10);
}

TEST_P(RenderTool, BadArgumentsExit2WithOneLineAndWhereToLook)
{
    const QString cover = Cover("box.cov");
    const std::pair<QStringList, QString> cases[] = {
        {{}, "give a cover file, --front FILE or --wrap FILE"},
        {{cover}, "give either -o FILE or --out-dir DIR"},
        {{"--size", "0x5", "-o", "a.png", cover}, "--size takes WIDTHxHEIGHT, each from 1 to 65535, not \"0x5\""},
        {{"--bogus", "-o", "a.png", cover}, "unknown option --bogus"},
        {{"-o", "a.png", cover, cover}, "-o writes one picture, and these options make 2: use --out-dir DIR"},
        {{"-o", Path("a.png"), "-o", Path("b.png"), cover}, "-o is given twice: give each option once"},
    };
    for (const auto& [args, message] : cases) {
        const TRun run = Run(args);
        EXPECT_EQ(run.ExitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(run.Err, "plenamar-render: " + message + "\nTry 'plenamar-render --help'.\n");
    }
    EXPECT_FALSE(QFile::exists(Path("a.png")) || QFile::exists(Path("b.png")));
}

TEST_P(RenderTool, TiledFilesOfEveryFormatShowTheWholePicture)
{
    // Drawn in tiles of 64 and written strip by strip, each file shows what
    // one tile of the whole picture shows; a BMP's rows run bottom-up.
    const QString cover = Cover("box.cov", "Floor=1\n");
    for (const char* extension : {"png", "bmp", "jpg"}) {
        SCOPED_TRACE(extension);
        const QString whole = Path(QString("whole.") + extension), tiled = Path(QString("tiled.") + extension);
        for (const auto& [file, tile] : {std::pair(whole, "4096"), std::pair(tiled, "64")}) {
            const TRun run = Run({"--size", "300x170", "--preset", "2", "--tile", tile, "-o", file, cover});
            ASSERT_EQ(run.ExitCode, 0) << run.Err.toStdString();
        }
        const QImage a(whole), b(tiled);
        ASSERT_EQ(a.size(), QSize(300, 170));
        ASSERT_EQ(b.size(), a.size());
        int far = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                far += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 48;
            }
        EXPECT_LE(far, 5);
    }
}

TEST_P(RenderTool, AFileSizeLimitFailsThePictureAndLeavesNoTemporary)
{
    // Past the limit a write fails as on a full disk: the picture is named
    // with the reason, and neither it nor its temporary file is left.
    const QString cover = Cover("box.cov");
    QProcess shell;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (GetParam() == TDisplay::Removed)
        environment.remove("DISPLAY");
    shell.setProcessEnvironment(environment);
    shell.start("/bin/sh", {"-c", "ulimit -f 64 && exec \"$0\" \"$@\"", PLENAMAR_RENDER_PROGRAM, "--size",
                            "600x600", "-o", Path("big.bmp"), cover});
    ASSERT_TRUE(shell.waitForFinished(60000));
    EXPECT_EQ(shell.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(shell.exitCode(), 1);
    EXPECT_TRUE(QString::fromUtf8(shell.readAllStandardError()).contains(": File too large"));
    EXPECT_TRUE(QDir(Folder.path()).entryList({"big.bmp*"}, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_P(RenderTool, NamesThatAreNotUtf8AreTakenAsTheyComeAndPrintedEscaped)
{
    if (GetParam() == TDisplay::Kept)
        GTEST_SKIP() << "names are read the same either way";
    // "caf\xE9" is Latin-1: no QString holds it, so these files are made by their bytes.
    const std::string folder = Folder.path().toStdString() + "/", cafe = "caf\xE9";
    WriteBandedImages(Folder.path());
    ASSERT_EQ(std::rename((folder + "cover.bmp").c_str(), (folder + cafe + ".bmp").c_str()), 0);
    std::ofstream(folder + cafe + ".cov") << "[Properties]\nCover=" << cafe << ".bmp\n";
    std::ofstream(folder + "list.csv") << "cover,front,output\n" << cafe << ".cov,,list-" << cafe << ".png\n,gone-"
                                       << cafe << ".bmp,gone.png\n";
    // On the command line (by the shell: QProcess passes no such bytes), in a cover file and in a list.
    QProcess shell;
    shell.setWorkingDirectory(Folder.path());
    shell.start("/bin/sh", {"-c", "n=$(printf 'caf\\351') && \"$0\" --size 40x40 -o \"arg-$n.png\" --front \"$n.bmp\" && "
                                  "exec \"$0\" --size 40x40 --list list.csv --out-dir out",
                            PLENAMAR_RENDER_PROGRAM});
    ASSERT_TRUE(shell.waitForFinished(60000));
    const QString err = QString::fromUtf8(shell.readAllStandardError());
    EXPECT_EQ(shell.exitCode(), 1) << err.toStdString();
    EXPECT_TRUE(err.contains("list.csv row 3: Cannot open file gone-caf\\xE9.bmp: No such file or directory"))
        << err.toStdString();
    for (const std::string& name : {"arg-" + cafe + ".png", "out/list-" + cafe + ".png"})
        EXPECT_EQ(access((folder + name).c_str(), F_OK), 0) << name;
    // QTemporaryDir cannot name these files to remove them.
    for (const std::string& name : {cafe + ".bmp", cafe + ".cov", "arg-" + cafe + ".png", "out/list-" + cafe + ".png"})
        std::remove((folder + name).c_str());
}

TEST_P(RenderTool, ReadsOnlyTheImagesThePictureShows)
{
    // The cover and the options, then neither the plain nor the floor image.
    auto coverWithout = [&](const QString& options) {
        const QString cover = Cover("box.cov", options);
        EXPECT_TRUE(QFile::remove(Path("plain.bmp")) && QFile::remove(Path("floor.bmp")));
        return cover;
    };
    const TRun closed = Run({"--size", "60x60", "-o", Path("closed.png"), coverWithout({})});
    EXPECT_EQ(closed.ExitCode, 0) << closed.Err.toStdString();
    EXPECT_TRUE(QFile::exists(Path("closed.png")));
    // The open lid shows the plain image, the floor and the background the floor image.
    const std::pair<const char*, const char*> needs[] = {
        {"Open=1\n", "plain.bmp"}, {"Floor=1\n", "floor.bmp"}, {"Back=1\n", "floor.bmp"}};
    for (const auto& [option, image] : needs) {
        const TRun run = Run({"--size", "60x60", "-o", Path("open.png"), coverWithout(option)});
        EXPECT_EQ(run.ExitCode, 1) << option;
        EXPECT_TRUE(run.Err.contains("Cannot open file " + Path(image) + ": No such file or directory"))
            << run.Err.toStdString();
    }
}

TEST_P(RenderTool, DrawsABoxFromItsImagesAloneAndNamesThoseItCannotRead)
{
    QImage front(20, 30, QImage::Format_RGB32), back(20, 30, QImage::Format_RGB32);
    front.fill(BandColours[0].Upper);
    back.fill(BandColours[1].Upper);
    ASSERT_TRUE(QDir(Folder.path()).mkdir("my art"));
    const QString frontFile = Path("my art/-front.png"), backFile = Path("my art/back.webp");
    ASSERT_TRUE(front.save(frontFile) && back.save(backFile));
    // Turned to show the back, which is drawn upright at the box's own size.
    const TRun turned = Run({"--front", frontFile, "--back", backFile, "--box", "auto", "--angles", "0,180", "--look",
                             "window", "--size", "200x200", "-o", Path("back.png")});
    EXPECT_EQ(turned.ExitCode, 0) << turned.Err.toStdString();
    EXPECT_EQ(ColourIndex(QImage(Path("back.png")).pixelColor(100, 100)), Upper(TCoverImage::Spine));
    // Without a cover file the front names the pictures.
    const TRun named = Run({"--front=" + frontFile, "--preset", "1", "--size", "60x60", "--out-dir", Path("shots")});
    EXPECT_EQ(named.ExitCode, 0) << named.Err.toStdString();
    EXPECT_TRUE(QFile::exists(Path("shots/-front-preset1.png")));

    QFile text(Path("notes.png"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly) && text.write("not a picture") > 0);
    text.close();
    const std::pair<QString, QString> refused[] = {
        {Path("none.png"), ": Cannot open file " + Path("none.png") + ": No such file or directory"},
        {Path("notes.png"), ": Cannot read picture " + Path("notes.png") + ": it is no picture of a format"}};
    // Sizes in millimetres, say, make a box the camera cannot hold.
    const TRun large = Run({"--front", frontFile, "--box", "135x190x14", "-o", Path("refused.png")});
    EXPECT_EQ(large.ExitCode, 1);
    EXPECT_TRUE(large.Err.contains(frontFile + ": a box of 135 x 190 x 14 units is too large for the view"))
        << large.Err.toStdString();
    for (const auto& [file, message] : refused) {
        const TRun run = Run({"--front", file, "--size", "60x60", "-o", Path("refused.png")});
        EXPECT_EQ(run.ExitCode, 1);
        EXPECT_TRUE(run.Err.contains("plenamar-render: " + file + message)) << run.Err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("refused.png")));
}

TEST_P(RenderTool, SaysWhatIsMissingWhenNoContextCanBeMade)
{
    if (GetParam() == TDisplay::Kept)
        GTEST_SKIP() << "Qt's context works here";
    // glvnd finds no EGL driver at all.
    QProcessEnvironment noDriver;
    noDriver.insert("__EGL_VENDOR_LIBRARY_FILENAMES", Path("none.json"));
    const TRun run = Run({"-o", Path("box.png"), Cover("box.cov")}, noDriver);
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_TRUE(run.Err.contains("cannot make an OpenGL context: there is no X display")) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("EGL_MESA_platform_surfaceless")) << run.Err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("box.png")));
}

TEST(RenderToolPaths, BothContextsDrawTheSamePicture)
{
    if (!MakeTestContext(1, 1))
        return;
    QTemporaryDir folder;
    const QString cover = WriteBandedCover(folder.path(), "box.cov", "Open=1\n");
    QImage pictures[2];
    for (int i = 0; i < 2; ++i) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        if (i == 1)
            environment.remove("DISPLAY");
        QProcess process;
        process.setProcessEnvironment(environment);
        const QString out = QDir(folder.path()).filePath(QString("p%1.png").arg(i));
        process.start(PLENAMAR_RENDER_PROGRAM, {"--preset", "2", "--size", "300x300", "-o", out, cover});
        ASSERT_TRUE(process.waitForFinished(60000));
        ASSERT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        pictures[i] = QImage(out).convertToFormat(QImage::Format_RGB32);
    }
    ASSERT_EQ(pictures[0].size(), pictures[1].size());
    int different = 0;
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 300; ++x)
            different += pictures[0].pixel(x, y) != pictures[1].pixel(x, y);
    EXPECT_LT(different, 300 * 300 / 100);
}
