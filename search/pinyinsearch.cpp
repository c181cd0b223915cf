#include "pinyinsearch.h"

PinyinSearch::PinyinSearch(const Controls &controls)
    : c(controls)
{
}

void PinyinSearch::Combo6_Change()
{
}

void PinyinSearch::Combo6_Click()
{
}

void PinyinSearch::Text2bh_Change()
{
}

void PinyinSearch::Command88bh1_Click()
{
}

void PinyinSearch::Command88bh2_Click()
{
}

void PinyinSearch::Command88bh3_Click()
{
}

void PinyinSearch::Command88bh4_Click()
{
}

void PinyinSearch::Command88bh5_Click()
{
}
