// Files given to the window from outside its dialogs: a cover file named on
// the command line, and files dropped on the window.
#include "ui/Main.h"

#include "platform/ErrorReport.h"
#include "platform/ReadableFile.h"
#include "ui/widgets/FileDrop.h"
#include "ui/widgets/PaintBox.h"

#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

namespace {

// The window only reads a dropped file: a drag must never end as a move,
// after which its source might delete the file.
bool AcceptWithoutMove(QDropEvent* event)
{
    for (Qt::DropAction action : {Qt::CopyAction, Qt::LinkAction}) {
        if (event->possibleActions() & action) {
            event->setDropAction(action);
            event->accept();
            return true;
        }
    }
    event->ignore();
    return false;
}

} // namespace

void TMainForm::OpenGivenCoverFile(const QString& fileName)
{
    const QString path = QFileInfo(fileName).absoluteFilePath();
    RequireReadableFile(QFile::encodeName(path).toStdString());
    OpenCoverFile(path);
}

TFileDrop TMainForm::FileDropAt(const QMimeData* data, QPoint position) const
{
    const std::pair<const QWidget*, TFaceSlot> previews[] = {{PaintBoxFront, TFaceSlot::Cover},
                                                             {PaintBoxSide, TFaceSlot::Spine},
                                                             {PaintBoxTop, TFaceSlot::Top},
                                                             {PaintBoxFloor, TFaceSlot::Floor}};
    std::optional<TFaceSlot> preview;
    for (const auto& [widget, slot] : previews)
        if (childAt(position) == widget)
            preview = slot;
    return ClassifyFileDrop(data->urls(), preview);
}

// A drag that can land somewhere is let in; each move then says whether it
// can land where the cursor is.
void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (ClassifyFileDrop(event->mimeData()->urls(), TFaceSlot::Cover).Action == TDropAction::Refuse)
        event->ignore();
    else
        AcceptWithoutMove(event);
}

void TMainForm::dragMoveEvent(QDragMoveEvent* event)
{
    if (FileDropAt(event->mimeData(), event->position().toPoint()).Action == TDropAction::Refuse)
        event->ignore();
    else
        AcceptWithoutMove(event);
}

// The drop ends before the file is read: a message shown by the flow runs its
// own event loop, which must not keep the drag's source waiting.
void TMainForm::dropEvent(QDropEvent* event)
{
    const TFileDrop drop = FileDropAt(event->mimeData(), event->position().toPoint());
    if (drop.Action == TDropAction::Refuse || !AcceptWithoutMove(event)) {
        event->ignore();
        return;
    }
    QTimer::singleShot(0, this, [this, drop] { RunGuarded([&] { DropFile(drop); }); });
}

void TMainForm::DropFile(const TFileDrop& drop)
{
    if (drop.Action == TDropAction::OpenCover)
        OpenGivenCoverFile(drop.FileName);
    else
        ReplaceFaceImage(drop.Slot, drop.FileName);
}
