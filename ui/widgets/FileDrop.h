#pragma once
// What dropping files on the main window does. A cover file (".cov" in any
// case) opens wherever it lands; any other file dropped on a face preview
// replaces that face's image, under the same rules and with the same messages
// as choosing it in the picture dialog. One local file at a time: anything
// else is refused, and the drag shows that it cannot land.
#include "cover/FaceSlot.h"

#include <QList>
#include <QString>
#include <QUrl>
#include <optional>

enum class TDropAction { Refuse, OpenCover, ReplaceFace };

struct TFileDrop {
    TDropAction Action = TDropAction::Refuse;
    QString FileName;                  // the local file's path
    TFaceSlot Slot = TFaceSlot::Cover; // the face whose image it replaces
};

// urls: what the drag carries; preview: the face preview under the cursor, if any.
TFileDrop ClassifyFileDrop(const QList<QUrl>& urls, std::optional<TFaceSlot> preview);
