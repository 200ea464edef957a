// The cover file named on the command line opens after start-up, once the
// message loop runs, and its errors reach the error report.
#include "app/GivenCoverFile.h"
#include "tests/support/MainFormFixture.h"

using GivenCoverFile = TMainFormFixture;

TEST_F(GivenCoverFile, OpensOnceTheMessageLoopRuns)
{
    ASSERT_TRUE(QFile::copy(Work.filePath("cover.jpg"), Work.filePath("front.jpg")));
    QFile cover(Work.filePath("box.cov"));
    ASSERT_TRUE(cover.open(QIODevice::WriteOnly));
    cover.write("[Properties]\nCover=front.jpg\nSpine=spine.jpg\nTop=top.jpg\nFloor=floor.jpg\n"
                "[Sizes]\nWidth=7\nHeight=8\nDepth=9\n");
    cover.close();
    OpenCoverFileAfterStartUp(*Form, QStringLiteral("box.cov"));
    EXPECT_TRUE(Form->CoverFileName.empty());
    QApplication::processEvents();
    EXPECT_EQ(Form->CoverFileName, Work.filePath("box.cov").toStdString());
    EXPECT_EQ(Sizes(), (std::array<int, 3>{7, 8, 9}));
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();

    OpenCoverFileAfterStartUp(*Form, Work.filePath("gone.cov"));
    QApplication::processEvents();
    EXPECT_EQ(Errors, QStringList{"Cannot open file " + Work.filePath("gone.cov") + ": No such file or directory"});
}
