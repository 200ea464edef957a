#include "platform/pictures/Metafile.h"

#include "platform/Error.h"
#include "platform/Isolated.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>
#include <vector>

namespace {

const char* const kInvalid = "Metafile is not valid";

// The picture size in pixels: the metafile's own, shrunk to fit kMaxMetafileSide.
QSize BoundedSize(double width, double height)
{
    if (!(width >= 1 && height >= 1 && std::isfinite(width) && std::isfinite(height)))
        throw TError(std::string(kInvalid) + " (it has no size)");
    const double scale = std::min(1.0, kMaxMetafileSide / std::max(width, height));
    return QSize(std::max(1, int(std::lround(width * scale))), std::max(1, int(std::lround(height * scale))));
}

// libwmf's SVG device gives each bitmap its place and size in picture units
// and then scales and moves it there once more through a transform; without
// the transform the bitmap lands where the metafile puts it.
std::string DropImageTransforms(std::string svg)
{
    for (std::size_t image = svg.find("<image "); image != std::string::npos; image = svg.find("<image ", image + 1)) {
        const std::size_t end = svg.find('>', image);
        const std::size_t transform = svg.find("transform=\"", image);
        if (end == std::string::npos || transform == std::string::npos || transform > end)
            continue;
        const std::size_t close = svg.find('"', transform + 11);
        if (close != std::string::npos && close < end)
            svg.erase(transform, close + 1 - transform);
    }
    return svg;
}

class TWmfPlayer {
public:
    TWmfPlayer()
    {
        wmfAPI_Options options{};
        options.function = wmf_svg_function;
        const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG;
        if (wmf_api_create(&Api, flags, &options) != wmf_E_None)
            throw TError(std::string(kInvalid) + " (the metafile library cannot start; are its fonts installed?)");
    }
    ~TWmfPlayer() { wmf_api_destroy(Api); }
    TWmfPlayer(const TWmfPlayer&) = delete;
    TWmfPlayer& operator=(const TWmfPlayer&) = delete;

    wmfAPI* Api = nullptr;
};

void Check(wmf_error_t result)
{
    if (result != wmf_E_None)
        throw TError(kInvalid);
}

std::string WmfToSvg(const QByteArray& data)
{
    std::vector<unsigned char> bytes(data.begin(), data.end());
    TWmfPlayer player;
    wmfD_Rect box{};
    unsigned int width = 0, height = 0;
    Check(wmf_mem_open(player.Api, bytes.data(), long(bytes.size())));
    Check(wmf_scan(player.Api, 0, &box));
    Check(wmf_display_size(player.Api, &width, &height, 96, 96));
    // The scan gives the extent of what is drawn; a placeable metafile states
    // its own frame, margins included. The player's units are points from the
    // window origin.
    const wmfPlaceableMetaHeader& header = player.Api->PlaceableMetaHeader;
    const int frameWidth = header.Right - header.Left, frameHeight = header.Bottom - header.Top;
    if (player.Api->File->placeable && header.Inch > 0 && frameWidth > 0 && frameHeight > 0) {
        box.TL = {0, 0};
        box.BR = {float(frameWidth * 72.0 / header.Inch), float(frameHeight * 72.0 / header.Inch)};
    }
    const QSize size = BoundedSize(width, height);

    wmf_svg_t* device = WMF_SVG_GetData(player.Api);
    device->out = wmf_stream_create(player.Api, nullptr);
    device->Description = const_cast<char*>("");
    device->bbox = box;
    device->width = unsigned(size.width());
    device->height = unsigned(size.height());
    device->flags |= WMF_SVG_INLINE_IMAGES;
    const wmf_error_t played = wmf_play(player.Api, 0, &box);
    char* text = nullptr;
    unsigned long length = 0;
    wmf_stream_destroy(player.Api, device->out, &text, &length);
    Check(played);
    if (!text || length == 0)
        throw TError(kInvalid);
    return DropImageTransforms(std::string(text, length));
}

std::string EmfToSvg(const QByteArray& data)
{
    std::vector<char> bytes(data.begin(), data.end());
    // EMF+ records are left out, as the system's own metafile player does;
    // every EMF+ file carries the plain records as well.
    generatorOptions options{};
    options.nameSpace = const_cast<char*>("");
    options.svgDelimiter = true;
    char* text = nullptr;
    size_t length = 0;
    const int converted = emf2svg(bytes.data(), bytes.size(), &text, &length, &options);
    std::string svg = text ? std::string(text, length) : std::string();
    std::free(text);
    if (!converted || svg.empty())
        throw TError(kInvalid);
    return svg;
}

QImage RenderSvg(const std::string& svg)
{
    QSvgRenderer renderer(QByteArray::fromStdString(svg));
    if (!renderer.isValid())
        throw TError(kInvalid);
    const QSizeF natural = renderer.viewBoxF().size();
    const QSize size = BoundedSize(natural.width(), natural.height());
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw TError(std::string(kInvalid) + " (it is too large)");
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

} // namespace

QImage ReadMetafile(const QByteArray& data, TMetafileFormat format)
{
    // libemf2svg takes an empty file for a null pointer and crashes on it.
    if (data.isEmpty())
        throw TError(kInvalid);
    const std::string svg = RunIsolated(
        [&] { return format == TMetafileFormat::Wmf ? WmfToSvg(data) : EmfToSvg(data); },
        TIsolationLimits{}, kInvalid);
    return RenderSvg(svg);
}
