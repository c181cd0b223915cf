// SPDX-License-Identifier: GPL-3.0-or-later
#include "form1.h"

#include "addresses.h"
#include "datalog.h"
#include "fonts.h"
#include "form16.h"
#include "list2.h"
#include "pictures.h"
#include "strokekinds.h"
#include "syllables.h"

#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>

namespace {

constexpr QColor windowBackground(233, 233, 233);
constexpr QColor linkBlue(0, 0, 255);
constexpr QColor buttonColour(255, 224, 192);
constexpr QRect label8Design(72, 2424, 4320, 540); // the clipboard notice, in Picture1

void setColour(QWidget &widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

// A label of the window: caption, font, text colour, and a white background of its own or none.
void setUpLabel(QLabel &label, const char *name, const QString &caption, const QFont &font,
    const QColor &text = Qt::black, bool whiteBackground = false)
{
    label.setObjectName(QLatin1String(name));
    label.setText(caption);
    label.setFont(font);
    label.setTextFormat(Qt::PlainText);
    setColour(label, QPalette::WindowText, text);
    if (whiteBackground) {
        label.setAutoFillBackground(true);
        setColour(label, QPalette::Window, Qt::white);
    }
}

// A line control: a one-pixel wide or high strip of its colour.
void setUpLine(QWidget &line, const char *name, const QColor &colour, const QString &accessibleName)
{
    line.setObjectName(QLatin1String(name));
    line.setAutoFillBackground(true);
    setColour(line, QPalette::Window, colour);
    line.setAccessibleName(accessibleName);
}

} // namespace

Form1::Form1(const QString &programDirectory, UrlOpener &urlOpener, QWidget *parent)
    : QWidget(parent)
    , Image2(pictures::framePicture(framegeometry::Frame::Cells24))
    , Image25(pictures::framePicture(framegeometry::Frame::Cells25))
    , Image26(pictures::framePicture(framegeometry::Frame::Cells26))
    , Image30(pictures::framePicture(framegeometry::Frame::Cells30))
    , lookup({ .Text5 = &Text5,
                 .Text6 = &Text6,
                 .record = { &Picture1, &Label23, &Label2, &Label9, &Label3, &Label6, &Label1,
                     &Label13, &Label7, &Label24 },
                 .Label4 = &Label4,
                 .Label10 = &Label10,
                 .Text1 = &Text1,
                 .Image5 = &Image5,
                 .Image2 = &Image2,
                 .Image25 = &Image25,
                 .Image26 = &Image26,
                 .Image30 = &Image30,
                 .Timer1 = &Timer1,
                 .Data1 = &Data1 },
          this)
    , strokeSearch({ .Combo1 = &Combo1,
                       .Combo2 = &Combo2,
                       .Combo3 = &Combo3,
                       .Combo4 = &Combo4,
                       .Combo5 = &Combo5,
                       .Text4 = &Text4,
                       .Text2bhw = &Text2bhw,
                       .Text6 = &Text6,
                       .Text5 = &Text5,
                       .search = &tableSearch,
                       .window = this,
                       .Command8 = &Command8 },
          this)
    , pinyinSearch({ .Combo6 = &Combo6,
                       .Text2bh = &Text2bh,
                       .Label20 = &Label20,
                       .Text6 = &Text6,
                       .search = &tableSearch },
          this)
    , pictureCopy(
          { .Label1 = &Label1,
              .Picture1 = &Picture1,
              .Label8 = &Label8,
              .Timer3 = &Timer3,
              .clipboard = QGuiApplication::clipboard(),
              .picture1Twips = &windowLayout.picture1,
              .label8Twips = label8Design.size(),
              .twipsToPixels
              = [this](const QPointF &t) { return QPoint(twips.x(t.x()), twips.y(t.y())); } },
          this)
    , onlineLookups({ .Label13 = &Label13,
                        .Label5 = &Label5,
                        .Label6 = &Label6,
                        .Label10 = &Label10,
                        .Label2kk = &Label2kk,
                        .Picture1 = &Picture1,
                        .opener = &urlOpener,
                        .strokeOrderBase = strokeOrderBaseAddress(programDirectory) },
          this)
    , handwriting({ .Command9 = &Command9,
                      .Text6 = &Text6,
                      .lookup = &lookup,
                      .Data1 = &Data1,
                      .window = this,
                      .scaled = [this](int pixels) { return twips.x(pixels * 15); } },
          this)
    , sheet({ .Command10 = &Command10,
                .window = this,
                .databaseFile = programDirectory + QStringLiteral("/Photo.mdb"),
                .shownCharacter
                = [this] { return Picture1.isHidden() ? QString() : Data1.current().hz; } },
          this)
    , characterCard({ .Label24 = &Label24,
                        .window = this,
                        .Data1 = &Data1,
                        .lookup = &lookup,
                        .Label20 = &Label20,
                        .Combo6 = &Combo6,
                        .shownCharacter
                        = [this] { return Picture1.isHidden() ? QString() : Data1.current().hz; },
                        .cardFile = programDirectory + QStringLiteral("/card.db"),
                        .font = songti(12) },
          this)
    , radicalIndex({ .Command11 = &Command11,
                       .window = this,
                       .showTyped = [this](const QString &text) { showTyped(text); },
                       .cardFile = programDirectory + QStringLiteral("/card.db"),
                       .font = songti(18) },
          this)
    , m_programDirectory(programDirectory)
{
    connect(&Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(&Timer2, &QTimer::timeout, this, &Form1::Timer2_Timer);
    // Every road's candidates are shown by the lookup. A stroke search's first candidate also
    // goes into the pinyin key box, before its record is looked up.
    connect(&strokeSearch, &StrokeSearch::firstCandidate, &pinyinSearch,
        &PinyinSearch::takeStrokeCandidate);
    connect(&strokeSearch, &StrokeSearch::firstCandidate, &lookup,
        &LookupController::firstCandidateLookup);
    connect(&pinyinSearch, &PinyinSearch::firstCandidate, &lookup,
        &LookupController::firstCandidateFind);
    connect(&handwriting, &handwriting::HandwritingController::candidatesRecognized, &lookup,
        &LookupController::showCandidates);

    // Window creation; each step that fails is skipped without a word.
    layOut();
    Data1.open(m_programDirectory + QStringLiteral("/Photo.mdb"));
    // The record open() made current, hidden, is bound with its stored reading: card.db is read
    // at the first lookup, not at start-up.
    lookup.setPinyinShown(
        [this](const CharacterRecord &record) { return characterCard.panelPinyin(record); });
    Combo6.addItems(syllables::all().mid(0, syllables::firstBatch));
    for (ClickLabel *link : { &Label6, &Label1, &Label5, &Label13, &Label24 })
        link->setCursor(Text6.viewport()->cursor());
    Text5.setFocus(Qt::OtherFocusReason);
    Timer2.start();
}

Form1::~Form1() = default;

void Form1::setUpWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Zibrin"));
    setWindowIcon(QIcon(QPixmap::fromImage(pictures::windowIcon())));
    // fixed single border: a minimise button, no maximise button, no resizing (fixed size)
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
        | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFont(defaultFont());
    setAutoFillBackground(true);
    setColour(*this, QPalette::Window, windowBackground);
    twips = layout::TwipsScale { qreal(logicalDpiX()), qreal(logicalDpiY()) };
}

void Form1::setUpControls()
{
    const QFont song9 = songti(9);
    const QFont song9Link = songti(9, false, true);
    const QFont song105 = songti(10.5);
    const QFont song105Bold = songti(10.5, true);

    // the top row
    Command2.setObjectName(QStringLiteral("Command2"));
    Command2.setText(QStringLiteral("关于"));
    Command2.setFont(song105);
    setColour(Command2, QPalette::Button, buttonColour);
    Command2.setGeometry(twips.rect(180, 60, 765, 375));

    setUpLabel(Label15, "Label15", QStringLiteral("输入查询汉字:"), song105);
    Label15.move(twips.x(1116), twips.y(144));
    Label15.adjustSize();

    Text5.setObjectName(QStringLiteral("Text5"));
    Text5.setFont(songti(12));
    Text5.setGeometry(twips.rect(2580, 109, 4050, 315));
    Text5.setAccessibleName(QStringLiteral("输入查询汉字"));

    setUpLabel(Label5, "Label5", QStringLiteral("在线查询笔顺（可手写输入)"), font(), linkBlue);
    Label5.move(twips.x(7155), twips.y(165));
    Label5.adjustSize();

    setUpLine(Line2, "Line2", linkBlue, QStringLiteral("下划线"));
    Line2.setGeometry(twips.x(7155), twips.y(405), twips.x(9330 - 7155), 1);

    // the pinyin column and the stroke row
    Image1.setObjectName(QStringLiteral("Image1"));
    Image1.setPixmap(QPixmap::fromImage(pictures::backdropPanel(pictures::pinyinBackdropSize)));
    Image1.setScaledContents(true);
    Image1.setAccessibleName(QStringLiteral("拼音输入背景"));
    Image6.setObjectName(QStringLiteral("Image6"));
    Image6.setPixmap(QPixmap::fromImage(pictures::backdropPanel(pictures::strokeBackdropSize)));
    Image6.setScaledContents(true);
    Image6.setAccessibleName(QStringLiteral("笔画输入背景"));

    Combo6.setObjectName(QStringLiteral("Combo6"));
    Combo6.setEditText(QStringLiteral("输入拼音"));
    Combo6.setAccessibleName(QStringLiteral("输入拼音"));
    Combo6.lineEdit()->setAccessibleName(QStringLiteral("输入拼音"));
    Combo6.listWidget()->setAccessibleName(QStringLiteral("拼音列表"));
    Combo6.setGeometry(twips.rect(layout::combo6Design));

    setUpLabel(Label22, "Label22", QStringLiteral("笔画输入："), font());
    Label22.move(twips.x(layout::label22Left), twips.y(744));
    Label22.adjustSize();

    struct StrokeBox {
        QComboBox &box;
        const char *name;
        const char *tooltip;
        int left;
        int top;
    };
    const StrokeBox strokeBoxes[] = {
        { Combo1, "Combo1", "第一笔画", 3072, 672 },
        { Combo2, "Combo2", "第二笔画", 3991, 684 },
        { Combo3, "Combo3", "第三笔画", 4910, 684 },
        { Combo4, "Combo4", "第四笔画", 5829, 684 },
        { Combo5, "Combo5", "最后一笔画", 6750, 684 },
    };
    for (const StrokeBox &stroke : strokeBoxes) {
        stroke.box.setObjectName(QLatin1String(stroke.name));
        stroke.box.setEditable(true);
        // a drop-down with an edit field: no completion, and Enter adds nothing to the list
        stroke.box.setInsertPolicy(QComboBox::NoInsert);
        stroke.box.setCompleter(nullptr);
        stroke.box.setEditText(QStringLiteral(" "));
        stroke.box.setToolTip(QString::fromUtf8(stroke.tooltip));
        stroke.box.setAccessibleName(QString::fromUtf8(stroke.tooltip));
        stroke.box.setGeometry(twips.rect(stroke.left, stroke.top, 855, 300));
    }

    Command8.setObjectName(QStringLiteral("Command8"));
    Command8.setText(QStringLiteral("?"));
    Command8.setToolTip(QStringLiteral("帮助"));
    Command8.setAccessibleName(QStringLiteral("帮助"));
    Command8.setGeometry(twips.rect(7776, 672, 435, 300));

    Command9.setObjectName(QStringLiteral("Command9"));
    Command9.setText(QStringLiteral("手写"));
    Command9.setToolTip(QStringLiteral("手写输入"));
    Command9.setAccessibleName(QStringLiteral("手写输入"));
    Command9.setGeometry(twips.rect(8310, 672, 615, 300));

    // beside Command9, as far from it as it is from Command8
    Command10.setObjectName(QStringLiteral("Command10"));
    Command10.setText(QStringLiteral("字帖"));
    Command10.setToolTip(QStringLiteral("打印或保存练字帖"));
    Command10.setAccessibleName(QStringLiteral("打印或保存练字帖"));
    Command10.setGeometry(twips.rect(9024, 672, 615, 300));

    // Command10's size and style, at the end of the top row where the button row has no room
    // left: after the link Label5 and its underline, as far from them as Command10 is from
    // Command9, level with the input box
    Command11.setObjectName(QStringLiteral("Command11"));
    Command11.setText(QStringLiteral("部首"));
    Command11.setToolTip(QStringLiteral("部首检字：按部首或部件查字（Ctrl+R）"));
    Command11.setAccessibleName(QStringLiteral("部首检字"));
    Command11.setGeometry(QRect(QPoint(std::max(Label5.geometry().right(), Line2.geometry().right())
                                        + Command10.x() - Command9.geometry().right(),
                                    Text5.geometry().center().y() - Command10.height() / 2),
        Command10.size()));

    Text6.setObjectName(QStringLiteral("Text6"));
    // A search lists up to a few hundred characters, most of them new to the font engine, and
    // hinting each one for its advance costs about 35 us: the list is laid out unhinted, from
    // the design metrics, as on a high-density screen.
    QFont resultFont = songti(13.5);
    resultFont.setHintingPreference(QFont::PreferNoHinting);
    Text6.setFont(resultFont);
    setColour(Text6, QPalette::Base, Qt::white);
    Text6.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text6.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Text6.setTabChangesFocus(true);
    Text6.viewport()->setCursor(Qt::PointingHandCursor);
    Text6.setAccessibleName(QStringLiteral("查询结果"));

    // the panel: the desktop's window colours
    Frame1.setObjectName(QStringLiteral("Frame1"));
    Frame1.setFrameStyle(QFrame::Box | QFrame::Sunken);
    Frame1.setAutoFillBackground(true);
    setColour(Frame1, QPalette::Window, QApplication::palette().color(QPalette::Base));
    setColour(Frame1, QPalette::WindowText, QApplication::palette().color(QPalette::Text));
    Frame1.setFont(songti(5.25));
    Frame1.setAccessibleName(QStringLiteral("汉字信息"));

    setUpLine(Line1, "Line1", QColor(192, 192, 192), QStringLiteral("分隔线"));

    setUpLabel(Label9, "Label9", QStringLiteral("〖笔画〗"), song105Bold, Qt::black, true);
    setUpLabel(Label7, "Label7", QStringLiteral("Label7"), songti(13.5, true), linkBlue, true);
    setUpLabel(Label23, "Label23", QStringLiteral("〖拼音〗"), song105Bold, Qt::black, true);
    setUpLabel(Label3, "Label3", QStringLiteral("Label3"), songti(18), linkBlue, true);
    setUpLabel(Label2, "Label2", QStringLiteral("〖百度查询〗"), song105Bold, Qt::black, true);
    setUpLabel(Label6, "Label6", QStringLiteral("读音、释义等"), song9Link, linkBlue, true);
    setUpLabel(Label1, "Label1", QStringLiteral("< 复制笔画图"), song9Link, linkBlue);
    Label1.setToolTip(QStringLiteral("鼠标左键点击带框复制，右键点击不带框复制。"));
    setUpLabel(Label13, "Label13", QStringLiteral("笔顺动画、读音"), song9Link, linkBlue, true);
    setUpLabel(Label24, "Label24", QStringLiteral("字卡"), song9Link, linkBlue, true);
    Label24.setToolTip(QStringLiteral("读音、部首、结构、组词、释义（Ctrl+I）"));
    Label24.setAccessibleName(QStringLiteral("字卡"));
    setUpLabel(Label4, "Label4", QStringLiteral("数据库里没有此字符的笔划图"), songti(15),
        Qt::black, true);
    const std::pair<QLabel *, int> columnTops[] = {
        { &Label9, 168 }, { &Label7, 456 }, { &Label23, 936 }, { &Label3, 1224 }, { &Label2, 1845 },
        { &Label6, 2190 }, { &Label1, 2617 }, { &Label13, 3045 },
        { &Label24, 3473 }, // the step of the links above
    };
    for (const auto &[label, top] : columnTops) {
        label->adjustSize();
        label->move(label->x(), twips.y(top));
        label->hide();
    }
    Label4.adjustSize();
    Label4.move(twips.x(480), twips.y(1176));
    Label4.hide();

    Picture1.setObjectName(QStringLiteral("Picture1"));
    Picture1.setAccessibleName(QStringLiteral("笔画图"));
    Picture1.hide();

    Label8.setText(
        QStringLiteral("此汉字的笔画图已经加入剪贴板，您可以在图像编辑器、文字处理软件中粘贴。"));
    Label8.setTextFormat(Qt::PlainText);
    Label8.setFont(font());
    Label8.setWordWrap(true);
    Label8.setAutoFillBackground(true);
    setColour(Label8, QPalette::Window, buttonColour);
    setColour(Label8, QPalette::WindowText, QColor(64, 0, 0));
    Label8.setGeometry(twips.rect(label8Design));
    Label8.hide();

    // hidden working controls
    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setInterval(11);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer2.setInterval(11);
    Timer3.setObjectName(QStringLiteral("Timer3"));
    Timer3.setInterval(2555);
    Data1.setObjectName(QStringLiteral("Data1"));

    // the backdrops lie behind everything else
    Image6.lower();
    Image1.lower();
}

// The layout arithmetic, fed with Label9's width as measured in its font, then placed in pixels.
// The widest heading and link labels as measured keep the panel wide enough for them where the
// installed fonts set them wider, relative to Label9, than the design fonts do.
void Form1::layOut()
{
    const auto widest = [this](std::initializer_list<const QLabel *> labels) {
        int width = 0;
        for (const QLabel *label : labels)
            width = std::max(width, label->width());
        return twips.twipsX(width);
    };
    windowLayout = layout::compute(twips.twipsX(Label9.width()),
        widest({ &Label9, &Label23, &Label2 }), widest({ &Label6, &Label1, &Label13, &Label24 }));
    const layout::Layout &l = windowLayout;

    Picture1.setGeometry(twips.rect(l.picture1));
    Line1.setGeometry(twips.x(l.line1X), twips.y(120), 1, twips.y(3280 - 120));
    for (QLabel *heading : { &Label9, &Label23, &Label2 })
        heading->move(twips.x(l.headingLeft), heading->y());
    for (QLabel *value :
        std::initializer_list<QLabel *> { &Label7, &Label3, &Label6, &Label1, &Label13, &Label24 })
        value->move(twips.x(l.valueLeft), value->y());
    Frame1.setGeometry(twips.rect(l.frame1));
    Text6.setGeometry(
        twips.rect(layout::frame1Position.x(), 990, l.text6Width, layout::text6Height));
    Combo6.resize(Combo6.width(), twips.y(l.combo6Height));
    Image1.setGeometry(twips.rect(l.image1));
    Image6.setGeometry(twips.rect(l.image6));

    fitOuterSize();
    if (const QScreen *screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        const QSize outer = twips.size(QSizeF(l.window));
        move(available.center() - QPoint(outer.width() / 2, outer.height() / 2));
    }
}

// The layout gives the outer size, border and title bar included. The client size is that less
// the frame as far as the platform reports it; before the first showing it may report none.
void Form1::fitOuterSize()
{
    const QSize outer = twips.size(QSizeF(windowLayout.window));
    const QSize frame = frameGeometry().size() - geometry().size();
    setFixedSize((outer - frame).expandedTo(QSize(1, 1)));
}

void Form1::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_shownOnce)
        return;
    m_shownOnce = true;
    const QSize before = size();
    fitOuterSize();
    if (size() != before && screen()) {
        const QRect available = screen()->availableGeometry();
        move(
            available.center() - QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

// Start-up completion, once: the stroke lists, the rest of the syllables, then LIST2.txt.
void Form1::Timer2_Timer()
{
    // off first: the error box below runs its own event loop, in which the timer must not tick
    Timer2.stop();
    fillStrokeLists();
    Combo6.addItems(syllables::all().mid(syllables::firstBatch));

    const list2::Result list = list2::readFile(m_programDirectory + QStringLiteral("/LIST2.txt"));
    if (!list.error.isEmpty()) {
        qCWarning(dataLog) << "LIST2.txt:" << list.error;
        emit list2Failed(list.error);
        return;
    }
    Text1 = list.item;
    emit startupCompleted();
}

// Adding items to an empty QComboBox would make the first one current and put it into the edit
// field. The drop-downs keep their text (" " or whatever the user typed) and raise no change.
void Form1::fillStrokeLists()
{
    QComboBox *const boxes[] = { &Combo1, &Combo2, &Combo3, &Combo4, &Combo5 };
    QString texts[5];
    for (int i = 0; i < 5; ++i)
        texts[i] = boxes[i]->currentText();
    {
        const QSignalBlocker blockers[] = { QSignalBlocker(Combo1), QSignalBlocker(Combo2),
            QSignalBlocker(Combo3), QSignalBlocker(Combo4), QSignalBlocker(Combo5) };
        for (const strokekinds::Kind &kind : strokekinds::kinds) {
            for (QComboBox *box : boxes)
                box->addItem(QString(QChar(kind.symbol)));
        }
        for (QComboBox *box : { &Combo2, &Combo3, &Combo4, &Combo5 })
            box->addItem(QStringLiteral(" "));
        for (int i = 0; i < 5; ++i) {
            boxes[i]->setCurrentIndex(-1);
            boxes[i]->setEditText(texts[i]);
        }
    }
}

QList<QWidget *> Form1::tabOrder()
{
    return { &Text5, &Command2, &Combo5, &Combo4, &Combo3, &Combo2, &Combo1, &Command8, &Command9,
        &Command10, &Command11, &Combo6, &Text6 };
}

// Tab and Shift+Tab follow the window's tab order. The order is kept here rather than in the
// focus chain, which the compound controls (drop-downs with edit fields) rearrange.
bool Form1::focusNextPrevChild(bool next)
{
    const QList<QWidget *> order = tabOrder();
    qsizetype at = -1;
    for (QWidget *w = focusWidget(); w && at < 0; w = w->parentWidget())
        at = order.indexOf(w);
    for (qsizetype step = 1; step <= order.size(); ++step) {
        const qsizetype index
            = ((at < 0 ? (next ? -1 : 0) : at) + (next ? step : -step) + order.size())
            % order.size();
        QWidget *candidate = order.at(index);
        if (candidate->isVisibleTo(this) && candidate->isEnabled()) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return QWidget::focusNextPrevChild(next);
}

void Form1::bringForward()
{
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
    if (QWidget *modal = QApplication::activeModalWidget(); modal && modal != this) {
        modal->raise();
        modal->activateWindow();
    }
}

void Form1::showTyped(const QString &text)
{
    lookup.showTyped(text);
}

// The About dialog, modal: this returns when it is closed.
void Form1::Command2_Click()
{
    if (!m_about)
        m_about = new Form16(this);
    m_about->exec();
}
