// SPDX-License-Identifier: GPL-3.0-or-later
// makelist2 PAGES OUTPUT: writes LIST2.txt, the characters that have a stroke-animation page, as
// one quoted item on one line, in GBK. The characters are those of the pages
// PAGES/bsdh/post/<c>.html, in code point order; a character that GBK cannot encode is left out,
// since the program reads the file as GBK.

#include "toolsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringEncoder>

#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    toolsupport::setToolName("makelist2");
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: makelist2 PAGES OUTPUT\n");
        return 2;
    }

    QList<uint> pages;
    const QDir animations(args.at(1) + QStringLiteral("/bsdh/post"));
    for (const QString &name : animations.entryList({ QStringLiteral("*.html") }, QDir::Files)) {
        const QList<uint> character = name.chopped(5).toUcs4();
        if (character.size() == 1)
            pages.append(character.first());
    }
    std::sort(pages.begin(), pages.end());

    QByteArray characters;
    qsizetype listed = 0;
    for (uint codePoint : pages) {
        // an encoder per character: resetState() does not clear the error flag
        QStringEncoder encoder("GBK");
        const QByteArray bytes
            = encoder(QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1));
        if (encoder.hasError())
            continue;
        characters += bytes;
        ++listed;
    }
    if (listed == 0) {
        toolsupport::report(QStringLiteral("no animation page in %1").arg(animations.path()));
        return 1;
    }

    const QByteArray bytes = '"' + characters + "\"\r\n";
    if (!toolsupport::replaceFile(args.at(2), bytes))
        return 1;
    std::printf("makelist2: %lld of %lld characters with an animation page\n",
        static_cast<long long>(listed), static_cast<long long>(pages.size()));
    return 0;
}
