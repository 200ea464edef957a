#include "platform/dialogs/Dialogs.h"
#include "platform/dialogs/PicturePreview.h"
#include "tests/platform/pictures/PictureTestFiles.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList ShownFilters(QFileDialog& dialog)
{
    auto* combo = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QStringList items;
    for (int i = 0; combo && i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

// Types a name into the dialog's file name box and presses its accept button.
void Choose(QFileDialog& dialog, const QString& name)
{
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    QMetaObject::invokeMethod(&dialog, "accept");
}

// Answers the next modal file dialog: types name and accepts, or cancels.
void AnswerNextDialog(const QString& name, QString* preselected = nullptr)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        if (preselected)
            *preselected = dialog->selectedFiles().value(0);
        if (name.isEmpty())
            dialog->reject();
        else
            Choose(*dialog, name);
    });
}

class Dialogs : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(Dir.isValid()); }

    std::unique_ptr<QFileDialog> Open(TFileDialogKind kind)
    {
        auto dialog = CreateFileDialog(kind, nullptr);
        dialog->setDirectory(Dir.path());
        return dialog;
    }

    QString InDir(const QString& name) const { return Dir.filePath(name); }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(Dialogs, CoverDialogsOfferCoverFilesThenAllFiles)
{
    for (TFileDialogKind kind : {TFileDialogKind::OpenDialog, TFileDialogKind::SaveDialog}) {
        auto dialog = Open(kind);
        EXPECT_EQ(ShownFilters(*dialog), QStringList({"Cover Files (*.cov)", "All Files (*.*)"}));
        EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("cov"));
        EXPECT_FALSE(dialog->windowTitle().isEmpty()); // Qt's own default title
        EXPECT_EQ(dialog->findChild<TPicturePreview*>(), nullptr);
    }
    EXPECT_EQ(Open(TFileDialogKind::OpenDialog)->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(Open(TFileDialogKind::SaveDialog)->acceptMode(), QFileDialog::AcceptSave);
}

TEST_F(Dialogs, PictureDialogsHaveTheirTitlesFiltersAndPreview)
{
    auto open = Open(TFileDialogKind::OpenPictureDialog);
    EXPECT_EQ(open->windowTitle(), QStringLiteral("Open Image File"));
    const QStringList filters = ShownFilters(*open);
    ASSERT_EQ(filters.size(), 8);
    EXPECT_EQ(filters[0], QStringLiteral("All (*.bmp;*.dib;*.ico;*.wmf;*.emf;*.jpg;*.jpeg)"));
    EXPECT_EQ(open->nameFilters()[0], QStringLiteral("All (*.bmp;*.dib;*.ico;*.wmf;*.emf;*.jpg;*.jpeg) "
                                                     "(*.bmp *.dib *.ico *.wmf *.emf *.jpg *.jpeg)"));
    const char* formats[] = {"bmp", "dib", "ico", "wmf", "emf", "jpg", "jpeg"};
    for (int i = 0; i < 7; ++i)
        EXPECT_TRUE(open->nameFilters()[i + 1].endsWith(QStringLiteral("(*.%1)").arg(formats[i]))) << i;
    EXPECT_EQ(open->defaultSuffix(), QStringLiteral("BMP"));
    EXPECT_NE(open->findChild<TPicturePreview*>(), nullptr);

    auto save = Open(TFileDialogKind::SavePictureDialog);
    EXPECT_EQ(ShownFilters(*save), QStringList({"Bitmap File"}));
    EXPECT_EQ(save->defaultSuffix(), QStringLiteral("bmp"));
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_NE(save->findChild<TPicturePreview*>(), nullptr);
}

TEST_F(Dialogs, ANameWithoutExtensionGetsTheDefaultOne)
{
    auto save = Open(TFileDialogKind::SaveDialog);
    Choose(*save, QStringLiteral("box"));
    EXPECT_EQ(save->result(), QDialog::Accepted);
    EXPECT_EQ(save->selectedFiles(), QStringList({InDir("box.cov")}));

    auto picture = Open(TFileDialogKind::OpenPictureDialog);
    Choose(*picture, QStringLiteral("photo"));
    EXPECT_EQ(picture->selectedFiles(), QStringList({InDir("photo.BMP")}));

    auto named = Open(TFileDialogKind::SavePictureDialog);
    Choose(*named, QStringLiteral("shot.png"));
    EXPECT_EQ(named->selectedFiles(), QStringList({InDir("shot.png")}));
}

TEST_F(Dialogs, AnExistingFileIsTakenWithoutQuestionAndAMissingOneToo)
{
    QFile existing(InDir("old.cov"));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    auto save = Open(TFileDialogKind::SaveDialog);
    save->open();
    Choose(*save, QStringLiteral("old.cov"));
    EXPECT_EQ(save->result(), QDialog::Accepted);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    auto open = Open(TFileDialogKind::OpenDialog);
    open->open();
    Choose(*open, QStringLiteral("missing.cov"));
    EXPECT_EQ(open->result(), QDialog::Accepted);
    EXPECT_EQ(open->selectedFiles(), QStringList({InDir("missing.cov")}));
}

TEST_F(Dialogs, ThePreviewShowsThePictureUnderTheCursorShrunkToFit)
{
    QImage wide(400, 200, QImage::Format_RGB32);
    wide.fill(Qt::blue);
    ASSERT_TRUE(wide.save(InDir("wide.bmp")));
    QImage small(40, 30, QImage::Format_RGB32);
    small.fill(Qt::green);
    ASSERT_TRUE(small.save(InDir("small.jpg")));
    QFile text(InDir("notes.bmp"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();

    auto dialog = Open(TFileDialogKind::OpenPictureDialog);
    auto* preview = dialog->findChild<TPicturePreview*>();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->Caption(), QStringLiteral("(None)"));
    emit dialog->currentChanged(InDir("wide.bmp"));
    EXPECT_EQ(preview->Caption(), QStringLiteral("(400 x 200)"));
    EXPECT_EQ(preview->PictureSize(), QSize(160, 80));
    emit dialog->currentChanged(InDir("small.jpg"));
    EXPECT_EQ(preview->Caption(), QStringLiteral("(40 x 30)"));
    EXPECT_EQ(preview->PictureSize(), QSize(40, 30));
    // Metafiles preview through the picture store's readers.
    picture_test::WriteFile(InDir("drawing.wmf"), picture_test::WmfWithRectangle(120, 90, QRect(10, 10, 100, 70), qRgb(255, 0, 0)));
    emit dialog->currentChanged(InDir("drawing.wmf"));
    EXPECT_EQ(preview->Caption(), QStringLiteral("(120 x 90)"));
    EXPECT_EQ(preview->PictureSize(), QSize(120, 90));
    for (const QString& none : {InDir("notes.bmp"), InDir("absent.bmp"), Dir.path()}) {
        emit dialog->currentChanged(none);
        EXPECT_EQ(preview->Caption(), QStringLiteral("(None)")) << none.toStdString();
        EXPECT_TRUE(preview->PictureSize().isEmpty());
    }
}

TEST_F(Dialogs, StandardDialogsReturnTheChoiceOrNothingAndReopenOnIt)
{
    QWidget parent;
    TStandardDialogs dialogs(&parent);
    AnswerNextDialog(QString());
    EXPECT_EQ(dialogs.Execute(TFileDialogKind::SaveDialog), std::nullopt);

    AnswerNextDialog(InDir("box"));
    EXPECT_EQ(dialogs.Execute(TFileDialogKind::SaveDialog), InDir("box.cov"));

    QString preselected;
    AnswerNextDialog(QString(), &preselected);
    EXPECT_EQ(dialogs.Execute(TFileDialogKind::SaveDialog), std::nullopt);
    EXPECT_EQ(preselected, InDir("box.cov"));
}

// The half of the next test that runs in a process of its own, whose home
// folder is a fresh one: it makes two choices as a user would.
TEST(DialogsInAFreshHome, ChooseACoverThenOpenThePictureDialog)
{
    const QString folder = qEnvironmentVariable("PLENAMAR_DIALOG_FOLDER");
    if (folder.isEmpty())
        GTEST_SKIP() << "run by Dialogs.NothingIsKeptBetweenRunsButTheLastFolderIsWithinOne";
    QWidget parent;
    TStandardDialogs dialogs(&parent);
    AnswerNextDialog(folder + "/covers/box.cov");
    EXPECT_EQ(dialogs.Execute(TFileDialogKind::OpenDialog), folder + "/covers/box.cov");

    // Another kind of dialog opens in the folder of the last choice.
    QString openedIn;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        openedIn = dialog->directory().absolutePath();
        dialog->reject();
    });
    EXPECT_EQ(dialogs.Execute(TFileDialogKind::OpenPictureDialog), std::nullopt);
    EXPECT_EQ(openedIn, folder + "/covers");
}

TEST_F(Dialogs, NothingIsKeptBetweenRunsButTheLastFolderIsWithinOne)
{
    const QString home = InDir("home");
    ASSERT_TRUE(QDir(Dir.path()).mkpath("home/.config") && QDir(Dir.path()).mkpath("covers"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/.config");
    environment.insert("PLENAMAR_DIALOG_FOLDER", Dir.path());
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {"--gtest_filter=DialogsInAFreshHome.*"});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.toStdString();

    // Qt's dialogs would have left their history in home/.config/QtProject.conf.
    QStringList written;
    for (QDirIterator it(home, QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
         it.hasNext();)
        written << it.next();
    EXPECT_TRUE(written.isEmpty()) << written.join(' ').toStdString();
}
