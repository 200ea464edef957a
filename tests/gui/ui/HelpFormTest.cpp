#include "tests/support/MainFormFixture.h"
#include "ui/HelpUnit.h"
#include "ui/Main.h"
#include "ui/widgets/SpinEdit.h"

#include <QApplication>
#include <QFrame>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

int HelpWindows()
{
    int count = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        count += qobject_cast<THelpForm*>(w) && w->isVisible();
    return count;
}

// The help window with the main window that shows it.
class HelpWithMainForm : public TMainFormFixture {
protected:
    void SetUp() override
    {
        TMainFormFixture::SetUp();
        if (Form)
            Form->HelpForm = &Help;
    }

    THelpForm Help;
};

} // namespace

TEST(HelpForm, IsHiddenWithItsTitleTheTextAboveAndCloseBelow)
{
    THelpForm help;
    EXPECT_FALSE(help.isVisible());
    EXPECT_EQ(help.windowTitle(), QStringLiteral("Cubrio Help"));
    EXPECT_EQ(help.Button1->text(), QStringLiteral("Close"));
    // The text box lies whole above the panel along the bottom, which holds the button.
    EXPECT_EQ(help.Panel1->geometry().bottomRight(), help.rect().bottomRight());
    EXPECT_EQ(help.Panel1->width(), help.width());
    EXPECT_LT(help.Memo1->geometry().bottom(), help.Panel1->y());
    EXPECT_TRUE(help.rect().contains(help.Memo1->geometry()));
    EXPECT_TRUE(help.Panel1->rect().contains(help.Button1->geometry()));
    // The text box comes first in the tab order, then the button.
    QWidget* next = help.Memo1->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, help.Button1);
    next = help.Button1->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    EXPECT_EQ(next, help.Memo1);
}

TEST(HelpForm, HoldsTheTwentyLinesCentredWrappedAndEditable)
{
    THelpForm help;
    const QStringList lines = help.Memo1->toPlainText().split(QLatin1Char('\n'));
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[0], QStringLiteral("Cubrio Help"));
    EXPECT_EQ(lines[11], QStringLiteral("Also try moving you mouse around the demo box with you left mous "));
    std::vector<int> spaced;
    for (int i = 0; i < lines.size(); ++i)
        if (lines[i].endsWith(QLatin1Char(' ')))
            spaced.push_back(i + 1);
    EXPECT_EQ(spaced, (std::vector<int>{3, 6, 7, 10, 12, 15}));
    for (int i : {2, 5, 9, 14})
        EXPECT_FALSE(lines[i - 1].endsWith(QStringLiteral("  "))) << i;
    for (int i : {2, 5, 9, 14, 17, 18, 19, 20})
        EXPECT_TRUE(lines[i - 1].isEmpty()) << i;

    for (QTextBlock block = help.Memo1->document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(help.Memo1->lineWrapMode(), QTextEdit::WidgetWidth);
    EXPECT_EQ(help.Memo1->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(help.Memo1->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_FALSE(help.Memo1->isReadOnly());
}

TEST(HelpForm, EachLineOfTheTextFitsTheBoxUnwrapped)
{
    THelpForm help;
    help.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    for (QTextBlock block = help.Memo1->document()->begin(); block.isValid(); block = block.next())
        EXPECT_EQ(block.layout()->lineCount(), 1) << block.text().toStdString();
}

TEST(HelpForm, ResizingMovesThePanelWithTheBottomAndLeavesTheText)
{
    THelpForm help;
    help.show();
    help.resize(700, 620);
    ASSERT_TRUE(QTest::qWaitFor([&] { return help.Panel1->width() == 700; }));
    EXPECT_EQ(help.Panel1->geometry(), QRect(0, 579, 700, 41));
    EXPECT_EQ(help.Button1->geometry(), QRect(246, 10, 75, 25));
    EXPECT_EQ(help.Memo1->geometry(), QRect(17, 13, 539, 481));
}

TEST(HelpForm, CloseAndTheCloseBoxOnlyHideItAndEditsStay)
{
    auto* help = new THelpForm;
    QPointer<THelpForm> alive(help);
    help->ShowHelp();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    help->Memo1->moveCursor(QTextCursor::Start);
    help->Memo1->insertPlainText(QStringLiteral("My note. "));
    help->Button1->click();
    EXPECT_FALSE(help->isVisible());
    help->ShowHelp();
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->Memo1->toPlainText().startsWith(QStringLiteral("My note. Cubrio Help")));
    help->close(); // the window's close box
    QApplication::processEvents();
    ASSERT_FALSE(alive.isNull());
    EXPECT_FALSE(help->isVisible());
    delete help;
}

TEST_F(HelpWithMainForm, TheHelpCommandShowsOneWindowAndTheMainWindowStaysUsable)
{
    TMainForm& form = *Form;
    THelpForm& help = Help;
    form.ToolButton4->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));
    form.ToolButton4->click();
    EXPECT_EQ(HelpWindows(), 1);
    EXPECT_FALSE(help.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    // The main window still takes input while the help window is shown.
    EXPECT_TRUE(form.isEnabled());
    form.SpinEditWidth->setFocus();
    form.SpinEditWidth->selectAll();
    QTest::keyClicks(form.SpinEditWidth, QStringLiteral("42"));
    EXPECT_EQ(form.SpinEditWidth->Value(), 42);
    help.Button1->click();
    EXPECT_EQ(HelpWindows(), 0);
    form.ToolButton4->click();
    EXPECT_EQ(HelpWindows(), 1);
}

TEST_F(HelpWithMainForm, TheCloseCommandEndsTheProgramEvenWithHelpShown)
{
    TMainForm& form = *Form;
    THelpForm& help = Help;
    form.ToolButton4->click();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&help));

    // Run the application's own loop: the close command must end it.
    QTimer::singleShot(0, &form, [&] { form.ToolButton6->click(); });
    bool ended = true;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        ended = false;
        QApplication::quit();
    });
    watchdog.start(5000);
    QApplication::exec();
    watchdog.stop();
    EXPECT_TRUE(ended);
    EXPECT_FALSE(form.isVisible());
}

TEST_F(HelpWithMainForm, ClosingTheHelpWindowLeavesTheProgramRunning)
{
    TMainForm& form = *Form;
    THelpForm& help = Help;
    form.ToolButton4->click();
    QTimer::singleShot(0, &help, [&] { help.close(); });
    bool running = false;
    QTimer::singleShot(300, qApp, [&] {
        running = form.isVisible() && !help.isVisible();
        QApplication::quit();
    });
    QApplication::exec();
    EXPECT_TRUE(running);
}
