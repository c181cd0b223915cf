// SPDX-License-Identifier: GPL-3.0-or-later
#include "onlinelookups.h"

#include "addresses.h"
#include "clicklabel.h"
#include "picturebox.h"
#include "urlopener.h"

#include <QUrl>

OnlineLookups::OnlineLookups(const Controls &controls, QObject *parent)
    : QObject(parent)
    , c(controls)
{
    connect(c.Label13, &ClickLabel::clicked, this, &OnlineLookups::Label13_Click);
    connect(c.Label5, &ClickLabel::clicked, this, &OnlineLookups::Label5_Click);
    connect(c.Label6, &ClickLabel::clicked, this, &OnlineLookups::Label6_Click);
}

void OnlineLookups::Label13_Click()
{
    c.opener->open(strokeAnimationAddress(c.strokeOrderBase, *c.Label10));
}

// The picture's own visible property decides, not whether the window is on screen.
void OnlineLookups::Label5_Click()
{
    c.opener->open(strokeQueryAddress(c.strokeOrderBase, *c.Label10, !c.Picture1->isHidden()));
}

void OnlineLookups::Label6_Click()
{
    c.opener->open(dictionaryAddress(*c.Label2kk));
}
