// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The suites of tests/app; main.cpp runs them one after another. Each returns QTest::qExec's count
// of failures.
int runLayoutTests(int argc, char *argv[]);
int runList2Tests(int argc, char *argv[]);
int runPictureTests(int argc, char *argv[]);
int runSingleInstanceTests(int argc, char *argv[]);
int runCommandLineTests(int argc, char *argv[]);
int runForm1Tests(int argc, char *argv[]);
int runForm16Tests(int argc, char *argv[]);
