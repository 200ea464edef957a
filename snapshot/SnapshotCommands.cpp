#include "snapshot/SnapshotCommands.h"

#include "snapshot/Antialias.h"
#include "snapshot/BmpFile.h"

#include <QDir>
#include <QFile>

std::string SnapshotFilePath()
{
    return QFile::encodeName(QDir::homePath() + QStringLiteral("/CaptureRender.bmp")).toStdString();
}

void CreateCoverSnapshot(TBitmapPicture& preview, QSize previewSize, QSize clientSize, const TStatusText& status,
                         const std::string& fileName, const TRowReader& readRow)
{
    status(QStringLiteral("Creating Bitmap"));
    CaptureViewToFile(fileName, clientSize.width() - 200, clientSize.height() - 2, readRow);
    status(QStringLiteral("Creating Bitmap ... Done"));
    preview.Assign(LoadBitmapFromFile(fileName));
    status(QStringLiteral("Antialiasing Bitmap"));
    AntialiasImage(preview, previewSize.width(), previewSize.height(), SnapshotStrength);
    status(QStringLiteral("Antialiasing Bitmap ... Done"));
    SaveBitmapToFile(*preview.Bitmap(), fileName);
    status(QStringLiteral("BMP file has been successfully Created!"));
}

void ExportSnapshot(const TBitmapPicture& preview, const std::string& fileName)
{
    if (const TBitmap24* bitmap = preview.Bitmap())
        SaveBitmapToFile(*bitmap, fileName);
}
