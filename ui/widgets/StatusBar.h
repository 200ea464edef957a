#pragma once
// A status bar with one simple panel. Its text is repainted only when a new
// text differs from the one it holds.
#include <QStatusBar>

class QLabel;

class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent);

    void SetSimpleText(const QString& text);
    QString SimpleText() const;

private:
    QLabel* Panel_;
};
