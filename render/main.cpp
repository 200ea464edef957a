// plenamar-render: box shots from the command line (RenderTool.h).
#include "render/RenderTool.h"

#include <iostream>

int main(int argc, char** argv)
{
    return RunRenderTool(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
}
