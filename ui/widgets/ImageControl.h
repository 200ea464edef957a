#pragma once
// An image control: holds a picture (empty at first) and draws it stretched
// to fill the control, aspect ratio not kept. It repaints whenever the
// picture raises its change notification.
#include "snapshot/BitmapPicture.h"

#include <QWidget>

class TImageControl : public QWidget {
    Q_OBJECT
public:
    explicit TImageControl(QWidget* parent = nullptr);

    TBitmapPicture& Picture() { return Picture_; }
    const TBitmapPicture& Picture() const { return Picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TBitmapPicture Picture_;
};
