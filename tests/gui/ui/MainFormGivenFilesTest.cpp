// Files given to the main window from outside its dialogs: a cover file named
// on the command line, and files dropped on the window, through the drag and
// drop events the window system delivers.
#include "tests/platform/pictures/PictureTestFiles.h"
#include "tests/support/MainFormFixture.h"
#include "view/ViewPresenter.h"

#include <QCheckBox>
#include <QMimeData>
#include <QUrl>
#include <sys/stat.h>

using namespace view_probes;

namespace {

const QColor Pink(250, 120, 160), Brown(120, 80, 30), Sky(100, 200, 250), Grey(90, 90, 90);

// What a drag and drop did at each of its steps.
struct TDropSeen {
    bool Entered = false;
    bool Moved = false;
    bool Dropped = false;
    Qt::DropAction Proposed = Qt::IgnoreAction;
    Qt::DropAction Action = Qt::IgnoreAction;
};

class MainFormGivenFiles : public TMainFormFixture {
protected:
    // A folder of the test's own, with a space in its name, ending with its separator.
    QString Folder(const QString& name) const
    {
        QDir(Work.path()).mkpath(name);
        return Work.filePath(name) + '/';
    }

    // A cover file of a 20 x 30 x 5 box with the floor shown, and its images beside it.
    QString WriteBox(const QString& folder)
    {
        WriteSolidPicture(folder + "front.bmp", Pink);
        WriteSolidPicture(folder + "side.bmp", Brown);
        WriteSolidPicture(folder + "lid.bmp", Sky);
        WriteSolidPicture(folder + "ground.jpg", Grey);
        picture_test::WriteFile(folder + "box.cov", "[Properties]\nCover=front.bmp\nSpine=side.bmp\n"
                                                    "Top=lid.bmp\nFloor=ground.jpg\n[Options]\nFloor=1\n"
                                                    "[Sizes]\nWidth=20\nHeight=30\nDepth=5\n");
        return folder + "box.cov";
    }

    // Drags urls onto the window at a point of `over` and lets go there, as
    // the window system delivers it; then runs what the drop started.
    TDropSeen Drop(QWidget* over, QPoint at, const QList<QUrl>& urls,
                   Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction)
    {
        QMimeData data;
        data.setUrls(urls);
        const QPointF point = over->mapTo(Form.get(), at);
        TDropSeen seen;
        // With Shift held the source proposes to move the file.
        const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
        QDragEnterEvent enter(point.toPoint(), actions, &data, Qt::LeftButton, shift);
        QApplication::sendEvent(Form.get(), &enter);
        seen.Entered = enter.isAccepted();
        QDragMoveEvent move(point.toPoint(), actions, &data, Qt::LeftButton, shift);
        QApplication::sendEvent(Form.get(), &move);
        seen.Moved = move.isAccepted();
        QDropEvent drop(point, actions, &data, Qt::LeftButton, shift);
        QApplication::sendEvent(Form.get(), &drop);
        seen.Dropped = drop.isAccepted();
        seen.Proposed = drop.proposedAction();
        seen.Action = drop.dropAction();
        QApplication::processEvents();
        return seen;
    }

    TDropSeen DropFile(QWidget* over, const QString& path)
    {
        return Drop(over, over->rect().center(), {QUrl::fromLocalFile(path)});
    }

    // As the program entry opens the file its command line names.
    void OpenGiven(const QString& fileName)
    {
        RunGuarded([&] { Form->OpenGivenCoverFile(fileName); });
    }

    QWidget* ViewArea() const { return Form->ViewPresenter; }

    std::array<int, 3> StartSizes{20, 30, 5};
};

// What replacing the front image did, in terms that do not depend on the
// file's own name.
struct TFaceOutcome {
    QStringList Errors;
    bool PathTaken = false;
    bool PreviewShowsIt = false;
    bool BoxShowsIt = false;
    bool operator==(const TFaceOutcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const TFaceOutcome& o)
{
    return out << "{" << o.Errors.join(" | ").toStdString() << "; path " << o.PathTaken << ", preview "
               << o.PreviewShowsIt << ", box " << o.BoxShowsIt << "}";
}

// Writes a picture of one colour in the format its extension names (any
// other extension gets bytes no reader knows).
void WritePictureFor(const QString& path, const QString& extension, QColor colour)
{
    const QString lower = extension.toLower();
    if (lower == "wmf")
        picture_test::WriteFile(path, picture_test::WmfWithRectangle(16, 16, QRect(0, 0, 16, 16), colour.rgb()));
    else if (lower == "emf")
        picture_test::WriteFile(path, picture_test::EmfWithRectangle(16, 16, QRect(0, 0, 16, 16), colour.rgb()));
    else if (lower == "jpg" || lower == "jpeg")
        WriteSolidPicture(path, colour, "JPEG");
    else if (lower == "ico")
        WriteSolidPicture(path, colour, "ICO");
    else if (lower == "bmp" || lower == "dib" || lower.isEmpty())
        WriteSolidPicture(path, colour, "BMP");
    else
        picture_test::WriteFile(path, QByteArray(64, '\x7f'));
}

} // namespace

TEST_F(MainFormGivenFiles, AGivenCoverFileCountsFromTheWorkingDirectoryAndFindsItsImagesBesideIt)
{
    const QString folder = Folder("my boxes");
    WriteBox(folder);
    OpenGiven("my boxes/box.cov");
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->CoverFileName, (folder + "box.cov").toStdString());
    EXPECT_EQ(Form->CoverFileFolder, folder.toStdString());
    EXPECT_EQ(Form->CoverImagePath, "front.bmp");
    EXPECT_TRUE(Form->CheckBoxFloor->isChecked());
    EXPECT_EQ(PixelsAwayFrom(Shown(Form->PaintBoxSide), Brown), 0);
    WaitForFrame();
    ExpectView({{CoverAtRest, Pink}, {FloorAtRest, Grey}});
}

TEST_F(MainFormGivenFiles, AGivenFileThatCannotBeReadIsRefusedAndChangesNothing)
{
    const QString folder = Folder("boxes");
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + "pipe.cov").constData(), 0600), 0);
    OpenGiven(folder + "missing.cov");
    OpenGiven("boxes");
    OpenGiven(folder + "pipe.cov");  // would block a plain read
    EXPECT_EQ(Errors, (QStringList{"Cannot open file " + folder + "missing.cov: No such file or directory",
                                   "Cannot open file " + Work.filePath("boxes") + ": not a regular file",
                                   "Cannot open file " + folder + "pipe.cov: not a regular file"}));
    if (geteuid() != 0) {
        const QString locked = WriteBox(folder);
        ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
        OpenGiven(locked);
        EXPECT_EQ(Errors.value(3), "Cannot open file " + locked + ": Permission denied");
    }
    EXPECT_EQ(Sizes(), StartSizes);
    EXPECT_FALSE(Form->CheckBoxFloor->isChecked());
    EXPECT_EQ(Form->CoverImagePath, "cover.jpg");
    EXPECT_TRUE(Form->CoverFileName.empty());
}

TEST_F(MainFormGivenFiles, ACoverFileDroppedAnywhereOpensAsTheToolbarOpensIt)
{
    const QString path = WriteBox(Folder("dropped boxes"));
    const TDropSeen seen = DropFile(ViewArea(), path);
    EXPECT_TRUE(seen.Entered && seen.Moved && seen.Dropped);
    // Never a move, after which the source might delete the file.
    EXPECT_EQ(seen.Proposed, Qt::MoveAction);
    EXPECT_EQ(seen.Action, Qt::CopyAction);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->CoverFileName, path.toStdString());
    EXPECT_TRUE(Dialogs->Asked.empty());
    WaitForFrame();
    ExpectView({{CoverAtRest, Pink}, {FloorAtRest, Grey}});

    // On a preview, in capitals, it still opens rather than replacing that face.
    Form->CheckBoxFloor->click();
    const QString capitals = Folder("dropped boxes") + "BOX2.COV";
    ASSERT_TRUE(QFile::copy(path, capitals));
    EXPECT_TRUE(DropFile(Form->PaintBoxTop, capitals).Dropped);
    EXPECT_EQ(Form->CoverFileName, capitals.toStdString());
    EXPECT_EQ(Form->TopImagePath, "lid.bmp");
    EXPECT_TRUE(Form->CheckBoxFloor->isChecked());
}

TEST_F(MainFormGivenFiles, APictureDroppedOnAPreviewReplacesThatFaceOnly)
{
    const QString side = Folder("art") + "side.jpg";
    WriteSolidPicture(side, Brown);
    EXPECT_TRUE(DropFile(Form->PaintBoxSide, side).Dropped);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->SpineImagePath, side.toStdString());
    EXPECT_EQ(Form->CoverImagePath, "cover.jpg");
    EXPECT_EQ(PixelsAwayFrom(Shown(Form->PaintBoxSide), Brown), 0);
    ClickStyleCell(2);
    WaitForFrame();
    ExpectView({{SpineInStyle2, Brown}, {CoverInStyle2, StartColour(TFaceSlot::Cover)}});
}

// Every extension the picture dialog could be given, a file it cannot read
// and a name it cannot find: a drop on the front preview ends exactly as the
// same choice in the double-click dialog.
TEST_F(MainFormGivenFiles, ADropOnAPreviewFollowsTheDialogsRulesForEveryExtension)
{
    const QString base = Folder("art") + "base.bmp";
    WriteSolidPicture(base, Grey);
    const auto outcome = [&](const QString& extension, bool byDrop) {
        Dialogs->Answers.push_back(base);
        QTest::mouseDClick(Form->PaintBoxFront, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        Errors.clear();
        QString path = Folder(byDrop ? "dropped" : "chosen") + "face";
        if (!extension.isEmpty())
            path += "." + extension;
        if (extension != "gone")
            WritePictureFor(path, extension, Sky);
        if (byDrop) {
            EXPECT_TRUE(DropFile(Form->PaintBoxFront, path).Dropped) << extension.toStdString();
        } else {
            Dialogs->Answers.push_back(path);
            QTest::mouseDClick(Form->PaintBoxFront, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        }
        WaitForFrame();
        TFaceOutcome seen;
        for (const QString& error : std::as_const(Errors))
            seen.Errors << QString(error).replace(path, "<file>");
        seen.PathTaken = Form->CoverImagePath == path.toStdString();
        const QImage preview = Shown(Form->PaintBoxFront);
        seen.PreviewShowsIt = PixelsAwayFrom(preview, Sky) < preview.width() * preview.height() / 10;
        seen.BoxShowsIt = Near(ViewPixel(CoverAtRest.x(), CoverAtRest.y()), Sky);
        return seen;
    };
    for (const QString extension : {"bmp", "BMP", "dib", "jpg", "jpeg", "ico", "wmf", "emf", "tga", "", "gone"}) {
        const TFaceOutcome chosen = outcome(extension, false);
        EXPECT_EQ(outcome(extension, true), chosen) << "." << extension.toStdString();
        if (extension == "jpg") {
            EXPECT_EQ(chosen, (TFaceOutcome{{}, true, true, true}));
        } else if (extension == "tga") {
            EXPECT_EQ(chosen, (TFaceOutcome{{"Unknown picture file extension (.tga)"}, true, false, false}));
        }
    }
}

TEST_F(MainFormGivenFiles, DropsThatCannotLandAreRefusedAndChangeNothing)
{
    const QString art = Folder("art");
    WriteSolidPicture(art + "a.jpg", Pink);
    WriteSolidPicture(art + "b.jpg", Brown);
    const QString cover = WriteBox(Folder("boxes"));
    const QUrl a = QUrl::fromLocalFile(art + "a.jpg");

    // A picture away from the previews: the drag is let in, but cannot land.
    TDropSeen seen = Drop(ViewArea(), QPoint(50, 50), {a});
    EXPECT_TRUE(seen.Entered);
    EXPECT_FALSE(seen.Moved || seen.Dropped);
    // Two files at once, a web address, no file: not even let in.
    for (const QList<QUrl>& urls : {QList<QUrl>{a, QUrl::fromLocalFile(art + "b.jpg")},
                                    QList<QUrl>{QUrl("https://example.com/a.jpg")}, QList<QUrl>{}}) {
        seen = Drop(Form->PaintBoxFront, QPoint(10, 10), urls);
        EXPECT_FALSE(seen.Entered || seen.Moved || seen.Dropped);
    }
    // A source that offers only to move the file away.
    seen = Drop(Form->PaintBoxFront, QPoint(10, 10), {QUrl::fromLocalFile(cover)}, Qt::MoveAction);
    EXPECT_FALSE(seen.Dropped);

    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->CoverImagePath, "cover.jpg");
    EXPECT_TRUE(Form->CoverFileName.empty());
    EXPECT_EQ(Sizes(), StartSizes);
}
