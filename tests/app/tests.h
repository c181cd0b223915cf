#pragma once

#include "urlopener.h"

#include <QList>
#include <QUrl>

// The suites of tests/app; main.cpp runs them one after another. Each returns QTest::qExec's count
// of failures.
int runLayoutTests(int argc, char *argv[]);
int runList2Tests(int argc, char *argv[]);
int runPictureTests(int argc, char *argv[]);
int runSingleInstanceTests(int argc, char *argv[]);
int runForm1Tests(int argc, char *argv[]);
int runForm16Tests(int argc, char *argv[]);

// Records the addresses handed to the desktop instead of opening them.
class RecordingUrlOpener : public UrlOpener
{
public:
    void open(const QUrl &url) override { opened.append(url); }
    QList<QUrl> opened;
};
