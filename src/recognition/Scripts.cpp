#include "Scripts.h"

const QStringList &scriptModels()
{
    static const QStringList models{"eng", "rus", "heb", "ara"};
    return models;
}
