#pragma once

#include <QString>

class PictureBox;
class UrlOpener;

// Online lookups: the three link labels that open web pages about the current character.
class OnlineLookups
{
public:
    struct Controls
    {
        const QString *Label10 = nullptr;  // current character, bound to hz
        const QString *Label2kk = nullptr; // current character, bound to hz
        const PictureBox *Picture1 = nullptr; // its visibility: is a record shown
        UrlOpener *opener = nullptr;          // opens the pages
        QString strokeOrderBase;              // see strokeOrderBaseAddress
    };

    explicit OnlineLookups(const Controls &controls);

    void Label13_Click();
    void Label5_Click();
    void Label6_Click();

private:
    Controls c;
};
