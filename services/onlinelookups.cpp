#include "onlinelookups.h"

OnlineLookups::OnlineLookups(const Controls &controls)
    : c(controls)
{
}

void OnlineLookups::Label13_Click()
{
}

void OnlineLookups::Label5_Click()
{
}

void OnlineLookups::Label6_Click()
{
}
