// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lookupcontroller.h"
#include "ranking.h"
#include "recognitionworker.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class QAbstractButton;
class RecordStore;
class ResultBox;
class QWidget;

namespace handwriting {

class HandwritingPad;

// Handwriting input: the handwriting button opens the pad; each finished stroke or take-back hands
// the recogniser's candidates on to be shown (candidatesRecognized). Emptied by
// 重写 or 退一笔, the pad leaves the window as it was before its first stroke. Recognition runs
// off the user-interface thread, whose data is read there when the pad opens; ink that cannot be
// read gets a note in the pad and no candidates.
class HandwritingController : public QObject {
    Q_OBJECT
public:
    struct Controls {
        QAbstractButton *Command9 = nullptr; // "手写": opens the pad
        ResultBox *Text6 = nullptr; // read only: whether another road has written it since
        LookupController *lookup = nullptr; // the window before the first stroke, put back
        RecordStore *Data1 = nullptr;
        QWidget *window = nullptr; // the main window: the pad's owner, placed beside it
        std::function<int(int)> scaled; // pixels at 96 dpi -> pixels on this screen
    };

    explicit HandwritingController(const Controls &controls, QObject *parent = nullptr);
    ~HandwritingController() override;

    // Opens the pad beside the main window, or raises it. The recogniser and the list of the
    // characters with a record are loaded at the first opening, the matcher's data on the
    // recognition thread.
    void Command9_Click();

    // Created at the first opening.
    HandwritingPad *pad() const { return m_pad; }

    // Asks for the ink's candidates, handed on when they come; ink that is not readable
    // (inkVerdict) gets the pad's note and hands on no candidates at once.
    void recognizeInk();
    void takeBackStroke();
    void clearInk();

    // Between a request for candidates and their arrival.
    bool isRecognizing() const { return m_worker && m_worker->isBusy(); }

signals:
    // The candidates of the latest request, best first; none for ink without any. Shown by
    // whoever receives them, in the result box, before this returns.
    void candidatesRecognized(const QStringList &candidates);

private:
    void placePad();
    void handOn(const QStringList &candidates);
    void inkEmptied();

    Controls c;
    HandwritingPad *m_pad = nullptr; // a child of the main window
    std::unique_ptr<RecognitionWorker> m_worker; // runs recognize(); none without a model
    std::optional<LookupController::Display> m_before; // the window before the first stroke
    QString m_shownList; // the result box's text as the last list left it
};

} // namespace handwriting
