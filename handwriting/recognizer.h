#pragma once

#include <QList>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <memory>
#include <mutex>

namespace zinnia {
class Character;
class Recognizer;
} // namespace zinnia

namespace handwriting {

// One stroke: the points of the pen from down to up, in the writing area's pixels (y down).
using Stroke = QList<QPointF>;
// The strokes of one character in writing order.
using Ink = QList<Stroke>;

// One entry of the recogniser's list: the character and its score (higher is better).
struct Candidate {
    QString character;
    double score = 0;
};

// The simplified-Chinese model where Debian installs it; ZIBRIN_HANDWRITING_MODEL names another
// file (the tests use it for a missing model).
QString defaultModelFile();

// The Zinnia recogniser over one model file. A model that is missing or unreadable leaves it not
// available: every classification is then empty.
class Recognizer {
public:
    explicit Recognizer(const QString &modelFile);
    ~Recognizer();
    Recognizer(const Recognizer &) = delete;
    Recognizer &operator=(const Recognizer &) = delete;

    bool isAvailable() const { return m_available; }

    // The model's candidates for the ink drawn in a square writing area of side `side`, best
    // first, at most `count`. Empty strokes are skipped and a one-point stroke counts as a dot;
    // points outside the area are moved to its edge, points that are not numbers are dropped.
    QList<Candidate> classify(const Ink &ink, qreal side, int count) const;

private:
    std::unique_ptr<zinnia::Recognizer> m_recognizer;
    std::unique_ptr<zinnia::Character> m_character; // reused, under m_busy
    mutable std::mutex m_busy; // classify may be called from any thread
    bool m_available = false;
};

} // namespace handwriting
