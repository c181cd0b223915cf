// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

class QString;
class QUrl;

// Scheme and host of the online dictionary, without a trailing slash; every path is appended as is.
inline constexpr QLatin1String dictionaryBaseAddress("https://hanyu.baidu.com");

// The stroke-order base address, without a trailing slash, in encoded form: the one the build
// was configured with (ZIBRIN_STROKE_ORDER_BASE), or else the file:// address of the folder
// strokeorder beside the program, so that the pages work offline from the build folder and
// from an installed program alike.
QString strokeOrderBaseAddress(const QString &programDirectory);

// The addresses of the three link labels for the current character. The character reaches the
// browser as UTF-8: QUrl::toEncoded() percent-encodes it, toString() shows it as is. In the
// stroke-order paths the character is one path segment, so "/", "?", "#", "%" and spaces in it are
// percent-encoded instead of splitting the address. An empty character leaves an empty segment.

// base + "/bsdh/post/" + character + ".html"
QUrl strokeAnimationAddress(const QString &base, const QString &character);

// base + "/bscx/post/" + character + ".html" while the picture is shown, otherwise base + "/bscx"
QUrl strokeQueryAddress(const QString &base, const QString &character, bool pictureVisible);

// dictionary base + "/s?wd=" + UrlEncodeUtf8(character)
QUrl dictionaryAddress(const QString &character);
