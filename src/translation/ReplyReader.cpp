// SPDX-License-Identifier: GPL-3.0-or-later

#include "ReplyReader.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonValue>

std::optional<QString> readReply(const QByteArray &body)
{
    const QJsonDocument document = QJsonDocument::fromJson(body);
    if (!document.isArray())
        return std::nullopt;
    const QJsonArray top = document.array();
    if (top.isEmpty() || !top.at(0).isArray())
        return std::nullopt;

    QString translation;
    for (const QJsonValue &segment : top.at(0).toArray()) {
        const QJsonValue piece = segment.toArray().at(0);
        if (piece.isString())
            translation += piece.toString();
    }
    if (translation.isEmpty())
        return std::nullopt;
    return translation;
}
