// SPDX-License-Identifier: GPL-3.0-or-later
// Any UTF-16 input: UrlEncodeUtf8 agrees with a reference written from the byte rules.
#include "fuzzinput.h"
#include "urlencode.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string reference(const QString &input)
{
    qsizetype begin = 0;
    qsizetype end = input.size();
    while (begin < end && input[begin].unicode() == 0x20)
        ++begin;
    while (end > begin && input[end - 1].unicode() == 0x20)
        --end;
    std::string out;
    char byte[4];
    for (qsizetype i = begin; i < end; ++i) {
        const unsigned v = input[i].unicode();
        const bool alnum
            = (v >= '0' && v <= '9') || (v >= 'A' && v <= 'Z') || (v >= 'a' && v <= 'z');
        if (alnum) {
            out += char(v);
        } else if (v <= 0xFF) {
            std::snprintf(byte, sizeof byte, "%%%02X", v);
            out += byte;
        } else {
            for (unsigned b : { 0xE0 | (v >> 12), 0x80 | ((v >> 6) & 0x3F), 0x80 | (v & 0x3F) }) {
                std::snprintf(byte, sizeof byte, "%%%02X", b);
                out += byte;
            }
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = fuzzTexts(data, size, 1).first();
    if (UrlEncodeUtf8(input).toStdString() != reference(input))
        std::abort();
    return 0;
}
