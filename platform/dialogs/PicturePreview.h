#pragma once
// The preview pane of the picture dialogs: the size of the picture file under
// the cursor and the picture itself, shrunk to fit the pane when larger,
// aspect ratio kept. Files that are no readable picture show "(None)".
#include <QFrame>

class QLabel;

class TPicturePreview : public QFrame {
    Q_OBJECT
public:
    explicit TPicturePreview(QWidget* parent = nullptr);

    void ShowFile(const QString& path);

    QString Caption() const;
    QSize PictureSize() const;

private:
    QLabel* Caption_;
    QLabel* Picture_;
};
