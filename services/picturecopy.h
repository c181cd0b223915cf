#pragma once

#include <Qt>

class PictureBox;
class QClipboard;
class QLabel;
class QTimer;

// Stroke-picture copy: the copy link's mouse press and the end of the clipboard notice.
class PictureCopy
{
public:
    struct Controls
    {
        PictureBox *Picture1 = nullptr;
        QLabel *Label8 = nullptr; // the notice, inside Picture1
        QTimer *Timer3 = nullptr;
        QClipboard *clipboard = nullptr;
    };

    explicit PictureCopy(const Controls &controls);

    void Label1_MouseDown(Qt::MouseButton button);
    void Timer3_Timer();

private:
    Controls c;
};
