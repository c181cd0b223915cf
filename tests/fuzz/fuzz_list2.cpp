// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as LIST2.txt, invalid GBK included: the first item is read without a crash, and it
// keeps to the item rules (a quoted item has no quote; another stops before a comma or line end).
#include "list2.h"

#include <QByteArray>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<QString> item = list2::firstItem(bytes);
    if (!item)
        return 0;
    qsizetype lead = 0;
    while (lead < bytes.size() && (bytes[lead] == ' ' || bytes[lead] == '\t'))
        ++lead;
    const bool quoted = lead < bytes.size() && bytes[lead] == '"';
    if (quoted && item->contains(u'"'))
        std::abort();
    if (!quoted && (item->contains(u',') || item->contains(u'\r') || item->contains(u'\n')))
        std::abort();
    return 0;
}
