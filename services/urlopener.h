// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QUrl;

// Opens an address with the desktop's handler for it (browser, mail program). Opening never
// blocks and reports nothing; whether it worked is not examined.
class UrlOpener {
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &url) = 0;
};

// The opener of the running program: the desktop's "open" action, after pageAddress.
class DesktopUrlOpener : public UrlOpener {
public:
    void open(const QUrl &url) override;
};

// A file:// address of a folder that holds an index.html gives the address of that index.html,
// as a browser shows a bare listing for a folder; any other address is returned as it is.
QUrl pageAddress(const QUrl &url);
