#include "recognizer.h"

#include <QFileInfo>

#include <zinnia.h>

#include <cmath>

namespace handwriting {

namespace {

// The side of the square the points are handed over in; the model was trained on this scale.
constexpr int modelSide = 300;

} // namespace

QString defaultModelFile()
{
    return qEnvironmentVariable("ZIBRIN_HANDWRITING_MODEL",
        QStringLiteral("/usr/share/tegaki/models/zinnia/handwriting-zh_CN.model"));
}

Recognizer::Recognizer(const QString &modelFile)
    : m_recognizer(zinnia::Recognizer::create())
    , m_character(zinnia::Character::create())
{
    // Zinnia maps the file; a directory or an unreadable file is refused here already.
    const QFileInfo info(modelFile);
    if (info.isFile() && info.isReadable())
        m_available = m_recognizer->open(QFile::encodeName(info.absoluteFilePath()).constData())
            && m_recognizer->size() > 0;
}

Recognizer::~Recognizer() = default;

QList<Candidate> Recognizer::classify(const Ink &ink, qreal side, int count) const
{
    QList<Candidate> candidates;
    if (!m_available || count <= 0 || !(side > 0) || !std::isfinite(side))
        return candidates;

    const std::lock_guard lock(m_busy);
    m_character->clear();
    m_character->set_width(modelSide);
    m_character->set_height(modelSide);
    const qreal scale = modelSide / side;
    const auto toModel = [scale](qreal v) {
        return int(std::lround(std::clamp(v * scale, 0.0, qreal(modelSide))));
    };
    size_t id = 0; // Zinnia wants the stroke numbers without gaps
    for (const Stroke &stroke : ink) {
        int added = 0;
        QPoint last;
        for (const QPointF &point : stroke) {
            if (!std::isfinite(point.x()) || !std::isfinite(point.y()))
                continue;
            last = QPoint(toModel(point.x()), toModel(point.y()));
            m_character->add(id, last.x(), last.y());
            ++added;
        }
        if (added == 1) // a tap: a dot of one point is a stroke without direction to Zinnia
            m_character->add(id, last.x(), last.y());
        if (added > 0)
            ++id;
    }
    if (id == 0)
        return candidates;

    const std::unique_ptr<zinnia::Result> result(
        m_recognizer->classify(*m_character, size_t(count)));
    if (!result)
        return candidates;
    candidates.reserve(qsizetype(result->size()));
    for (size_t i = 0; i < result->size(); ++i)
        candidates.append({ QString::fromUtf8(result->value(i)), double(result->score(i)) });
    return candidates;
}

} // namespace handwriting
