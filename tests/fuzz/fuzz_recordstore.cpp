// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as Photo.mdb: the store opens it or fails silently, every lookup answers with a record
// or no match, its stroke classes are digits or nothing, and the picture box takes whatever photo
// and strokes come back.
#include "picturebox.h"
#include "recordstore.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_recordstore";
    static char *argv[] = { name, nullptr };
    // Kept to the end of the process: Qt's own clean-up at exit must find the application alive.
    static auto *app = new QApplication(argc, argv);
    static auto *picture = new PictureBox;
    static QTemporaryDir dir;
    Q_UNUSED(app);

    const QString path = dir.path() + QStringLiteral("/Photo.mdb");
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
            || file.write(bytes) != bytes.size())
            std::abort();
    }
    {
        RecordStore store;
        QObject::connect(&store, &RecordStore::currentChanged, picture, [&] {
            picture->setPhoto(store.current().photo,
                [outline = store.outline(store.current().hz)] { return outline; });
            picture->sharpImage(2); // the strokes drawn from whatever the outline holds
        });
        const bool opened = store.open(path);
        for (const QString &c :
            { QStringLiteral("峰"), QStringLiteral("'"), QStringLiteral("😀"), QString() }) {
            store.FindFirst(c);
            if (!opened && !store.NoMatch())
                std::abort();
            if (!store.NoMatch() && store.current().hz != c)
                std::abort();
            // stroke classes are digits 1-5 or nothing, read or not, and the same both ways
            const QString classes = store.strokeClasses(c);
            if (classes.size() > RecordStore::maximumStrokeClassesLength
                || std::any_of(
                    classes.cbegin(), classes.cend(), [](QChar d) { return d < u'1' || d > u'5'; })
                || (!store.NoMatch() && classes != store.current().strokeClasses))
                std::abort();
        }
    }
    // nothing is ever written to the file
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.readAll() != bytes)
        std::abort();
    return 0;
}
