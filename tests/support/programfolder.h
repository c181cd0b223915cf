// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "card.h"
#include "photoschema.h"
#include "urlopener.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class Form1;

// A stroke-order picture for a fixture: 385 x 255, white, with a black square whose place depends
// on seed, so that two fixture pictures differ.
QImage fixturePicture(int seed);
QByteArray pngBytes(const QImage &image);

// A few cards for the suites, made to be told apart: 峰 (one reading, every field), 中 (two
// readings, radical and Kangxi radical alike), 行 (two readings, each with its words; a Kangxi
// radical of its own), 呢 (ne first, then ní), 和 (five readings), 发 (two traditional forms, no
// rule for the radical, not in the list of levels).
const QList<card::Card> &fixtureCards();

// The radical table of the fixture cards' radicals (口 丨 山 彳 with 亻 beside 人, 又).
const QList<card::RadicalForm> &fixtureRadicals();

// A program directory in a temporary folder, holding what the program reads beside itself.
class ProgramFolder {
public:
    ProgramFolder();

    QString path() const { return m_dir.path(); }

    // Photo.mdb with the program's tables, chunks holding the records in this order and outlines
    // the outline JSON of some characters. Returns an error text, or an empty one.
    QString writeDatabase(
        const QList<CharacterRecord> &records, const QHash<QString, QByteArray> &outlines = {});
    // LIST2.txt as given (GBK bytes), or one quoted item made of the characters.
    void writeList2Bytes(const QByteArray &bytes);
    void writeList2(const QString &characters);
    // card.db holding these cards and that radical table, written by the card file's own writer.
    // Returns an error text, or an empty one.
    QString writeCards(const QList<card::Card> &cards = fixtureCards(),
        const QList<card::RadicalForm> &radicalTable = fixtureRadicals());

private:
    QTemporaryDir m_dir;
};

// The URL opener of the tests: keeps every address it is given.
class RecordingOpener : public UrlOpener {
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
};

// Form1 over a program folder, started up as the program does: created, shown, and the first
// tick of Timer2 handled.
std::unique_ptr<Form1> startedWindow(const ProgramFolder &folder, UrlOpener &opener);
