// SPDX-License-Identifier: GPL-3.0-or-later
// bench_cardstore CARD_DB: the time to open card.db with the first card, and to read one card
// (every reading with its words and meanings) for each character of GB2312, as markdown rows.
#include "cardstore.h"
#include "samples.h"
#include "tabledata.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: bench_cardstore CARD_DB\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const QList<QString> characters = tabledata::gb2312Characters();
    const card::CardStore store(path);
    QElapsedTimer timer;
    timer.start();
    const bool first = store.card(characters.first()).has_value();
    const qint64 opening = timer.nsecsElapsed();
    bench::Samples samples;
    int found = first ? 1 : 0;
    for (const QString &character : characters) {
        timer.start();
        found += store.card(character).has_value() ? 1 : 0;
        samples.push_back(timer.nsecsElapsed());
    }
    std::printf("| Card data: opening card.db with the first card | %s | |\n",
        qPrintable(bench::milliseconds(opening)));
    std::printf(
        "| Card data: one card read from card.db, %lld GB2312 characters (%d found) | p50 %s, "
        "p99 %s (max %s) | p99 < 5 ms with the window |\n",
        static_cast<long long>(characters.size()), found - (first ? 1 : 0),
        qPrintable(bench::milliseconds(bench::percentile(samples, 0.50))),
        qPrintable(bench::milliseconds(bench::percentile(samples, 0.99))),
        qPrintable(bench::milliseconds(bench::percentile(samples, 1.0))));
    std::printf("| Card data: size of card.db | %.2f MiB | < 3 MB added to the package |\n",
        double(QFileInfo(path).size()) / 1048576.0);
    return 0;
}
