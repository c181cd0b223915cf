// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Percent-encodes text for the dictionary query, one UTF-16 code unit at a time, after trimming
// leading and trailing U+0020 (only that; tabs and other white space are encoded):
// - ASCII letters and digits stay as they are;
// - every other code unit up to 255 becomes one byte, %XX (so é is %E9, not its UTF-8 pair);
// - every code unit above 255, surrogates included, becomes the three-byte form
//   1110wwww 10xxxxxx 10yyyyyy built from its 16 bits (U+0100 is %E0%84%80), so a character
//   above U+FFFF gives two such groups, one per surrogate.
// Hex digits are upper case. The text may be of any length; all of it is encoded.
QString UrlEncodeUtf8(const QString &text);
