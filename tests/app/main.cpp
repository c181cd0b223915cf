// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    int failures = 0;
    for (auto run : { runLayoutTests, runList2Tests, runPictureTests, runSingleInstanceTests,
             runCommandLineTests, runForm1Tests, runForm16Tests })
        failures += run(argc, argv);
    return failures == 0 ? 0 : 1;
}
