#pragma once

class QUrl;

// Opens an address with the desktop's handler for it (browser, mail program). Opening never
// blocks and reports nothing; whether it worked is not examined.
class UrlOpener
{
public:
    virtual ~UrlOpener() = default;
    virtual void open(const QUrl &url) = 0;
};

// The opener of the running program: the desktop's "open" action.
class DesktopUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &url) override;
};
