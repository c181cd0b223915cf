// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// LIST2.txt, the list of characters that have a stroke-animation page: the program reads its
// first data item. The file is text in GBK (code page 936).
namespace list2 {

// The first data item of the bytes, read as one sequential text item: leading spaces and tabs
// are skipped; an item that begins with a double quote runs to the next double quote (or the
// end) and is taken without the quotes; any other item runs up to, not including, the first comma,
// CR or LF. Nothing to read (no bytes, or only spaces and tabs) reads past the end: nullopt.
std::optional<QString> firstItem(const QByteArray &gbkBytes);

struct Result {
    QString item;
    QString error; // empty when the item was read; otherwise names the file and the failure
};

// The most bytes read from the file: the first line, or this much of it.
constexpr qint64 maximumReadBytes = 1024 * 1024;

// Reads the first item of the file's first line; a missing, unreadable or empty file gives an
// error, and so does anything but a regular file (a pipe, a device).
Result readFile(const QString &path);

} // namespace list2
