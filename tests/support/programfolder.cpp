// SPDX-License-Identifier: GPL-3.0-or-later
#include "programfolder.h"

#include "form1.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringEncoder>
#include <QTest>

QImage fixturePicture(int seed)
{
    QImage image(385, 255, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(QRect(10 + (seed * 37) % 300, 10 + (seed * 53) % 180, 40, 40), Qt::black);
    painter.fillRect(QRect(200, 100, 30, 20), QColor(255, 0, 0));
    return image;
}

QByteArray pngBytes(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

ProgramFolder::ProgramFolder() = default;

QString ProgramFolder::writeDatabase(
    const QList<CharacterRecord> &records, const QHash<QString, QByteArray> &outlines)
{
    const QString connection = QStringLiteral("programfolder-fixture");
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path() + QStringLiteral("/Photo.mdb"));
        if (!db.open())
            return db.lastError().text();
        QSqlQuery query(db);
        for (const QString &statement : photoschema::createTables()) {
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
        if (error.isEmpty() && !photoschema::prepareRecordInsert(query))
            error = query.lastError().text();
        for (const CharacterRecord &r : records) {
            if (!error.isEmpty())
                break;
            photoschema::bindRecord(query, r);
            if (!query.exec())
                error = query.lastError().text();
        }
        if (error.isEmpty() && !outlines.isEmpty() && !photoschema::prepareOutlineInsert(query))
            error = query.lastError().text();
        for (auto it = outlines.cbegin(); it != outlines.cend() && error.isEmpty(); ++it) {
            photoschema::bindOutline(query, it.key(), it.value());
            if (!query.exec())
                error = query.lastError().text();
        }
        for (const QString &statement : photoschema::createIndexes()) {
            if (error.isEmpty() && !query.exec(statement))
                error = query.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return error;
}

void ProgramFolder::writeList2Bytes(const QByteArray &bytes)
{
    QFile file(path() + QStringLiteral("/LIST2.txt"));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

void ProgramFolder::writeList2(const QString &characters)
{
    QStringEncoder gbk("GBK");
    writeList2Bytes(gbk(QLatin1Char('"') + characters + QStringLiteral("\"\r\n")));
}

std::unique_ptr<Form1> startedWindow(const ProgramFolder &folder, UrlOpener &opener)
{
    auto window = std::make_unique<Form1>(folder.path(), opener);
    window->show();
    if (QTest::qWaitForWindowExposed(window.get()))
        (void)QTest::qWaitFor([&] { return !window->Timer2.isActive(); }, 5000);
    return window;
}
