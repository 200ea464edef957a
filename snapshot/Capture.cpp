#include "snapshot/Capture.h"

#include "snapshot/BmpFile.h"

#include <GL/gl.h>

#ifndef GL_BGR
#define GL_BGR 0x80E0
#endif

void ReadFramebufferRow(int windowRow, int width, uint8_t* row)
{
    // One row per call: the pack alignment never matters and is left alone.
    glReadPixels(0, windowRow, width, 1, GL_BGR, GL_UNSIGNED_BYTE, row);
}

void ReadRows(TBitmap24& bitmap, const TRowReader& readRow)
{
    const int height = bitmap.Height();
    for (int i = 1; i <= height; ++i) {
        try {
            readRow(i, bitmap.Width(), bitmap.Row(height - i));
        } catch (...) {
            // A row that cannot be read keeps its black pixels.
        }
    }
}

void CaptureViewToFile(const std::string& fileName, int width, int height, const TRowReader& readRow)
{
    TBitmap24 bitmap;
    try {
        bitmap = TBitmap24(width, height);
        ReadRows(bitmap, readRow);
    } catch (...) {
        SaveBitmapToFile(bitmap, fileName);
        throw;
    }
    SaveBitmapToFile(bitmap, fileName);
}
