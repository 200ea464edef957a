#include "render/export/WebPage.h"

namespace {

std::string Escaped(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

} // namespace

std::string WebPage(const std::string& title)
{
    const std::string name = Escaped(title);
    return "<!DOCTYPE html>\n"
           "<html lang=\"en\">\n"
           "<head>\n"
           "<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           // No icon: the browser asks for none.
           "<link rel=\"icon\" href=\"data:,\">\n"
           "<title>" + name + "</title>\n"
           "<script type=\"module\" src=\"model-viewer.min.js\"></script>\n"
           "<style>\n"
           "html, body { margin: 0; height: 100%; background: #fff; }\n"
           "model-viewer { width: 100%; height: 100%; --poster-color: transparent; }\n"
           "</style>\n"
           "</head>\n"
           "<body>\n"
           "<model-viewer src=\"" + std::string(WebModelFile) + "\" poster=\"" + WebPosterFile + "\" alt=\"" + name +
           "\"\n"
           "  camera-controls auto-rotate ar shadow-intensity=\"1\" environment-image=\"neutral\">\n"
           "</model-viewer>\n"
           "</body>\n"
           "</html>\n";
}
