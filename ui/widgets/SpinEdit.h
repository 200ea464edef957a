#pragma once
// A spin edit: a line edit of whole numbers with up and down buttons. The
// buttons and the up and down arrow keys step the value by 1. Typing takes
// only the keys SpinEditAcceptsKey allows and beeps at any other; pasted text
// is taken as it is and reads as the minimum when it is not a whole number.
#include <QLineEdit>
#include <functional>

class QToolButton;

class TSpinEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSpinEdit(QWidget* parent = nullptr);

    // Both 0 (the default): no bounds. Otherwise values are clamped into them.
    int MinValue = 0;
    int MaxValue = 0;

    int Value() const;
    // Writes the value's decimal text, only when it differs from the text held.
    void SetValue(int value);

    // Raised on every change of the text: typing, pasting, stepping, setting.
    std::function<void()> OnChange;
    // Sounds the refusal of a key; the system bell unless replaced.
    std::function<void()> Beep;

    QToolButton* UpButton() const { return UpButton_; }
    QToolButton* DownButton() const { return DownButton_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Step(int delta);

    QToolButton* UpButton_;
    QToolButton* DownButton_;
};
