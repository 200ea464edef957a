#include "ui/HelpUnit.h"

#include "platform/ErrorReport.h"
#include "ui/widgets/Fonts.h"

#include <QPushButton>
#include <QTextEdit>

namespace {

constexpr int PanelHeight = 41;

// The page shown at creation, one line per paragraph.
const QStringList HelpLines = {
    QStringLiteral("Cubrio Help"),
    QString(),
    QStringLiteral("Welcome to Cubrio, this dialog will give you a little information on how "),
    QStringLiteral("to use Cubrio."),
    QString(),
    QStringLiteral("You will notice that when you first start using Cubrio, there is a demo "),
    QStringLiteral("box onscreen for you, this lets you get straight into the funbits of the "),
    QStringLiteral("software."),
    QString(),
    QStringLiteral("Try changing some of the Object Properties to see how this effects the "),
    QStringLiteral("demo box."),
    QStringLiteral("Also try moving you mouse around the demo box with you left mous "),
    QStringLiteral("button clicked to rotate the box in 3D space."),
    QString(),
    QStringLiteral("For a Cubrio style try clicking on one of the images availible in the top "),
    QStringLiteral("list, and you box should rotate to match that style."),
    QString(),
    QString(),
    QString(),
    QString(),
};

} // namespace

THelpForm::THelpForm()
    : Memo1(new QTextEdit(this)), Panel1(new QFrame(this)), Button1(new QPushButton(QStringLiteral("Close"), Panel1))
{
    setWindowTitle(QStringLiteral("Cubrio Help"));
    setFont(HelpWindowFont());
    // Closing the main window ends the program even while this one is shown.
    setAttribute(Qt::WA_QuitOnClose, false);

    Memo1->setGeometry(17, 13, 539, 481);
    Memo1->setFont(HelpTextFont());
    Memo1->setAcceptRichText(false);
    Memo1->setLineWrapMode(QTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setTabChangesFocus(true);
    Memo1->setPlainText(HelpLines.join(QLatin1Char('\n')));
    Memo1->selectAll();
    Memo1->setAlignment(Qt::AlignHCenter);
    Memo1->moveCursor(QTextCursor::Start);

    Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    Button1->setGeometry(246, 10, 75, 25);
    connect(Button1, &QPushButton::clicked, this, [this] { RunGuarded([this] { Button1Click(); }); });
    setTabOrder(Memo1, Button1);

    resize(576, 546);
    move(140, 89);
    PlacePanel();
}

void THelpForm::ShowHelp()
{
    show();
    raise();
    activateWindow();
}

void THelpForm::Button1Click()
{
    close();
}

void THelpForm::resizeEvent(QResizeEvent*)
{
    PlacePanel();
}

void THelpForm::PlacePanel()
{
    // The Close panel follows the bottom edge; the text box stays where it is.
    Panel1->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
}
