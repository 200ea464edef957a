#include "ui/widgets/FileDrop.h"

#include "platform/FileExtension.h"

#include <QFile>

TFileDrop ClassifyFileDrop(const QList<QUrl>& urls, std::optional<TFaceSlot> preview)
{
    TFileDrop drop;
    if (urls.size() != 1 || !urls.front().isLocalFile() || urls.front().toLocalFile().isEmpty())
        return drop;
    drop.FileName = urls.front().toLocalFile();
    if (LowerCaseAscii(FileExtension(QFile::encodeName(drop.FileName).toStdString())) == "cov") {
        drop.Action = TDropAction::OpenCover;
    } else if (preview) {
        drop.Action = TDropAction::ReplaceFace;
        drop.Slot = *preview;
    }
    return drop;
}
