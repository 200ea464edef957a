// plenamar-render: box shots from the command line (RenderTool.h).
#include "render/RenderTool.h"

#include <csignal>
#include <iostream>

int main(int argc, char** argv)
{
    // A picture past the file size limit (ulimit -f) fails its write with
    // "File too large" and leaves no temporary file, instead of the signal
    // ending the whole run half-way through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    return RunRenderTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
