#include "onlinelookups.h"

#include "addresses.h"
#include "picturebox.h"
#include "urlopener.h"

#include <QUrl>

OnlineLookups::OnlineLookups(const Controls &controls)
    : c(controls)
{
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
