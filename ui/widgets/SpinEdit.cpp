#include "ui/widgets/SpinEdit.h"

#include "ui/widgets/SpinEditText.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolButton>

namespace {

constexpr int ButtonWidth = 15;
constexpr int FrameWidth = 2;

QToolButton* MakeSpinButton(QWidget* parent, Qt::ArrowType arrow)
{
    auto* button = new QToolButton(parent);
    button->setArrowType(arrow);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true);
    button->setCursor(Qt::ArrowCursor);
    return button;
}

} // namespace

TSpinEdit::TSpinEdit(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent),
      Beep([] { QApplication::beep(); }),
      UpButton_(MakeSpinButton(this, Qt::UpArrow)),
      DownButton_(MakeSpinButton(this, Qt::DownArrow))
{
    setTextMargins(0, 0, ButtonWidth, 0);
    connect(UpButton_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(DownButton_, &QToolButton::clicked, this, [this] { Step(-1); });
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange();
    });
}

int TSpinEdit::Value() const
{
    return SpinEditTextValue(text(), MinValue, MaxValue);
}

void TSpinEdit::SetValue(int value)
{
    const QString newText = QString::number(ClampSpinEditValue(value, MinValue, MaxValue));
    if (text() != newText)
        setText(newText);
}

void TSpinEdit::Step(int delta)
{
    SetValue(ClampSpinEditValue(std::int64_t(Value()) + delta, MinValue, MaxValue));
}

void TSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        Step(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    if (!SpinEditAcceptsKey(event->key(), event->modifiers(), event->text(), locale().decimalPoint())) {
        if (Beep)
            Beep();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void TSpinEdit::resizeEvent(QResizeEvent* event)
{
    QLineEdit::resizeEvent(event);
    const int inner = height() - 2 * FrameWidth;
    const int upHeight = inner / 2;
    const int x = width() - FrameWidth - ButtonWidth;
    UpButton_->setGeometry(x, FrameWidth, ButtonWidth, upHeight);
    DownButton_->setGeometry(x, FrameWidth + upHeight, ButtonWidth, inner - upHeight);
}
