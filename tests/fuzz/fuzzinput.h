// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <cstddef>
#include <cstdint>

// Splits a fuzzer's bytes into texts: the parts between 0xFF bytes, each read as UTF-16 (any
// code units, lone surrogates included).
inline QList<QString> fuzzTexts(const uint8_t *data, size_t size, int count)
{
    QList<QString> out;
    size_t start = 0;
    for (size_t i = 0; i <= size && out.size() < count; ++i) {
        if (i == size || data[i] == 0xFF) {
            QString text;
            for (size_t j = start; j + 1 < i; j += 2)
                text.append(QChar(char16_t(data[j] | (data[j + 1] << 8))));
            out.append(text);
            start = i + 1;
        }
    }
    while (out.size() < count)
        out.append(QString());
    return out;
}
