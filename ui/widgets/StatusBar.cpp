#include "ui/widgets/StatusBar.h"

#include <QLabel>

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent), Panel_(new QLabel(this))
{
    Panel_->setContentsMargins(2, 0, 2, 0);
    addWidget(Panel_, 1);
}

void TStatusBar::SetSimpleText(const QString& text)
{
    if (Panel_->text() != text)
        Panel_->setText(text);
}

QString TStatusBar::SimpleText() const
{
    return Panel_->text();
}
