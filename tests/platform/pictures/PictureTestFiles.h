#pragma once
// Picture files made by the tests: bitmaps, JPEGs and icons through Qt's
// writers, and metafiles written record by record.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QRect>
#include <QString>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace picture_test {

inline QByteArray Encode(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

inline QImage Solid(int width, int height, QRgb colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

class TBytes {
public:
    TBytes& U16(uint32_t v) { Data.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF)); return *this; }
    TBytes& U32(uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    QByteArray Data;
};

// COLORREF: red in the low byte.
inline uint32_t ColorRef(QRgb c) { return uint32_t(qRed(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qBlue(c)) << 16; }

// The records of a Windows metafile, each a size in words, a function number
// and its parameters.
class TWmfRecords {
public:
    TWmfRecords& Add(uint16_t function, std::vector<uint16_t> params)
    {
        Bytes.U32(uint32_t(3 + params.size())).U16(function);
        for (uint16_t p : params)
            Bytes.U16(p);
        Largest = std::max(Largest, uint32_t(3 + params.size()));
        return *this;
    }
    TBytes Bytes;
    uint32_t Largest = 0;  // words
};

// A placeable Windows metafile of width x height logical units at `inch`
// units per inch, its window set to the same rectangle, then `records`.
inline QByteArray PlaceableWmf(int width, int height, int inch, const TWmfRecords& records)
{
    TWmfRecords all;
    all.Add(0x020B, {0, 0});                                  // SETWINDOWORG y, x
    all.Add(0x020C, {uint16_t(height), uint16_t(width)});     // SETWINDOWEXT y, x
    all.Bytes.Data.append(records.Bytes.Data);
    all.Largest = std::max(all.Largest, records.Largest);
    all.Add(0x0000, {});                                      // EOF
    TBytes file;
    file.U32(0x9AC6CDD7).U16(0).U16(0).U16(0).U16(uint16_t(width)).U16(uint16_t(height)).U16(uint16_t(inch)).U32(0);
    uint16_t checksum = 0;
    for (int i = 0; i < 20; i += 2)
        checksum ^= uint16_t(uint8_t(file.Data[i]) | uint8_t(file.Data[i + 1]) << 8);
    file.U16(checksum);
    file.U16(1).U16(9).U16(0x0300).U32(uint32_t(18 + all.Bytes.Data.size()) / 2).U16(2).U32(all.Largest).U16(0);
    file.Data.append(all.Bytes.Data);
    return file.Data;
}

// A placeable metafile filling `rect` with a solid colour and no outline.
inline QByteArray WmfWithRectangle(int width, int height, QRect rect, QRgb colour, int inch = 96)
{
    const uint32_t c = ColorRef(colour);
    TWmfRecords records;
    records.Add(0x02FC, {0, uint16_t(c & 0xFFFF), uint16_t(c >> 16), 0})  // CREATEBRUSHINDIRECT solid
        .Add(0x012D, {0})                                                // SELECTOBJECT brush
        .Add(0x02FA, {5, 0, 0, 0, 0})                                    // CREATEPENINDIRECT null pen
        .Add(0x012D, {1})                                                // SELECTOBJECT pen
        .Add(0x041B, {uint16_t(rect.bottom() + 1), uint16_t(rect.right() + 1), uint16_t(rect.top()),
                      uint16_t(rect.left())});                           // RECTANGLE
    return PlaceableWmf(width, height, inch, records);
}

// A placeable metafile writing an even-length `text` in the default font at (x, y).
inline QByteArray WmfWithText(int width, int height, const QByteArray& text, int x, int y)
{
    std::vector<uint16_t> params{uint16_t(text.size())};
    for (int i = 0; i + 1 < text.size(); i += 2)
        params.push_back(uint16_t(uint8_t(text[i]) | uint8_t(text[i + 1]) << 8));
    params.push_back(uint16_t(y));
    params.push_back(uint16_t(x));
    TWmfRecords records;
    records.Add(0x0521, params);  // TEXTOUT
    return PlaceableWmf(width, height, 96, records);
}

// An enhanced metafile whose bounds are width x height device pixels,
// filling `rect` with a solid colour and no outline.
inline QByteArray EmfWithRectangle(int width, int height, QRect rect, QRgb colour)
{
    TBytes emf;
    emf.U32(1).U32(88).U32(0).U32(0).U32(uint32_t(width)).U32(uint32_t(height));  // HEADER, bounds
    emf.U32(0).U32(0).U32(uint32_t(width * 2646 / 100)).U32(uint32_t(height * 2646 / 100)); // frame, 0.01 mm
    emf.U32(0x464D4520).U32(0x10000).U32(0).U32(5).U16(2).U16(0).U32(0).U32(0).U32(0);
    emf.U32(1920).U32(1080).U32(508).U32(286);                      // device pixels and millimetres
    emf.U32(39).U32(24).U32(1).U32(0).U32(ColorRef(colour)).U32(0);  // CREATEBRUSHINDIRECT 1, solid
    emf.U32(37).U32(12).U32(1);                                     // SELECTOBJECT brush 1
    emf.U32(37).U32(12).U32(0x80000008);                            // SELECTOBJECT stock null pen
    emf.U32(43).U32(24).U32(uint32_t(rect.left())).U32(uint32_t(rect.top()))
        .U32(uint32_t(rect.right() + 1)).U32(uint32_t(rect.bottom() + 1)); // RECTANGLE
    emf.U32(14).U32(20).U32(0).U32(16).U32(20);                     // EOF
    const uint32_t size = uint32_t(emf.Data.size());
    std::memcpy(emf.Data.data() + 48, &size, 4);
    return emf.Data;
}

// One icon file holding every picture of `images`, in that order.
inline QByteArray IconWith(const std::vector<QImage>& images)
{
    std::vector<QByteArray> entries, payloads;
    for (const QImage& image : images) {
        const QByteArray single = Encode(image, "ico");  // a directory of one entry
        entries.push_back(single.mid(6, 16));
        payloads.push_back(single.mid(6 + 16));
    }
    TBytes file;
    file.U16(0).U16(1).U16(uint16_t(images.size()));
    uint32_t offset = uint32_t(6 + 16 * images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        file.Data.append(entries[i].left(12));
        file.U32(offset);
        offset += uint32_t(payloads[i].size());
    }
    for (const QByteArray& payload : payloads)
        file.Data.append(payload);
    return file.Data;
}

} // namespace picture_test
