// SPDX-License-Identifier: GPL-3.0-or-later

#include "ProbeCommands.h"

#include "TranslateText.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <cstdio>
#include <optional>
#include <vector>

// translate LANG TEXT...: sends every TEXT at once to the endpoint compiled
// into the app and prints the answers in argument order, one per line, or
// "(none)" for a text that got no translation. Exits 1 when any got none.
int runTranslateCommand(const QStringList &args)
{
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: quillmere-probe translate LANG TEXT...\n");
        return 2;
    }
    const QString language = args.first();
    const QStringList texts = args.mid(1);
    std::vector<std::optional<QString>> answers(texts.size());
    qsizetype outstanding = texts.size();

    for (qsizetype k = 0; k < texts.size(); ++k) {
        translateText(texts.at(k), language, [&answers, &outstanding, k](std::optional<QString> translation) {
            QMetaObject::invokeMethod(
                QCoreApplication::instance(),
                [&answers, &outstanding, k, translation = std::move(translation)] {
                    answers[k] = translation;
                    if (--outstanding == 0)
                        QCoreApplication::quit();
                },
                Qt::QueuedConnection);
        });
    }
    QCoreApplication::exec();

    int failures = 0;
    for (const std::optional<QString> &answer : answers) {
        const QByteArray line = answer ? answer->toUtf8() : QByteArrayLiteral("(none)");
        std::fwrite(line.constData(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        failures += answer ? 0 : 1;
    }
    return failures == 0 ? 0 : 1;
}
