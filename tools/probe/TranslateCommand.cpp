#include "ProbeCommands.h"

#include <cstdio>

int runTranslateCommand(const QStringList &)
{
    std::fprintf(stderr, "quillmere-probe: this command is not built yet\n");
    return 2;
}
