// Cover files through the main window's toolbar: saving the box's set-up, and
// opening one, with its images looked up in the cover file's own folder.
#include "tests/support/MainFormFixture.h"

#include <QCheckBox>

using namespace view_probes;

namespace {

// The file saved from the start-up state.
const QStringList StartUpFile{"[Properties]", "Cover=cover.jpg", "Spine=spine.jpg", "Plain=plain.jpg",
                              "Top=top.jpg",  "Floor=floor.jpg", "[Options]",       "Book=0",
                              "Floor=0",      "Back=0",          "Open=0",          "[Sizes]",
                              "Width=20",     "Height=30",       "Depth=5"};

// The images of the cover files the tests open, unlike the start-up ones.
const QColor Pink(250, 120, 160), Brown(120, 80, 30), Sky(100, 200, 250), Grey(90, 90, 90), Cream(250, 250, 120);

const char* const BoxImages = "[Properties]\nCover=front.bmp\nSpine=side.bmp\nPlain=inside.jpg\n"
                              "Top=lid.bmp\nFloor=ground.jpg\n";

class MainFormCover : public TMainFormFixture {
protected:
    // A folder of the test's own, ending with its separator.
    QString Folder(const QString& name) const
    {
        QDir(Work.path()).mkpath(name);
        return Work.filePath(name) + '/';
    }

    // Writes a cover file and, beside it, the images that BoxImages names.
    QString WriteBox(const QString& folder, const QString& text)
    {
        WriteSolidPicture(folder + "front.bmp", Pink);
        WriteSolidPicture(folder + "side.bmp", Brown);
        WriteSolidPicture(folder + "lid.bmp", Sky);
        WriteSolidPicture(folder + "ground.jpg", Grey);
        WriteSolidPicture(folder + "inside.jpg", Cream);
        return WriteText(folder + "box.cov", text);
    }

    static QString WriteText(const QString& path, const QString& text)
    {
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.toUtf8());
        return path;
    }

    void Open(const QString& path)
    {
        Dialogs->Answers.push_back(path);
        Form->ToolButton9->click();
    }

    void Save(const QString& path)
    {
        Dialogs->Answers.push_back(path);
        Form->ToolButton2->click();
    }

    std::array<std::string, FaceSlotCount> Paths() const
    {
        return {Form->CoverImagePath, Form->SpineImagePath, Form->TopImagePath, Form->FloorImagePath,
                Form->PlainImagePath};
    }

    std::array<bool, 4> Options() const
    {
        return {Form->CheckBoxBook->isChecked(), Form->CheckBoxFloor->isChecked(),
                Form->ShowBackCheckBox->isChecked(), Form->CheckBoxOpen->isChecked()};
    }

    std::array<QImage, 4> ShownPreviews() const
    {
        return {Shown(Form->PaintBoxFront), Shown(Form->PaintBoxSide), Shown(Form->PaintBoxTop),
                Shown(Form->PaintBoxFloor)};
    }
};

} // namespace

TEST_F(MainFormCover, SavingTheStartUpStateWritesTheUsualFileLineForLine)
{
    const QString path = Folder("saved") + "start.cov";
    Save(path);
    EXPECT_EQ(Dialogs->Asked, std::vector<TFileDialogKind>{TFileDialogKind::SaveDialog});
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Lines(path), StartUpFile);
    EXPECT_EQ(Form->CoverFileName, path.toStdString());
    EXPECT_EQ(Form->CoverFileFolder, Folder("saved").toStdString());
}

TEST_F(MainFormCover, AFrontChosenFromAnotherFolderIsSavedByItsBareName)
{
    const QString front = Folder("art") + "front.jpg";
    WriteSolidPicture(front, Pink);
    Dialogs->Answers.push_back(front);
    QTest::mouseDClick(Form->PaintBoxFront, Qt::LeftButton, Qt::NoModifier, QPoint(30, 30));
    ASSERT_EQ(Form->CoverImagePath, front.toStdString());

    const QString path = Work.filePath("box.cov");
    Save(path);
    QStringList expected = StartUpFile;
    expected[1] = "Cover=front.jpg";
    EXPECT_EQ(Lines(path), expected);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}

TEST_F(MainFormCover, OpeningShowsTheImagesOfTheFilesFolderOnTheBoxAndInThePreviews)
{
    const QString folder = Folder("boxes");
    const QString path = WriteBox(folder, QString(BoxImages) + "[Options]\nFloor=1\n[Sizes]\nWidth=20\nHeight=30\n"
                                                               "Depth=5\n");
    Open(path);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->CoverFileName, path.toStdString());
    EXPECT_EQ(Form->CoverFileFolder, folder.toStdString());
    // The path fields keep the bare names; the folder is joined only to load.
    EXPECT_EQ(Paths(), (std::array<std::string, FaceSlotCount>{"front.bmp", "side.bmp", "lid.bmp", "ground.jpg",
                                                               "inside.jpg"}));
    const std::array<QImage, 4> previews = ShownPreviews();
    const QColor colours[] = {Pink, Brown, Sky, Grey};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PixelsAwayFrom(previews[i], colours[i]), 0) << i;

    WaitForFrame();
    ExpectView({{CoverAtRest, Pink}, {FloorAtRest, Grey}});
    ClickStyleCell(2);
    WaitForFrame();
    ExpectView({{CoverInStyle2, Pink}, {SpineInStyle2, Brown}, {TopInStyle2, Sky}});

    // Saved elsewhere, the same names again.
    const QString copy = Folder("copies") + "again.cov";
    Save(copy);
    EXPECT_EQ(Lines(copy).mid(0, 6),
              (QStringList{"[Properties]", "Cover=front.bmp", "Spine=side.bmp", "Plain=inside.jpg", "Top=lid.bmp",
                           "Floor=ground.jpg"}));
}

TEST_F(MainFormCover, ThePlainNameOfAFileIsSavedAgainButItsImageNeverLoaded)
{
    const GLuint plainTexture = Form->PlainTexture->TextureID;
    const QString path = WriteBox(Folder("boxes"), QString(BoxImages) + "[Options]\nOpen=1\n[Sizes]\nWidth=20\n"
                                                                        "Height=30\nDepth=5\n");
    Open(path);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    EXPECT_EQ(Form->PlainImagePath, "inside.jpg");
    EXPECT_EQ(Form->PlainTexture->TextureID, plainTexture);

    // The flaps of the open lid still show the plain image of the start.
    ClickStyleCell(2);
    WaitForFrame();
    ExpectView({{TuckFlapInStyle2, StartColour(TFaceSlot::Plain)}, {{330, 270}, Sky}});  // flap, lid

    const QString copy = Work.filePath("again.cov");
    Save(copy);
    EXPECT_EQ(Lines(copy).value(3), "Plain=inside.jpg");
}

TEST_F(MainFormCover, SavingOverAFileKeepsTheBackImageThatOnlyTheRendererReads)
{
    // plenamar-render's back cover: the window neither reads it nor drops it.
    const QString path = WriteBox(Folder("boxes"), QString(BoxImages) + "Back=back cover.png\n[Sizes]\nWidth=20\n"
                                                                        "Height=30\nDepth=5\n");
    Open(path);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    Form->CheckBoxBook->click();
    Save(path);
    const QStringList lines = Lines(path);
    EXPECT_EQ(lines.mid(0, 7), (QStringList{"[Properties]", "Cover=front.bmp", "Spine=side.bmp", "Plain=inside.jpg",
                                            "Top=lid.bmp", "Floor=ground.jpg", "Back=back cover.png"}));
    EXPECT_TRUE(lines.contains("Book=1"));
}

TEST_F(MainFormCover, OpeningFiresTheOptionAndSizeHandlersAsAUsersChangeWould)
{
    WatchSizeChanges();
    WatchOptionChanges();
    const QString path = WriteBox(Folder("boxes"), QString(BoxImages) + "[Options]\nBook=1\nFloor=0\nBack=1\n"
                                                                        "Open=1\n[Sizes]\nWidth=25\nHeight=30\n"
                                                                        "Depth=7\n");
    Open(path);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
    // In the order of the file; only what changes fires.
    EXPECT_EQ(Changes, (QStringList{"Book on", "Back on", "Open on", "Sizes 25 30 5", "Sizes 25 30 7"}));
    EXPECT_EQ(Options(), (std::array<bool, 4>{true, false, true, true}));
    EXPECT_EQ(Sizes(), (std::array<int, 3>{25, 30, 7}));

    // Opening it again changes nothing, so nothing fires.
    Changes.clear();
    Open(path);
    EXPECT_TRUE(Changes.isEmpty()) << Changes.join(", ").toStdString();
}

TEST_F(MainFormCover, AFileWithOnlySizesClearsTheRestAndStopsAtTheCoverImage)
{
    for (QCheckBox* box : {Form->CheckBoxBook, Form->CheckBoxFloor, Form->ShowBackCheckBox, Form->CheckBoxOpen})
        box->click();
    WaitForFrame();
    // The lid stands above the box's top edge.
    const QPoint lid(350, 272);
    ExpectView({{lid, StartColour(TFaceSlot::Top)}});
    const std::array<QImage, 4> previews = ShownPreviews();
    const auto ids = TextureIDs();
    WatchSizeChanges();
    WatchOptionChanges();

    // A folder whose name holds a dot: the empty name still has no extension.
    const QString folder = Folder("art.v2");
    const QString path = WriteText(folder + "sizes.cov", "[Sizes]\nWidth=12\nHeight=18\nDepth=4\n");
    Open(path);
    EXPECT_EQ(Errors, QStringList{"Unknown picture file extension (.)"});
    EXPECT_EQ(Paths(), (std::array<std::string, FaceSlotCount>{}));
    EXPECT_EQ(Options(), (std::array<bool, 4>{}));
    EXPECT_EQ(Changes, (QStringList{"Book off", "Floor off", "Back off", "Open off", "Sizes 12 30 5",
                                    "Sizes 12 18 5", "Sizes 12 18 4"}));
    EXPECT_EQ(ShownPreviews(), previews);
    EXPECT_EQ(TextureIDs(), ids);

    // The handlers rebuilt the box before the flow stopped: a smaller box, no
    // lid, no floor, still with the images of the start.
    WaitForFrame();
    ExpectView({{CoverAtRest, StartColour(TFaceSlot::Cover)},
                {lid, Qt::white},
                {{565, 790}, Qt::white},
                {FloorAtRest, Qt::white}});
}

TEST_F(MainFormCover, AMissingImageStopsTheOpeningAtItsSlot)
{
    const QString folder = Folder("boxes");
    const QString path = WriteBox(folder, QString(BoxImages) + "[Sizes]\nWidth=20\nHeight=30\nDepth=5\n");
    ASSERT_TRUE(QFile::remove(folder + "lid.bmp"));
    const std::array<QImage, 4> before = ShownPreviews();
    ClickStyleCell(2);
    Open(path);
    EXPECT_EQ(Errors, QStringList{"Cannot open file " + folder + "lid.bmp"});
    EXPECT_EQ(Form->TopImagePath, "lid.bmp");
    EXPECT_EQ(Form->FloorImagePath, "ground.jpg");
    // The slots before the missing one are loaded, it and those after are not.
    const std::array<QImage, 4> after = ShownPreviews();
    EXPECT_EQ(PixelsAwayFrom(after[0], Pink), 0);
    EXPECT_EQ(PixelsAwayFrom(after[1], Brown), 0);
    EXPECT_EQ(after[2], before[2]);
    EXPECT_EQ(after[3], before[3]);
    WaitForFrame();
    ExpectView({{CoverInStyle2, Pink}, {SpineInStyle2, Brown}, {TopInStyle2, StartColour(TFaceSlot::Top)}});
}

TEST_F(MainFormCover, CancellingEitherDialogChangesNothing)
{
    WatchSizeChanges();
    WatchOptionChanges();
    const auto paths = Paths();
    const QStringList files = QDir(Work.path()).entryList(QDir::Files);
    Form->ToolButton9->click();
    Form->ToolButton2->click();
    EXPECT_EQ(Dialogs->Asked, (std::vector<TFileDialogKind>{TFileDialogKind::OpenDialog, TFileDialogKind::SaveDialog}));
    EXPECT_TRUE(Form->CoverFileName.empty());
    EXPECT_TRUE(Form->CoverFileFolder.empty());
    EXPECT_EQ(Paths(), paths);
    EXPECT_TRUE(Changes.isEmpty());
    EXPECT_EQ(QDir(Work.path()).entryList(QDir::Files), files);
    EXPECT_TRUE(Errors.isEmpty()) << Errors.join('\n').toStdString();
}
