#include "strokesearch.h"

StrokeSearch::StrokeSearch(const Controls &controls)
    : c(controls)
{
}

void StrokeSearch::bian()
{
}

void StrokeSearch::Combo1_Change()
{
}

void StrokeSearch::Combo2_Change()
{
}

void StrokeSearch::Combo3_Change()
{
}

void StrokeSearch::Combo4_Change()
{
}

void StrokeSearch::Combo5_Change()
{
}

void StrokeSearch::Combo1_Click()
{
}

void StrokeSearch::Combo2_Click()
{
}

void StrokeSearch::Combo3_Click()
{
}

void StrokeSearch::Combo4_Click()
{
}

void StrokeSearch::Combo5_Click()
{
}

void StrokeSearch::Text2bhw_Change()
{
}

void StrokeSearch::Command41_Click()
{
}

void StrokeSearch::Command42_Click()
{
}

void StrokeSearch::Command43_Click()
{
}

void StrokeSearch::Command44_Click()
{
}

void StrokeSearch::Command45_Click()
{
}

void StrokeSearch::Command8_Click()
{
}
