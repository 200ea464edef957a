#pragma once
// The two snapshot commands of the main window: make a snapshot of the view
// (capture, show, smooth, write) and export the smoothed snapshot.
#include "snapshot/BitmapPicture.h"
#include "snapshot/Capture.h"

#include <QSize>
#include <QString>
#include <functional>
#include <string>

// Shows a progress text in the status bar. Must not draw a frame.
using TStatusText = std::function<void(const QString& text)>;

// "CaptureRender.bmp" in the user's home folder.
std::string SnapshotFilePath();

// The strength the snapshot command smooths with.
constexpr int SnapshotStrength = 90;

// Captures the bound framebuffer (or what readRow reads) of a view whose client
// area is clientSize, leaving out the right 200 columns and the top and bottom
// rows, into fileName; loads the file into preview, smooths it over the preview
// control's size and writes it back over the file. Reports each step through
// status. A failing step raises and the steps after it do not run; the preview
// changes only once the file has been read back. Needs the view's rendering
// context current.
void CreateCoverSnapshot(TBitmapPicture& preview, QSize previewSize, QSize clientSize, const TStatusText& status,
                         const std::string& fileName = SnapshotFilePath(),
                         const TRowReader& readRow = ReadFramebufferRow);

// Writes the preview's picture as a bitmap file (whatever fileName's
// extension); nothing when the preview is empty. Raises on a write error.
void ExportSnapshot(const TBitmapPicture& preview, const std::string& fileName);
