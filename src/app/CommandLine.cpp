// SPDX-License-Identifier: GPL-3.0-or-later

#include "CommandLine.h"

#include <QDir>

namespace {

CommandLine misuse(const QString &problem)
{
    CommandLine command;
    command.action = CommandLine::Action::Misuse;
    command.problem = problem;
    return command;
}

} // namespace

CommandLine readCommandLine(const QStringList &arguments)
{
    bool options = true;
    bool version = false;
    QString unknown;
    QList<PictureSource> pictures;
    for (const QString &argument : arguments) {
        if (options && argument == u"--") {
            options = false;
        } else if (options && (argument == u"--help" || argument == u"-h")) {
            return {CommandLine::Action::Help, {}, {}};
        } else if (options && (argument == u"--version" || argument == u"-v")) {
            version = true;
        } else if (options && argument == u"-") {
            pictures.append({PictureSource::Kind::Pipe, {}, 0});
        } else if (options && argument.startsWith(u'-')) {
            if (unknown.isEmpty())
                unknown = argument;
        } else {
            pictures.append({PictureSource::Kind::File, QDir::current().absoluteFilePath(argument), -1});
        }
    }
    if (version)
        return {CommandLine::Action::Version, {}, {}};
    if (!unknown.isEmpty())
        return misuse(QStringLiteral("unknown option '%1'").arg(unknown));
    if (pictures.size() > 1)
        return misuse(QStringLiteral("one picture at a time"));
    return {CommandLine::Action::Open, pictures.value(0), {}};
}

QString helpText()
{
    return QStringLiteral("Usage: quillmere [FILE | -]\n"
                          "\n"
                          "Translates the text inside a picture. With no argument, Quillmere translates\n"
                          "the picture on the clipboard; with FILE, the picture in that file; with -,\n"
                          "the picture read from standard input, as a screenshot tool writes it:\n"
                          "\n"
                          "  grim -g \"$(slurp)\" - | quillmere -\n"
                          "\n"
                          "While Quillmere runs, a second launch hands its picture to the open window.\n"
                          "\n"
                          "  -h, --help     print this help and exit\n"
                          "  -v, --version  print the version and exit\n"
                          "\n"
                          "Qt's own options, such as -platform NAME, are taken too. See quillmere(1).\n");
}

QString versionText()
{
    return QStringLiteral("quillmere " QUILLMERE_VERSION "\n");
}
