// plenamar-render: box shots from the command line (RenderTool.h).
#include "render/RenderTool.h"

#include <csignal>
#include <iostream>
#include <malloc.h>

int main(int argc, char** argv)
{
    // A picture past the file size limit (ulimit -f) fails its write with
    // "File too large" and leaves no temporary file, instead of the signal
    // ending the whole run half-way through a file.
    std::signal(SIGXFSZ, SIG_IGN);
    // Picture-sized buffers (decoded images, the GL's copies of textures)
    // come and go box by box: each takes pages of its own that go back to the
    // system when it is freed, so that a run of any length keeps the memory
    // of a few boxes instead of a heap that only grows.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    // Smaller blocks, the GL's among them, come and go draw by draw: the free
    // top of the heap is kept for them, up to 64 MiB, instead of going back
    // to the system and faulting in again at the next draw.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    return RunRenderTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
