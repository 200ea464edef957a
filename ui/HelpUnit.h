#pragma once
// The help window: a page of usage notes in an editable text box, and a
// Close button. Closing it (by the button or the window's close box) only
// hides it; the window and any edits to its text last until the program ends.
#include <QWidget>

class QFrame;
class QPushButton;
class QTextEdit;

class THelpForm : public QWidget {
    Q_OBJECT
public:
    THelpForm();

    // Shows the window, not modal, and brings it to the front.
    void ShowHelp();

    void Button1Click();

    QTextEdit* Memo1;
    QFrame* Panel1;
    QPushButton* Button1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void PlacePanel();
};
