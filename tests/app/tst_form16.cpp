// SPDX-License-Identifier: GPL-3.0-or-later
#include "aboutinfo.h"
#include "form1.h"
#include "form16.h"
#include "programfolder.h"
#include "tests.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <optional>

// The About dialog.
class Form16Test : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        m_dir.emplace();
        m_form.emplace(m_dir->path(), m_opener);
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(&*m_form));
    }
    void cleanup() { m_form.reset(); }

    void closesWithTheFocusedOkButton_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("Space") << int(Qt::Key_Space);
    }
    // A click on 关于 shows the dialog modally and returns when the OK button closes it.
    void closesWithTheFocusedOkButton()
    {
        QFETCH(int, key);
        Seen seen;
        whileOpen([&](Form16 &about) {
            seen.note(about);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
            seen.closedByKey = !about.isVisible();
        });
        QTest::mouseClick(&m_form->Command2, Qt::LeftButton);
        // the click returns only after the dialog has been closed
        QVERIFY(seen.shown);
        QVERIFY(seen.closedByKey);
        QVERIFY(seen.okFocused);
        QVERIFY(seen.modal);
        QVERIFY(seen.topmost);
        QCOMPARE(seen.title, QStringLiteral("关于"));
        QCOMPARE(seen.clientSize, m_form->twips.size(QSizeF(6225, 4530)));
    }

    // Every showing sizes the banner to the dialog's outer width and that width / 5.69.
    void bannerFollowsTheOuterWidthAtEveryShowing()
    {
        for (int showing = 0; showing < 2; ++showing) {
            Seen seen;
            whileOpen([&](Form16 &about) {
                seen.note(about);
                about.Image1.setGeometry(0, 0, 10, 10); // undone by the next load
                about.Command1.click();
            });
            QTest::mouseClick(&m_form->Command2, Qt::LeftButton);
            QVERIFY(seen.shown);
            const layout::TwipsScale &px = m_form->twips;
            const QSizeF banner = layout::bannerSize(px.twipsX(seen.outerWidth));
            QCOMPARE(seen.banner, QRect(QPoint(0, 0), px.size(banner)));
            QCOMPARE(seen.banner.width(), seen.outerWidth);
        }
        QCOMPARE(m_form->findChildren<Form16 *>().size(), 1);
    }

    void texts_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("shown");
        QTest::newRow("name and version")
            << QStringLiteral("Label1") << QStringLiteral("软件名称： Zibrin 2017.2");
        QTest::newRow("licence") << QStringLiteral("Label2")
                                 << QStringLiteral("软件许可： GPL-3.0-or-later");
        QTest::newRow("data sources")
            << QStringLiteral("Label4") << aboutinfo::dataSources().join(u'\n');
    }
    // The dialog names the licence and every data source with its licence, and shows no
    // address: the maker has none to give.
    void texts()
    {
        QFETCH(QString, label);
        QFETCH(QString, shown);
        QString text;
        QStringList all;
        whileOpen([&](Form16 &about) {
            if (auto *found = about.findChild<QLabel *>(label))
                text = found->isVisible() ? found->text() : QString();
            for (const QLabel *each : about.findChildren<QLabel *>())
                all.append(each->text());
            about.Command1.click();
        });
        QTest::mouseClick(&m_form->Command2, Qt::LeftButton);
        QCOMPARE(text, shown);
        const QString joined = all.join(u'\n');
        for (const char *source : { "cnchar-order", "hanzi-writer-data", "Unihan", "hanzi-writer" })
            QVERIFY2(joined.contains(QLatin1String(source)), source);
        for (const char *placeholder : { ".example", "@", "http", "QQ", "ＱＱ", "10000" })
            QVERIFY2(!joined.contains(QString::fromUtf8(placeholder)), placeholder);
    }

private:
    // What the test saw while the dialog was open.
    struct Seen {
        bool shown = false;
        bool okFocused = false;
        bool modal = false;
        bool topmost = false;
        bool closedByKey = false;
        QString title;
        QSize clientSize;
        int outerWidth = 0;
        QRect banner;

        void note(Form16 &about)
        {
            shown = about.isVisible();
            okFocused = QApplication::focusWidget() == &about.Command1;
            modal = about.isModal() && QApplication::activeModalWidget() == &about;
            topmost = about.windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            title = about.windowTitle();
            clientSize = about.size();
            outerWidth = about.frameGeometry().width();
            banner = about.Image1.geometry();
        }
    };

    // Runs act once the dialog is up and focused; closes it afterwards if act did not, so a
    // failing check cannot leave the modal loop running.
    void whileOpen(const std::function<void(Form16 &)> &act)
    {
        QTimer::singleShot(0, &*m_form, [this, act] {
            auto *about = qobject_cast<Form16 *>(QApplication::activeModalWidget());
            if (!about) {
                whileOpen(act); // not shown yet: look again on the next pass
                return;
            }
            (void)QTest::qWaitFor(
                [about] { return QApplication::focusWidget() == &about->Command1; }, 2000);
            act(*about);
            if (about->isVisible())
                about->reject();
        });
    }

    std::optional<QTemporaryDir> m_dir;
    RecordingOpener m_opener;
    std::optional<Form1> m_form;
};

int runForm16Tests(int argc, char *argv[])
{
    Form16Test test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_form16.moc"
