// SPDX-License-Identifier: GPL-3.0-or-later

// What a command line asks for, and the picture types the desktop entry
// offers Quillmere for.
#include "CommandLine.h"
#include "SingleWindow.h"

#include <QDir>
#include <QImageReader>
#include <QtTest>

using Action = CommandLine::Action;
using Kind = PictureSource::Kind;

class CommandLineTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readsWhatIsAskedFor_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<Action>("action");
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("path");
        const QString here = QDir::currentPath();
        QTest::newRow("nothing: the clipboard") << QStringList{} << Action::Open << Kind::Clipboard << QString();
        QTest::newRow("file, made absolute")
            << QStringList{u"shots/a b.png"_qs} << Action::Open << Kind::File << here + u"/shots/a b.png"_qs;
        QTest::newRow("absolute file") << QStringList{u"/tmp/a.png"_qs} << Action::Open << Kind::File
                                       << u"/tmp/a.png"_qs;
        QTest::newRow("standard input") << QStringList{u"-"_qs} << Action::Open << Kind::Pipe << QString();
        QTest::newRow("a file named -, after --")
            << QStringList{u"--"_qs, u"-"_qs} << Action::Open << Kind::File << here + u"/-"_qs;
        QTest::newRow("a file named like an option, after --")
            << QStringList{u"--"_qs, u"--help"_qs} << Action::Open << Kind::File << here + u"/--help"_qs;
        QTest::newRow("help wins") << QStringList{u"a.png"_qs, u"--bogus"_qs, u"-v"_qs, u"--help"_qs} << Action::Help
                                   << Kind::Clipboard << QString();
        QTest::newRow("-h") << QStringList{u"-h"_qs} << Action::Help << Kind::Clipboard << QString();
        QTest::newRow("version wins over misuse") << QStringList{u"a.png"_qs, u"b.png"_qs, u"--version"_qs}
                                                  << Action::Version << Kind::Clipboard << QString();
        QTest::newRow("-v") << QStringList{u"-v"_qs} << Action::Version << Kind::Clipboard << QString();
        QTest::newRow("two files") << QStringList{u"a.png"_qs, u"b.png"_qs} << Action::Misuse << Kind::Clipboard
                                   << QString();
        QTest::newRow("a file and standard input")
            << QStringList{u"a.png"_qs, u"-"_qs} << Action::Misuse << Kind::Clipboard << QString();
        QTest::newRow("unknown option") << QStringList{u"a.png"_qs, u"--open"_qs} << Action::Misuse << Kind::Clipboard
                                        << QString();
        QTest::newRow("unknown short option")
            << QStringList{u"-x"_qs} << Action::Misuse << Kind::Clipboard << QString();
    }
    void readsWhatIsAskedFor()
    {
        QFETCH(QStringList, arguments);
        QFETCH(Action, action);
        QFETCH(Kind, kind);
        QFETCH(QString, path);
        const CommandLine command = readCommandLine(arguments);
        QCOMPARE(command.action, action);
        QCOMPARE(command.picture.kind, kind);
        QCOMPARE(command.picture.path, path);
        QCOMPARE(command.picture.pipe, kind == Kind::Pipe ? 0 : -1);
        QCOMPARE(command.problem.isEmpty(), action != Action::Misuse);
    }

    // File managers offer Quillmere for the types its desktop entry lists, so
    // each must be one it reads; and the entry is named as the bus name, which
    // desktops take it by.
    void desktopEntryOffersReadableTypes()
    {
        const QString entry = QStringLiteral(QUILLMERE_DATA_DIR "/%1.desktop").arg(SingleWindow::busName);
        QVERIFY2(QFile::exists(entry), qPrintable(entry));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        QString exec;
        QStringList types;
        for (const QString &line : QString::fromUtf8(file.readAll()).split(u'\n')) {
            if (line.startsWith(u"Exec="))
                exec = line.mid(5);
            else if (line.startsWith(u"MimeType="))
                types = line.mid(9).split(u';', Qt::SkipEmptyParts);
        }
        QCOMPARE(exec, u"quillmere %f"_qs);
        QVERIFY(types.contains(u"image/png"_qs));
        const QList<QByteArray> readable = QImageReader::supportedMimeTypes();
        for (const QString &type : types)
            QVERIFY2(readable.contains(type.toUtf8()), qPrintable(type));
    }
};

QTEST_MAIN(CommandLineTest)
#include "CommandLineTest.moc"
