// The snapshot of the view and its export.
#include "ui/Main.h"

#include "platform/dialogs/Dialogs.h"
#include "snapshot/SnapshotCommands.h"
#include "ui/widgets/ImageControl.h"
#include "ui/widgets/StatusBar.h"

#include <QFile>

// Runs start to end without handling other events, so no frame is drawn in
// between; the status texts stand until the next frame.
void TMainForm::ToolButton3Click()
{
    CreateCoverSnapshot(SnapShotImage->Picture(), SnapShotImage->size(), size(),
                        [this](const QString& text) { StatusBar->SetSimpleText(text); });
}

void TMainForm::ToolButton8Click()
{
    const std::optional<QString> chosen = Dialogs->Execute(TFileDialogKind::SavePictureDialog);
    if (chosen)
        ExportSnapshot(SnapShotImage->Picture(), QFile::encodeName(*chosen).toStdString());
}
