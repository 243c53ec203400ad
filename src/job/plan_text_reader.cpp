#include "job/plan_text_reader.h"

namespace zeb {

PlanTextReader::PlanTextReader(QByteArrayView text, const QString& name)
    : m_text(text), m_name(name) {}

void PlanTextReader::Rewind() {
    m_at = 0;
    m_lineNumber = 0;
    m_error.clear();
}

bool PlanTextReader::Next(PlanLine& line) {
    if (!m_error.isEmpty() || m_at >= m_text.size())
        return false;
    ++m_lineNumber;
    const qsizetype end = m_text.indexOf('\n', m_at);
    if (end < 0) {
        // As in a file: a plan that stops inside a line was cut short.
        m_error = QStringLiteral("План %1, строка %2: план обрывается внутри строки")
                      .arg(m_name)
                      .arg(m_lineNumber);
        return false;
    }
    QByteArrayView text = m_text.sliced(m_at, end - m_at);
    m_at = end + 1;
    if (text.endsWith('\r'))
        text.chop(1);
    ParsedPlanLine parsed = ParsePlanLine(text);
    if (!parsed.error.isEmpty()) {
        m_error = QStringLiteral("План %1, строка %2: %3")
                      .arg(m_name)
                      .arg(m_lineNumber)
                      .arg(parsed.error);
        return false;
    }
    line.number = m_lineNumber;
    line.text = text.toByteArray();
    line.record = std::move(parsed.record);
    return true;
}

} // namespace zeb
