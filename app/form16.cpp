// SPDX-License-Identifier: GPL-3.0-or-later
#include "form16.h"

#include "aboutinfo.h"
#include "fonts.h"
#include "layout.h"
#include "pictures.h"

#include <QPixmap>

namespace {

void placeLine(QWidget &line, const QString &name, const QColor &colour, const QRect &geometry)
{
    line.setObjectName(name);
    line.setAutoFillBackground(true);
    QPalette palette = line.palette();
    palette.setColor(QPalette::Window, colour);
    line.setPalette(palette);
    line.setGeometry(geometry);
    line.setAccessibleName(QStringLiteral("分隔线"));
}

} // namespace

QString aboutinfo::version()
{
    return QStringLiteral(ZIBRIN_VERSION);
}

Form16::Form16(QWidget *parent)
    : QDialog(parent,
        Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
            | Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Form16"));
    setWindowTitle(QStringLiteral("关于"));
    setWindowIcon(QIcon(QPixmap::fromImage(pictures::windowIcon())));
    setFont(defaultFont());
    setModal(true);

    const layout::TwipsScale twips { qreal(logicalDpiX()), qreal(logicalDpiY()) };
    setFixedSize(twips.x(6225), twips.y(4530));

    Image1.setObjectName(QStringLiteral("Image1"));
    Image1.setPixmap(QPixmap::fromImage(pictures::aboutBanner()));
    Image1.setScaledContents(true);
    Image1.setGeometry(twips.rect(0, 0, 4848, 852));
    Image1.setAccessibleName(QStringLiteral("Zibrin"));

    struct Text {
        QLabel &label;
        const char *name;
        QString caption;
        QRect design;
    };
    const Text texts[] = {
        { Label1, "Label1", QStringLiteral("软件名称： Zibrin ") + aboutinfo::version(),
            { 1320, 1110, 3060, 180 } },
        { Label2, "Label2", QStringLiteral("软件许可： ") + aboutinfo::licence,
            { 1320, 1440, 3060, 180 } },
        { Label3, "Label3", QStringLiteral("数据来源："), { 1320, 1770, 996, 180 } },
        { Label4, "Label4", aboutinfo::dataSources().join(u'\n'), { 1320, 2070, 4500, 1200 } },
    };
    for (const Text &text : texts) {
        text.label.setObjectName(QLatin1String(text.name));
        text.label.setText(text.caption);
        text.label.setTextFormat(Qt::PlainText);
        text.label.setAccessibleName(text.caption.trimmed());
        QRect geometry = twips.rect(text.design);
        // a text longer than its design box is shown whole rather than cut off
        geometry.setWidth(qMax(geometry.width(), text.label.sizeHint().width()));
        geometry.setHeight(qMax(geometry.height(), text.label.sizeHint().height()));
        text.label.setGeometry(geometry);
    }
    placeLine(Line1_0, QStringLiteral("Line1_0"), QColor(128, 128, 128),
        QRect(twips.x(375), twips.y(3435), twips.x(5830 - 375), 1));
    placeLine(Line1_1, QStringLiteral("Line1_1"), Qt::white,
        QRect(twips.x(375), twips.y(3450), twips.x(5815 - 375), 1));
    if (Line1_1.y() == Line1_0.y())
        Line1_1.move(Line1_1.x(), Line1_0.y() + 1);

    Command1.setObjectName(QStringLiteral("Command1"));
    Command1.setText(QStringLiteral("确   定"));
    Command1.setAccessibleName(QStringLiteral("确定"));
    Command1.setGeometry(twips.rect(2325, 3675, 1770, 480));
    Command1.setDefault(true);

    connect(&Command1, &QPushButton::clicked, this, &Form16::Command1_Click);
}

void Form16::Command1_Click()
{
    accept();
}

void Form16::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    load();
}

// Every showing sizes the banner anew from the dialog's outer width, frame included, and puts the
// focus on the OK button, so Enter and Space close the dialog.
void Form16::load()
{
    const layout::TwipsScale twips { qreal(logicalDpiX()), qreal(logicalDpiY()) };
    const QSizeF banner = layout::bannerSize(twips.twipsX(frameGeometry().width()));
    Image1.setGeometry(QRect(QPoint(0, 0), twips.size(banner)));
    Command1.setFocus(Qt::OtherFocusReason);
}
