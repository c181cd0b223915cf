// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>

// An output file written so that a failure never costs the user a file: the bytes go to a
// temporary file beside the target, every write is checked, and only a complete, flushed file
// replaces the target. Before anything is written the target is checked as the kernel and `cp`
// would: no symbolic link another user planted in a shared sticky folder is followed, no FIFO,
// device or folder is replaced, and the program's own data beside it is never overwritten.
// Widget-free; its messages are the user's, in Chinese.
namespace sheets {

class OutputFile : public QIODevice {
    Q_OBJECT
public:
    // programFolder: the folder of the program, whose data (Photo.mdb, LIST2.txt, card.db, the
    // pages) must not be replaced; empty for none.
    explicit OutputFile(const QString &programFolder, QObject *parent = nullptr);
    ~OutputFile() override; // an uncommitted temporary file is removed

    // Checks the target and opens a temporary file beside it; "-" is the standard output, when
    // that is no terminal. False with errorText() saying why.
    bool openFor(const QString &path);
    // Writes what is buffered, syncs it to disk and renames the temporary file over the target.
    // False (the temporary removed, the target as it was) when any write failed or fails now.
    bool commit();
    // Drops what was written: the temporary file is removed, the target stays as it was.
    void cancel();

    // Why the last openFor or commit failed, in a sentence that names the file.
    QString errorText() const { return m_error; }

    bool isSequential() const override { return true; }

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    bool flushBuffer();
    void fail(const QString &reason);
    void failWithErrno(int error);
    void removeTemporary();

    QString m_programFolder;
    QString m_requested; // as the user gave it
    QString m_target;
    QByteArray m_temporary; // the temporary file's path, encoded; empty for the standard output
    int m_fd = -1;
    QByteArray m_buffer;
    bool m_failed = false;
    QString m_error;
};

// Text from the user made safe to quote in a message: control characters, line and paragraph
// separators and the direction overrides shown as escapes (\n, \e, \u202e ...), so that what is
// printed cannot move the cursor, retitle the terminal or reorder the line.
QString visibleText(const QString &text);

// The reason of a system error in Chinese, for the user (no raw strerror in an English mix).
QString errnoText(int error);

} // namespace sheets
