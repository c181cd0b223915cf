// SPDX-License-Identifier: GPL-3.0-or-later
// The practice sheet from the command line: the real program, without a display, over this
// build's Photo.mdb (or a fixture's beside a copy of the program); the PDF rasterised by pdftoppm
// and measured.
#include "programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

const QString builtProgram = QStringLiteral(ZIBRIN_BUILD_DIR "/zibrin");

// The program with the display taken away: no X or Wayland display, no platform chosen; env
// holds variables to set ("NAME=value") or to remove ("NAME"); childSetUp runs in the child
// before the program starts.
Run runProgram(const QStringList &arguments, const QString &runtimeDir,
    const QString &program = builtProgram, const QStringList &extraEnv = {},
    const std::function<void()> &childSetUp = {})
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        env.remove(QLatin1String(name));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir);
    for (const QString &variable : extraEnv) {
        if (variable.contains(u'='))
            env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
        else
            env.remove(variable);
    }
    if (childSetUp)
        process.setChildProcessModifier(childSetUp);
    // font and X libraries keep memory to the end of the process: no leak report in a
    // sanitizer build, whose exit code would hide the program's own
    const QString asan = env.value(QStringLiteral("ASAN_OPTIONS"));
    env.insert(QStringLiteral("ASAN_OPTIONS"),
        (asan.isEmpty() ? QString() : asan + u':') + QStringLiteral("detect_leaks=0"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    if (!process.waitForFinished(60000))
        return {};
    return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardOutput()),
        QString::fromUtf8(process.readAllStandardError()) };
}

QByteArray checksumOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

// The outline JSON of a stroke list.
QByteArray outlineOf(const QStringList &strokes)
{
    return QJsonDocument(
        QJsonObject { { QStringLiteral("strokes"), QJsonArray::fromStringList(strokes) } })
        .toJson(QJsonDocument::Compact);
}

bool isGrid(QRgb p)
{
    return qGreen(p) - qRed(p) > 30 && qGreen(p) - qBlue(p) > 30;
}
bool isRed(QRgb p)
{
    return qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
}
bool isBlack(QRgb p)
{
    return qRed(p) < 90 && qGreen(p) < 90 && qBlue(p) < 90;
}
// sheets::tracingRed, 0xf5a3a3
bool isLightRed(QRgb p)
{
    return qRed(p) > 225 && qAbs(qGreen(p) - 0xa3) <= 30 && qAbs(qBlue(p) - 0xa3) <= 30;
}
// strokepicture::pendingColour, 0xd6d6d6
bool isTracingGrey(QRgb p)
{
    return qAbs(qRed(p) - 0xd6) <= 8 && qAbs(qGreen(p) - 0xd6) <= 8 && qAbs(qBlue(p) - 0xd6) <= 8;
}

// The centres of the runs of indices whose count reaches the threshold.
QList<double> lineCentres(const QList<int> &counts, int threshold, int offset)
{
    QList<double> out;
    int start = -1;
    for (int i = 0; i <= counts.size(); ++i) {
        const bool on = i < counts.size() && counts[i] >= threshold;
        if (on && start < 0)
            start = i;
        if (!on && start >= 0) {
            out.append(offset + (start + i - 1) / 2.0);
            start = -1;
        }
    }
    return out;
}

struct Ink {
    int red = 0;
    int black = 0;
    int grey = 0;
    int lightRed = 0;
};

Ink inkIn(const QImage &image, const QRect &rect)
{
    Ink ink;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = rect.left(); x <= rect.right(); ++x) {
            ink.red += isRed(line[x]);
            ink.black += isBlack(line[x]);
            ink.grey += isTracingGrey(line[x]);
            ink.lightRed += isLightRed(line[x]);
        }
    }
    return ink;
}

// The text of pages [first, last] of a PDF, by pdftotext.
QString pdfText(const QString &pdf, int first, int last)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
        { QStringLiteral("-f"), QString::number(first), QStringLiteral("-l"), QString::number(last),
            pdf, QStringLiteral("-") });
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Page `page` of a PDF at 254 dpi (ten pixels to the millimetre), by pdftoppm.
QImage pdfPage(const QString &pdf, int page, const QString &prefix)
{
    QProcess raster;
    raster.start(QStringLiteral("pdftoppm"),
        { QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-f"), QString::number(page),
            QStringLiteral("-l"), QString::number(page), QStringLiteral("-singlefile"), pdf,
            prefix });
    if (!raster.waitForFinished(60000) || raster.exitCode() != 0)
        return QImage();
    return QImage(prefix + QStringLiteral(".ppm")).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class SheetCommandTest : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace();
        m_runtime.emplace();
        QVERIFY(m_dir->isValid());
    }

    // 永 on A4 in 米字格 of 20 mm: nine cells a row; its five strokes growing, the k-th in red,
    // three grey copies, an empty cell, then the empty row. The file it replaces is gone, and so
    // is every temporary file; the character without a record is named.
    void writesTheSheet()
    {
        const QString pdf = m_dir->filePath(QStringLiteral("a.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();

        const Run run = runProgram(
            { QStringLiteral("--practice-sheet"), QStringLiteral("永𠀀"),
                QStringLiteral("--output"), pdf, QStringLiteral("--grid"), QStringLiteral("mi"),
                QStringLiteral("--cell"), QStringLiteral("20"), QStringLiteral("--no-model"),
                QStringLiteral("--no-stroke-names"), QStringLiteral("--no-pinyin") },
            m_runtime->path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("𠀀")), qPrintable(run.err));
        QCOMPARE(
            QDir(m_dir->path()).entryList(QDir::Files), QStringList { QStringLiteral("a.pdf") });

        // 254 dpi: ten pixels to the millimetre
        QProcess raster;
        raster.start(QStringLiteral("pdftoppm"),
            { QStringLiteral("-r"), QStringLiteral("254"), QStringLiteral("-singlefile"), pdf,
                m_dir->filePath(QStringLiteral("page")) });
        QVERIFY2(raster.waitForFinished(60000) && raster.exitCode() == 0,
            "pdftoppm (poppler-utils, installed by tools/setup.sh) did not run");
        const QImage image = QImage(m_dir->filePath(QStringLiteral("page.ppm")))
                                 .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!image.isNull());
        QVERIFY2(
            qAbs(image.width() - 2100) <= 1 && qAbs(image.height() - 2970) <= 1, "not A4 portrait");

        // the grid's top-left corner: the first grid pixels from the top
        int top = -1;
        int left = image.width();
        for (int y = 0; y < image.height() && top < 0; ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (isGrid(line[x])) {
                    top = y;
                    left = std::min(left, x);
                }
            }
        }
        QVERIFY(top > 0);
        // the solid lines run the whole height of a row; dashed ones and diagonals do not
        QList<int> columnCounts(image.width(), 0);
        for (int y = top; y < top + 200; ++y) {
            for (int x = 0; x < image.width(); ++x)
                columnCounts[x] += isGrid(image.pixel(x, y));
        }
        const QList<double> verticals = lineCentres(columnCounts, 170, 0);
        QCOMPARE(verticals.size(), 10);
        for (int i = 1; i < verticals.size(); ++i)
            QVERIFY2(qAbs(verticals[i] - verticals[i - 1] - 200) <= 1.5,
                qPrintable(QStringLiteral("cell %1 is %2 px wide")
                               .arg(i)
                               .arg(verticals[i] - verticals[i - 1])));
        const int right = int(verticals.last());
        QList<int> rowCounts(450, 0);
        for (int y = 0; y < rowCounts.size(); ++y) {
            for (int x = left; x < right; ++x)
                rowCounts[y] += isGrid(image.pixel(x, top - 5 + y));
        }
        const QList<double> horizontals
            = lineCentres(rowCounts, (right - left) * 85 / 100, top - 5);
        QCOMPARE(horizontals.size(), 3); // the stroke-order row and one empty row
        QVERIFY(qAbs(horizontals[1] - horizontals[0] - 200) <= 1.5);
        QVERIFY(qAbs(horizontals[2] - horizontals[1] - 200) <= 1.5);

        const auto cell = [&](int row, int column) {
            const int x = int(verticals[column]) + 4;
            const int y = int(horizontals[row]) + 4;
            return inkIn(image,
                QRect(x, y, int(verticals[column + 1]) - x - 4, int(horizontals[row + 1]) - y - 4));
        };
        int previous = 0;
        for (int k = 0; k < 5; ++k) {
            const Ink ink = cell(0, k);
            QVERIFY2(ink.red > 0, qPrintable(QStringLiteral("no red in cell %1").arg(k + 1)));
            QVERIFY2((ink.black > 0) == (k > 0), qPrintable(QStringLiteral("cell %1").arg(k + 1)));
            QVERIFY2(ink.red + ink.black > previous,
                qPrintable(QStringLiteral("cell %1 does not add ink").arg(k + 1)));
            previous = ink.red + ink.black;
        }
        for (int k = 5; k < 8; ++k) {
            const Ink ink = cell(0, k);
            QCOMPARE(ink.red + ink.black, 0);
            QVERIFY2(ink.grey > previous * 6 / 10,
                qPrintable(QStringLiteral("copy %1: %2 grey pixels").arg(k - 4).arg(ink.grey)));
        }
        for (const Ink ink : { cell(0, 8), cell(1, 0), cell(1, 4), cell(1, 8) })
            QCOMPARE(ink.red + ink.black + ink.grey, 0);
    }

    // The 生字 sheet a teacher hands out: 峰 on A4 in cells of 18 mm (15 mm from the left, the
    // first row 12 + 24 mm of header and 8.56 mm of four lines down). Its 范字 in black first, the
    // ten stroke-order cells, the copies to trace in light red; the reading, the card's radical,
    // structure, strokes, a word and the stroke names, the header and the page number as text.
    void teachersSheet()
    {
        const QString pdf = m_dir->filePath(QStringLiteral("a.pdf"));
        const Run run = runProgram(
            { QStringLiteral("--practice-sheet"), QStringLiteral("峰"), QStringLiteral("--output"),
                pdf, QStringLiteral("--tracing-colour"), QStringLiteral("red") },
            m_runtime->path());
        QCOMPARE(run.exitCode, 0);
        const QString text = pdfText(pdf, 1, 1);
        for (const char *expected : { "fēng", "部首 山", "左右", "10 画", "班级", "姓名", "日期",
                 "第 1 页 / 共 1 页", "竖折", "横撇" })
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
        QVERIFY2(text.contains(QStringLiteral("山峰")) || text.contains(QStringLiteral("高峰")),
            qPrintable(text));

        const QImage image = pdfPage(pdf, 1, m_dir->filePath(QStringLiteral("page")));
        QVERIFY2(
            !image.isNull(), "pdftoppm (poppler-utils, installed by tools/setup.sh) did not run");
        const auto cell = [&](int row, int column) {
            return inkIn(image, QRect(150 + 180 * column + 10, 446 + 180 * row + 10, 160, 160));
        };
        const Ink model = cell(0, 0);
        QVERIFY2(model.black > 2000 && model.red == 0 && model.lightRed == 0,
            qPrintable(QStringLiteral("%1 black, %2 red").arg(model.black).arg(model.red)));
        QVERIFY(cell(0, 1).red > 0); // the first stroke
        QVERIFY(cell(1, 0).red > 0 && cell(1, 0).black > 0); // the tenth
        for (int column = 1; column <= 3; ++column) {
            const Ink copy = cell(1, column);
            QVERIFY2(copy.lightRed > model.black / 2 && copy.grey == 0 && copy.black == 0,
                qPrintable(QStringLiteral("copy %1: %2 light red").arg(column).arg(copy.lightRed)));
        }
        QCOMPARE(cell(1, 4).lightRed + cell(1, 4).black, 0);
    }

    // 看拼音写词语 with the answers: page 1 the words' readings over two empty cells each (on A4
    // at 18 mm the cells of the words start 19, 66 and 113 mm from the left), none of their
    // characters; the answer page last, the words in characters.
    void dictationSheet()
    {
        const QString pdf = m_dir->filePath(QStringLiteral("d.pdf"));
        const Run run
            = runProgram({ QStringLiteral("--dictation-sheet"), QStringLiteral("银行，快乐 重新"),
                             QStringLiteral("--output"), pdf, QStringLiteral("--answers") },
                m_runtime->path());
        QCOMPARE(run.exitCode, 0);
        const QString words = pdfText(pdf, 1, 1);
        for (const char *expected : { "yínháng", "kuàilè", "chóngxīn", "第 1 页 / 共 2 页" })
            QVERIFY2(words.contains(QString::fromUtf8(expected)), qPrintable(words));
        for (const QChar c : QStringLiteral("银行快乐重新"))
            QVERIFY2(!words.contains(c), qPrintable(words));
        const QString answers = pdfText(pdf, 2, 2);
        for (const char *expected : { "银行", "快乐", "重新", "第 2 页 / 共 2 页" })
            QVERIFY2(answers.contains(QString::fromUtf8(expected)), qPrintable(answers));

        const QImage image = pdfPage(pdf, 1, m_dir->filePath(QStringLiteral("page")));
        QVERIFY(!image.isNull());
        const int top = 446;
        for (const int left : { 190, 660, 1130 }) {
            for (int k = 0; k < 2; ++k) {
                const QRect inside(left + 180 * k + 10, top + 10, 160, 160);
                const Ink ink = inkIn(image, inside);
                QCOMPARE(ink.black + ink.red + ink.grey, 0);
                // the cell's edges are there
                QVERIFY(isGrid(image.pixel(left + 180 * k + 90, top)));
                QVERIFY(isGrid(image.pixel(left + 180 * k, top + 90)));
            }
            QVERIFY(!isGrid(image.pixel(left + 360 + 15, top + 90))); // two cells, no third
        }
    }

    // --words-from-card: each character's first word on its card (银 银行, 乐 快乐, as this
    // build's card.db lists them), read as the words are; a character without a card is named.
    void dictationWordsFromCards()
    {
        const QString pdf = m_dir->filePath(QStringLiteral("d.pdf"));
        const Run run
            = runProgram({ QStringLiteral("--dictation-sheet"), QStringLiteral("银x乐"),
                             QStringLiteral("--words-from-card"), QStringLiteral("--output"), pdf,
                             QStringLiteral("--answers") },
                m_runtime->path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("no word on the card: x")), qPrintable(run.err));
        const QString words = pdfText(pdf, 1, 1);
        for (const char *expected : { "yínháng", "kuàilè" })
            QVERIFY2(words.contains(QString::fromUtf8(expected)), qPrintable(words));
        const QString answers = pdfText(pdf, 2, 2);
        QVERIFY2(
            answers.contains(QStringLiteral("银行")) && answers.contains(QStringLiteral("快乐")),
            qPrintable(answers));
    }

    void errors_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("message");
        const QString out = QStringLiteral("OUT");
        const auto args = [&](std::initializer_list<const char *> extra) {
            QStringList list { QStringLiteral("--practice-sheet"), QStringLiteral("山水"),
                QStringLiteral("--output"), out };
            for (const char *e : extra)
                list.append(QString::fromUtf8(e));
            return list;
        };
        QTest::newRow("no usable character")
            << QStringList { "--practice-sheet", "abc，𠀀", "--output", out } << "no character";
        QTest::newRow("only punctuation")
            << QStringList { "--practice-sheet", "，。", "--output", out } << "no character";
        QTest::newRow("no output") << QStringList { "--practice-sheet", "山" } << "--output";
        QTest::newRow("cell too small") << args({ "--cell", "9" }) << "--cell";
        QTest::newRow("cell too large") << args({ "--cell", "31" }) << "--cell";
        QTest::newRow("cell not a number") << args({ "--cell", "18mm" }) << "--cell";
        QTest::newRow("too many copies") << args({ "--tracing", "11" }) << "--tracing";
        QTest::newRow("too many rows") << args({ "--rows", "6" }) << "--rows";
        QTest::newRow("negative rows") << args({ "--rows", "-1" }) << "--rows";
        QTest::newRow("unknown grid") << args({ "--grid", "hex" }) << "--grid";
        QTest::newRow("unknown paper") << args({ "--paper", "B5" }) << "--paper";
        QTest::newRow("unknown option") << args({ "--colour", "red" }) << "colour";
        QTest::newRow("missing value") << args({ "--title" }) << "title";
        QTest::newRow("unknown tracing colour")
            << args({ "--tracing-colour", "blue" }) << "--tracing-colour";
        QTest::newRow("too many words") << args({ "--words", "4" }) << "--words";
        QTest::newRow("both sheets") << args({ "--dictation-sheet", "银行" }) << "one sheet";
        QTest::newRow("no usable word")
            << QStringList { "--dictation-sheet", "，。abc", "--output", out } << "no word";
        QTest::newRow("dictation, no output")
            << QStringList { "--dictation-sheet", "银行" } << "--output";
        QTest::newRow("folder missing")
            << QStringList { "--practice-sheet", "山", "--output", "none/a.pdf" } << "文件夹不存在";
        QTest::newRow("output is a folder")
            << QStringList { "--practice-sheet", "山", "--output", "." } << "是文件夹";
        QTest::newRow("title too long") << args({ "--title",
            "一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一" })
                                        << "--title";
    }
    // Every failure says what is wrong, exits non-zero and leaves the folder as it was: the
    // file that was there untouched, nothing else written.
    void errors()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, message);
        const QString pdf = m_dir->filePath(QStringLiteral("a.pdf"));
        QFile old(pdf);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old");
        old.close();
        for (QString &argument : arguments) {
            if (argument == QLatin1String("OUT"))
                argument = pdf;
            else if (argument == QLatin1String("none/a.pdf") || argument == QLatin1String("."))
                argument = m_dir->filePath(argument);
        }
        const Run run = runProgram(arguments, m_runtime->path());
        QVERIFY2(run.exitCode > 0, qPrintable(QString::number(run.exitCode)));
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
            QStringList { QStringLiteral("a.pdf") });
        QFile kept(pdf);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), QByteArray("old"));
    }

    // An output that must not or cannot be replaced: the program says why, exits 1 and leaves
    // it as it was (the same checksum, the same kind of file), with no temporary file beside it.
    void keepsWhatItMustNotReplace_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("message");
        QTest::newRow("write fails at commit (file-size limit)") << "limit"
                                                                 << "文件超出了允许的大小";
        QTest::newRow("another user's link in a sticky folder") << "link"
                                                                << "符号链接";
        QTest::newRow("FIFO") << "fifo"
                              << "命名管道";
        QTest::newRow("device") << "device"
                                << "设备文件";
    }
    void keepsWhatItMustNotReplace()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        const QDir dir(m_dir->path());
        QString output = dir.filePath(QStringLiteral("a.pdf"));
        QString kept = output; // the file that must stay as it was
        std::function<void()> childSetUp;
        if (kind == QLatin1String("limit")) {
            // 100 KB of old sheet; the new one stops at 16 KiB, at the last flush before the
            // rename
            QFile old(output);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write(QByteArray(100000, 'o'));
            old.close();
            childSetUp = [] {
                ::signal(SIGXFSZ, SIG_IGN);
                const rlimit limit { 16 * 1024, 16 * 1024 };
                ::setrlimit(RLIMIT_FSIZE, &limit);
            };
        } else if (kind == QLatin1String("link")) {
            if (::geteuid() != 0)
                QSKIP("only root can make a link that belongs to another user");
            QVERIFY(dir.mkdir(QStringLiteral("shared")));
            QVERIFY(::chmod(QFile::encodeName(dir.filePath(QStringLiteral("shared"))), 01777) == 0);
            kept = dir.filePath(QStringLiteral("notes.txt"));
            QFile notes(kept);
            QVERIFY(notes.open(QIODevice::WriteOnly));
            notes.write("my notes\n");
            notes.close();
            output = dir.filePath(QStringLiteral("shared/sheet.pdf"));
            QVERIFY(QFile::link(kept, output));
            QVERIFY(::lchown(QFile::encodeName(output), 65534, 65534) == 0);
        } else if (kind == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(QFile::encodeName(output), 0600) == 0);
        } else if (kind == QLatin1String("device")) {
            if (::geteuid() != 0)
                QSKIP("only root can make a device node");
            QVERIFY(::mknod(QFile::encodeName(output), S_IFCHR | 0666, makedev(1, 3)) == 0);
        }
        struct stat before { };
        QVERIFY(::stat(QFile::encodeName(kept), &before) == 0);
        const QByteArray checksum = S_ISREG(before.st_mode) ? checksumOf(kept) : QByteArray();
        const QStringList entries
            = dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);

        const Run run = runProgram({ QStringLiteral("--practice-sheet"), QStringLiteral("山水火永"),
                                       QStringLiteral("--output"), output },
            m_runtime->path(), builtProgram, {}, childSetUp);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(message), qPrintable(run.err));
        struct stat after { };
        QVERIFY(::stat(QFile::encodeName(kept), &after) == 0);
        QCOMPARE(after.st_mode & S_IFMT, before.st_mode & S_IFMT);
        QCOMPARE(after.st_ino, before.st_ino);
        if (S_ISREG(before.st_mode))
            QCOMPARE(checksumOf(kept), checksum);
        QCOMPARE(
            dir.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot),
            entries);
    }

    // A sheet's work is bounded: an outline of 2,000 strokes (a hostile Photo.mdb's, far under
    // the record store's 1 MiB) is left out like one without strokes, and the program's own data
    // is never the output.
    void hostileProgramFolder()
    {
        ProgramFolder folder;
        const QString program = folder.path() + QStringLiteral("/zibrin");
        QVERIFY(QFile::copy(builtProgram, program));
        QStringList many;
        for (int i = 0; i < 2000; ++i) {
            const int x = 100 + i % 40 * 20;
            const int y = 100 + i / 40 * 14;
            many.append(QStringLiteral("M %1 %2 L %3 %2 L %4 %5 Z")
                            .arg(x)
                            .arg(y)
                            .arg(x + 10)
                            .arg(x + 5)
                            .arg(y + 10));
        }
        const QString written = folder.writeDatabase(
            { { QStringLiteral("山"), QStringLiteral("3"), QStringLiteral("shān"), {} },
                { QStringLiteral("一"), QStringLiteral("1"), QStringLiteral("yī"), {} } },
            { { QStringLiteral("山"), outlineOf(many) },
                { QStringLiteral("一"),
                    outlineOf({ QStringLiteral("M 100 400 L 900 400 L 900 440 L 100 440 Z") }) } });
        QVERIFY2(written.isEmpty(), qPrintable(written));

        const QString pdf = m_dir->filePath(QStringLiteral("a.pdf"));
        Run run = runProgram({ QStringLiteral("--practice-sheet"), QStringLiteral("山一"),
                                 QStringLiteral("--output"), pdf },
            m_runtime->path(), program);
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("no stroke data: 山")), qPrintable(run.err));
        QVERIFY(QFileInfo(pdf).size() > 0);

        // either sheet, onto the records or the character cards
        for (const auto &[sheet, file] : { std::pair { "--practice-sheet", "/Photo.mdb" },
                 std::pair { "--dictation-sheet", "/card.db" } }) {
            const QString data = folder.path() + QLatin1String(file);
            const QByteArray checksum = checksumOf(data);
            run = runProgram(
                { QLatin1String(sheet), QStringLiteral("一"), QStringLiteral("--output"), data },
                m_runtime->path(), program);
            QCOMPARE(run.exitCode, 1);
            QVERIFY2(run.err.contains(QStringLiteral("自己的数据")), qPrintable(run.err));
            QCOMPARE(checksumOf(data), checksum);
        }
    }

    // Whatever platform the desktop session chose, the command runs without a display, takes
    // --title as its own, makes no runtime folder and says nothing but what it must.
    void independentOfTheDesktopsPlatform()
    {
        const QDir dir(m_dir->path());
        QVERIFY(dir.mkdir(QStringLiteral("tmp")));
        const QString pdf = dir.filePath(QStringLiteral("a.pdf"));
        const Run run = runProgram(
            { QStringLiteral("--practice-sheet"), QStringLiteral("山"), QStringLiteral("--output"),
                pdf, QStringLiteral("--title"), QStringLiteral("山的练习") },
            m_runtime->path(), builtProgram,
            { QStringLiteral("QT_QPA_PLATFORM=xcb"), QStringLiteral("XDG_RUNTIME_DIR"),
                QStringLiteral("TMPDIR=") + dir.filePath(QStringLiteral("tmp")) });
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.err, QString());
        QVERIFY(QDir(dir.filePath(QStringLiteral("tmp"))).isEmpty());
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), { pdf });
        QVERIFY(info.waitForFinished(30000));
        QVERIFY2(
            QString::fromUtf8(info.readAllStandardOutput()).contains(QStringLiteral("山的练习")),
            "not the title given");
    }

    void helpListsTheOptions()
    {
        const Run run = runProgram(
            { QStringLiteral("--practice-sheet"), QStringLiteral("--help") }, m_runtime->path());
        QCOMPARE(run.exitCode, 0);
        for (const char *option : { "--output", "--grid", "--cell", "--tracing", "--rows",
                 "--paper", "--landscape", "--no-pinyin", "--title", "--no-model",
                 "--no-stroke-names", "--no-info", "--words", "--tracing-colour", "--keep-repeats",
                 "--no-class-field", "--dictation-sheet", "--answers", "--words-from-card" })
            QVERIFY2(run.out.contains(QLatin1String(option)), option);
    }

private:
    std::optional<QTemporaryDir> m_dir;
    std::optional<QTemporaryDir> m_runtime;
};

QTEST_GUILESS_MAIN(SheetCommandTest)
#include "tst_sheetcommand.moc"
