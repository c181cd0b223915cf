// makelist2 OUTPUT: writes LIST2.txt, the characters that have a stroke-animation page, as one
// quoted item on one line, in GBK. For now every character of the stroke-code table has a page:
// the row characters of its five segments, in table order.

#include "segments.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringEncoder>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: makelist2 OUTPUT\n");
        return 2;
    }

    QString characters;
    for (tables::Segment segment : {tables::Segment::Text1bh1w, tables::Segment::Text1bh2w,
                                    tables::Segment::Text1bh3w, tables::Segment::Text1bh4w,
                                    tables::Segment::Text1bh5w}) {
        // rows: the character, five digits, CR LF
        for (const QString &row : tables::segmentText(segment).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts))
            characters += row.left(row.size() - 5);
    }
    if (characters.isEmpty()) {
        std::fprintf(stderr, "makelist2: the stroke-code table is empty\n");
        return 1;
    }

    QStringEncoder encoder("GBK");
    const QByteArray bytes = encoder(QLatin1Char('"') + characters + QStringLiteral("\"\r\n"));
    if (encoder.hasError()) {
        std::fprintf(stderr, "makelist2: a character has no GBK code\n");
        return 1;
    }
    QFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()
        || !file.flush()) {
        std::fprintf(stderr, "makelist2: cannot write %s\n", qPrintable(args.at(1)));
        return 1;
    }
    return 0;
}
