#include "picturecopy.h"

PictureCopy::PictureCopy(const Controls &controls)
    : c(controls)
{
}

void PictureCopy::Label1_MouseDown(Qt::MouseButton)
{
}

void PictureCopy::Timer3_Timer()
{
}
