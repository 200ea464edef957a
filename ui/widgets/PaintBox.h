#pragma once
// A paint box: a plain area its owner draws on whenever it is painted, and
// that reports double-clicks of the left button.
#include <QWidget>
#include <functional>

class TPaintBox : public QWidget {
    Q_OBJECT
public:
    explicit TPaintBox(QWidget* parent = nullptr);

    // Draws the part clip of the box (in its own coordinates) with canvas.
    std::function<void(QPainter& canvas, const QRect& clip)> OnPaint;
    std::function<void()> OnDblClick;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
