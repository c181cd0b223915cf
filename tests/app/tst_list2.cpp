// SPDX-License-Identifier: GPL-3.0-or-later
#include "list2.h"
#include "tests.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <sys/stat.h>

namespace {

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GBK");
    return encoder(text);
}

} // namespace

// The first item of LIST2.txt, from the file's bytes.
class List2Test : public QObject {
    Q_OBJECT
private slots:
    void readFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("read");
        QTest::addColumn<QString>("item");
        QTest::newRow("quoted") << true << QByteArray("\"abc\",def\r\n") << true
                                << QStringLiteral("abc");
        QTest::newRow("quoted, comma inside")
            << true << QByteArray("\"a,b\"\r\n") << true << QStringLiteral("a,b");
        QTest::newRow("quoted, unterminated")
            << true << QByteArray("\"abc") << true << QStringLiteral("abc");
        QTest::newRow("quoted, empty")
            << true << QByteArray("\"\",x") << true << QStringLiteral("");
        QTest::newRow("up to the comma")
            << true << QByteArray("abc,def\r\nghi") << true << QStringLiteral("abc");
        QTest::newRow("up to CR LF")
            << true << QByteArray("abc\r\ndef") << true << QStringLiteral("abc");
        QTest::newRow("up to LF") << true << QByteArray("abc\ndef") << true
                                  << QStringLiteral("abc");
        QTest::newRow("whole text") << true << QByteArray("abc") << true << QStringLiteral("abc");
        QTest::newRow("leading spaces and tabs")
            << true << QByteArray(" \t \t\"abc\"") << true << QStringLiteral("abc");
        QTest::newRow("inner spaces kept")
            << true << QByteArray("  a b ,c") << true << QStringLiteral("a b ");
        QTest::newRow("blank first line")
            << true << QByteArray("\r\nabc") << true << QStringLiteral("");
        QTest::newRow("GBK, quoted") << true << gbk(QStringLiteral("\"一二三峰\",中国\r\n")) << true
                                     << QStringLiteral("一二三峰");
        QTest::newRow("GBK, up to the comma")
            << true << gbk(QStringLiteral("峰刿峁,峤\r\n")) << true << QStringLiteral("峰刿峁");
        // trail bytes in the ASCII range: 乗 is 81 5C, 亅 81 7C, 丂 81 40
        QTest::newRow("GBK, ASCII trail bytes")
            << true << gbk(QStringLiteral("乗亅丂,x")) << true << QStringLiteral("乗亅丂");
        QTest::newRow("empty file") << true << QByteArray() << false << QString();
        QTest::newRow("only spaces and tabs") << true << QByteArray(" \t  ") << false << QString();
        QTest::newRow("missing file") << false << QByteArray() << false << QString();
    }
    void readFile()
    {
        QFETCH(bool, exists);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, read);
        QFETCH(QString, item);

        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("LIST2.txt"));
        if (exists) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            QCOMPARE(file.write(bytes), bytes.size());
        }

        const list2::Result result = list2::readFile(path);
        if (!read) {
            QVERIFY(!result.error.isEmpty());
            QVERIFY2(result.error.contains(QStringLiteral("LIST2.txt")), qPrintable(result.error));
            QVERIFY(result.item.isEmpty());
        } else {
            QVERIFY2(result.error.isEmpty(), qPrintable(result.error));
            QCOMPARE(result.item, item);
        }
    }

    // Only a regular file is read: a link to an endless device would be read until memory ran
    // out, and opening a pipe would wait for a writer for ever, with the window frozen.
    void notARegularFile_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("link to /dev/zero") << "zero";
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("directory") << "directory";
    }
    void notARegularFile()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString path = dir.filePath(QStringLiteral("LIST2.txt"));
        if (kind == QLatin1String("zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));
        else if (kind == QLatin1String("fifo"))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("LIST2.txt")));

        const list2::Result result = list2::readFile(path);
        QVERIFY2(result.error.contains(QStringLiteral("LIST2.txt")), qPrintable(result.error));
        QVERIFY(result.item.isEmpty());
    }

    // A first line longer than the bound is read up to the bound.
    void readsNoMoreThanTheBound()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("LIST2.txt"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.write(QByteArray(3 * list2::maximumReadBytes, 'a')) > 0);
        file.close();
        const list2::Result result = list2::readFile(path);
        QVERIFY(result.error.isEmpty());
        QVERIFY(result.item.size() <= list2::maximumReadBytes);
        QVERIFY(result.item.size() > 1000);
    }

    // The failures are told apart: a missing file is not an empty one.
    void failuresSayWhatWentWrong()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("LIST2.txt"));
        const QString missing = list2::readFile(path).error;
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString empty = list2::readFile(path).error;
        QVERIFY(missing.contains(QStringLiteral("找不到")));
        QVERIFY(empty.contains(QStringLiteral("末尾")));
    }

    // The built LIST2.txt, read as the program reads it, names exactly the characters that have an
    // animation page in the built strokeorder/ and a GBK code.
    void builtListNamesThePages()
    {
        const QString build
            = qEnvironmentVariable("ZIBRIN_BUILD_DIR", QStringLiteral(ZIBRIN_BUILD_DIR));
        const list2::Result list = list2::readFile(build + QStringLiteral("/LIST2.txt"));
        QVERIFY2(list.error.isEmpty(), qPrintable(list.error));

        const QDir pages(build + QStringLiteral("/strokeorder/bsdh/post"));
        QList<uint> expected;
        qsizetype withoutGbk = 0;
        for (const QString &name : pages.entryList({ QStringLiteral("*.html") }, QDir::Files)) {
            const QString character = name.chopped(5);
            QStringEncoder encoder("GBK");
            const QByteArray bytes = encoder(character);
            if (encoder.hasError()) {
                ++withoutGbk;
            } else {
                expected.append(character.toUcs4());
            }
        }
        QList<uint> listed = list.item.toUcs4();
        std::sort(expected.begin(), expected.end());
        std::sort(listed.begin(), listed.end());
        QCOMPARE(listed, expected);
        QVERIFY2(listed.size() >= 9500, qPrintable(QString::number(listed.size())));
        qInfo("LIST2.txt: %lld characters; %lld pages have no GBK code",
            static_cast<long long>(listed.size()), static_cast<long long>(withoutGbk));
    }
};

int runList2Tests(int argc, char *argv[])
{
    List2Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_list2.moc"
