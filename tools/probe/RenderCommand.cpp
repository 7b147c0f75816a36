#include "ProbeCommands.h"

#include <cstdio>

int runRenderCommand(const QStringList &)
{
    std::fprintf(stderr, "quillmere-probe: this command is not built yet\n");
    return 2;
}
