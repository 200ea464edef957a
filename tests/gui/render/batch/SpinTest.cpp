// plenamar-render's spins: the frames of one turn in a looping WebP or as
// numbered pictures, framed once for them all, and shared among workers.
#include "tests/gui/render/BandedCovers.h"
#include "tests/support/TestGL.h"
#include "tests/support/WebPFrames.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class Spin : public testing::Test {
protected:
    void SetUp() override { MakeTestContext(1, 1); }

    // Runs the program without a display (EGL); its standard error, or
    // "exit N: ..." when it fails.
    QString Run(const QStringList& args) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("DISPLAY");
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(Folder.path());
        process.start(PLENAMAR_RENDER_PROGRAM, args);
        if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
            return "did not finish";
        const QString err = QString::fromUtf8(process.readAllStandardError());
        return process.exitCode() == 0 ? err : QString("exit %1: %2").arg(process.exitCode()).arg(err);
    }

    QString Path(const QString& name) const { return QDir(Folder.path()).filePath(name); }

    static QByteArray Bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir Folder;
};

// The bounds of the pixels with any alpha.
QRect Opaque(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Which face the picture's centre shows: the cover's red bands, the spine's
// green ones, or neither.
const char* CentreFace(const QImage& image)
{
    const QColor c = image.pixelColor(image.width() / 2, image.height() / 2);
    if (c.red() > c.green() + 40 && c.red() > c.blue() + 40)
        return "cover";
    if (c.green() > c.red() + 40 && c.green() > c.blue() + 40)
        return "spine";
    return "other";
}

} // namespace

TEST_F(Spin, OneLoopingWebPTurnsOnceWithTheFramingFixed)
{
    const QString cover = WriteBandedCover(Folder.path(), "box.cov");
    const QStringList common{"--spin", "8", "--fps", "10", "--size", "100x160", "--samples", "2", "--transparent",
                             "--look", "window", "--angles", "0,0", cover};
    const QString err = Run(common + QStringList{"-o", Path("spin.webp")});
    ASSERT_FALSE(err.startsWith("exit")) << err.toStdString();
    const TWebPFrames spin = ReadWebPFile(Path("spin.webp"));
    ASSERT_TRUE(spin.Read);
    EXPECT_EQ(QSize(spin.Width, spin.Height), QSize(100, 160));
    EXPECT_EQ(spin.Loops, 0);
    ASSERT_EQ(spin.Frames.size(), 8u);
    EXPECT_EQ(spin.Timestamps.back(), 800);
    // The cover, a quarter turn on the spine, half a turn the back (the
    // cover's image again), then the side across from the spine.
    const char* faces[] = {"cover", "other", "spine", "other", "cover", "other", "other", "other"};
    const QRect first = Opaque(spin.Frames[0]);
    for (size_t f = 0; f < spin.Frames.size(); ++f) {
        SCOPED_TRACE(testing::Message() << "frame " << f);
        const QImage& frame = spin.Frames[f];
        if (std::string(faces[f]) != "other") {
            EXPECT_STREQ(CentreFace(frame), faces[f]);
        }
        // Around it all is clear, and the box stays put: its middle and its
        // foot move only as the perspective of its turn moves them.
        EXPECT_EQ(qAlpha(frame.pixel(0, 0)), 0);
        const QRect box = Opaque(frame);
        EXPECT_TRUE(box.left() > 0 && box.top() > 0 && box.right() < 99 && box.bottom() < 159)
            << box.left() << "," << box.top() << " " << box.right() << "," << box.bottom();
        EXPECT_NEAR(box.center().x(), 50, 5);
        EXPECT_NEAR(box.bottom(), first.bottom(), 20);
    }

    // Without a margin the spin's frames together reach the picture's edges,
    // and the first, the box's narrowest view but for the spine's, reaches none.
    ASSERT_FALSE(Run(common + QStringList{"--margin", "0", "-o", Path("tight.webp")}).startsWith("exit"));
    const TWebPFrames tight = ReadWebPFile(Path("tight.webp"));
    ASSERT_EQ(tight.Frames.size(), 8u);
    QRect all;
    for (const QImage& frame : tight.Frames)
        all |= Opaque(frame);
    EXPECT_TRUE(all.left() <= 1 || all.right() >= 98 || all.top() <= 1 || all.bottom() >= 158);
    const QRect front = Opaque(tight.Frames[0]);
    EXPECT_TRUE(front.left() > 1 && front.top() > 1 && front.right() < 98 && front.bottom() < 158)
        << front.left() << "," << front.top() << " " << front.right() << "," << front.bottom();
}

TEST_F(Spin, AnyNumberOfWorkersWritesTheSameFilesAndNoFrameIsLeft)
{
    const QString cover = WriteBandedCover(Folder.path(), "box.cov");
    QFile list(Path("spins.csv"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write(QString("name,cover,spin,swing,format\n"
                       "turn,box.cov,5,,webp\n"
                       "rock,box.cov,3,30,png\n"
                       "still,box.cov,,,jpg\n")
                   .toUtf8());
    list.close();
    QByteArray spins[2];
    std::map<QString, QByteArray> lists[2];
    for (const int jobs : {1, 2}) {
        const QStringList common{"--jobs", QString::number(jobs), "--size", "90x70", "--samples", "2"};
        const QString single = Run(common + QStringList{"--spin", "6", "--angles", "20,-30", "-o",
                                                        Path(QString("spin%1.webp").arg(jobs)), cover});
        ASSERT_FALSE(single.startsWith("exit")) << single.toStdString();
        EXPECT_TRUE(single.contains("6 of 6 pictures: 6 written, 0 skipped, 0 failed")) << single.toStdString();
        spins[jobs - 1] = Bytes(Path(QString("spin%1.webp").arg(jobs)));
        const QString out = Path(QString("out%1").arg(jobs));
        const QString listed = Run(common + QStringList{"--list", Path("spins.csv"), "--out-dir", out});
        ASSERT_FALSE(listed.startsWith("exit")) << listed.toStdString();
        for (const QString& file : QDir(out).entryList(QDir::Files | QDir::Hidden))
            lists[jobs - 1][file] = Bytes(QDir(out).filePath(file));
    }
    EXPECT_EQ(ReadWebPFrames(spins[0]).Frames.size(), 6u);
    EXPECT_TRUE(spins[0] == spins[1]);
    std::vector<QString> names;
    for (const auto& [name, bytes] : lists[0])
        names.push_back(name);
    EXPECT_EQ(names, (std::vector<QString>{"rock-x25_y30-0.png", "rock-x25_y30-1.png", "rock-x25_y30-2.png",
                                           "still-x25_y30.jpg", "turn-x25_y30.webp"}));
    EXPECT_EQ(ReadWebPFrames(lists[0]["turn-x25_y30.webp"]).Frames.size(), 5u);
    EXPECT_TRUE(lists[0] == lists[1]);
    EXPECT_EQ(QDir(Folder.path()).entryList({".*.frame"}, QDir::Files | QDir::Hidden), QStringList());
}
