// Writes a list of boxes for timing plenamar-render's runs over lists:
//
//   build/tools/make_box_list DIR COUNT
//
// makes DIR/items.csv with COUNT rows and, for each, its own front (1000 x
// 1500), spine (150 x 1500) and back (1000 x 1500) as JPEG files in DIR/art/,
// each different from all the others: colour bands and fine noise, about as
// costly to decode as scanned artwork. The same arguments give the same files.
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

QImage Artwork(int width, int height, uint32_t seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    uint32_t noise = seed * 2654435761u + 1;
    const int hue = int(seed * 47 % 360);
    const QColor top = QColor::fromHsv(hue, 180, 230), bottom = QColor::fromHsv((hue + 120) % 360, 200, 120);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int band = (y * 7 / height + int(seed)) % 3;
        for (int x = 0; x < width; ++x) {
            noise = noise * 1664525u + 1013904223u;
            const int grain = int(noise >> 28) - 8;
            const QColor& base = band == 1 ? bottom : top;
            const int shade = (x * 40 / width) + grain;
            row[x] = qRgb(std::clamp(base.red() + shade, 0, 255), std::clamp(base.green() + shade, 0, 255),
                          std::clamp(base.blue() - shade, 0, 255));
        }
    }
    return image;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[2]) < 1) {
        std::fprintf(stderr, "usage: make_box_list DIR COUNT\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    const int count = std::atoi(argv[2]);
    if (!folder.mkpath("art"))
        return 1;
    QFile list(folder.filePath("items.csv"));
    if (!list.open(QIODevice::WriteOnly))
        return 1;
    list.write("name,front,spine,back\n");
    for (int i = 0; i < count; ++i) {
        const QString name = QString("title%1").arg(i, 4, 10, QChar('0'));
        const std::pair<const char*, QImage> faces[] = {{"front", Artwork(1000, 1500, uint32_t(3 * i))},
                                                        {"spine", Artwork(150, 1500, uint32_t(3 * i + 1))},
                                                        {"back", Artwork(1000, 1500, uint32_t(3 * i + 2))}};
        QString row = name;
        for (const auto& [face, image] : faces) {
            const QString file = QString("art/%1-%2.jpg").arg(name, face);
            if (!image.save(folder.filePath(file), "JPEG", 90))
                return 1;
            row += "," + file;
        }
        list.write((row + "\n").toUtf8());
    }
    return 0;
}
