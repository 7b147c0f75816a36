#include "ProbeCommands.h"

#include <cstdio>

int runOcrCommand(const QStringList &)
{
    std::fprintf(stderr, "quillmere-probe: this command is not built yet\n");
    return 2;
}
