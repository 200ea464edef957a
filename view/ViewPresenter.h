#pragma once
// The lowest child of the main window, covering its whole client area under
// every control: it paints the part of the view's last frame that shows
// through the free area, opaque, and passes the mouse moves over it on.
#include <QImage>
#include <QWidget>
#include <functional>

class TViewPresenter : public QWidget {
    Q_OBJECT
public:
    explicit TViewPresenter(QWidget* parent);

    // The part of the client area where the view shows through the controls.
    void SetShownRect(const QRect& rect) { ShownRect_ = rect; }
    QRect ShownRect() const { return ShownRect_; }

    // The image the swap fills, kept between frames and resized only when the
    // shown part changes size.
    QImage& FrameImage(const QSize& size);
    // Repaints the shown part from the frame image.
    void Present();

    std::function<void(QMouseEvent*)> OnMouseMove;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    QRect ShownRect_;
    QRect FrameRect_;
    QImage Frame_;
};
