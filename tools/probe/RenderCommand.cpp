// SPDX-License-Identifier: GPL-3.0-or-later

// quillmere-probe render IMAGE ITEMS.json OUT.png
//
// ITEMS.json is an array of {"text": ..., "box": [x, y, width, height],
// "translated": ...}, the box in normalised picture coordinates with the origin
// at the bottom left. An item without "translated" keeps its own text.
#include "ProbeCommands.h"

#include "RenderOverlay.h"

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace {

bool readItems(const QString &path, TextItems &items, QStringList &translated)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "quillmere-probe: cannot read %s\n", qPrintable(path));
        return false;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError) {
        std::fprintf(stderr, "quillmere-probe: %s: %s\n", qPrintable(path), qPrintable(error.errorString()));
        return false;
    }
    if (!document.isArray()) {
        std::fprintf(stderr, "quillmere-probe: %s is not a JSON array of items\n", qPrintable(path));
        return false;
    }
    for (const QJsonValue &value : document.array()) {
        const QJsonObject object = value.toObject();
        const QJsonArray box = object.value(QLatin1String("box")).toArray();
        if (box.size() != 4) {
            std::fprintf(stderr, "quillmere-probe: an item's \"box\" must be [x, y, width, height]\n");
            return false;
        }
        const QString text = object.value(QLatin1String("text")).toString();
        items.append(
            TextItem{text, QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble())});
        translated.append(object.value(QLatin1String("translated")).toString(text));
    }
    return true;
}

} // namespace

int runRenderCommand(const QStringList &args)
{
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: quillmere-probe render IMAGE ITEMS.json OUT.png\n");
        return 2;
    }
    const QImage source(args.at(0));
    if (source.isNull()) {
        std::fprintf(stderr, "quillmere-probe: cannot read the picture %s\n", qPrintable(args.at(0)));
        return 1;
    }
    TextItems items;
    QStringList translated;
    if (!readItems(args.at(1), items, translated))
        return 1;
    if (!renderOverlay(source, items, translated).save(args.at(2))) {
        std::fprintf(stderr, "quillmere-probe: cannot write %s\n", qPrintable(args.at(2)));
        return 1;
    }
    return 0;
}
