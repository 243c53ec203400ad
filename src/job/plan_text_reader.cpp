#include "job/plan_text_reader.h"

#include "text/text_catalogue.h"

namespace zeb {

PlanTextReader::PlanTextReader(QByteArrayView text, const QString& name, const TextCatalogue& texts)
    : m_text(text), m_name(name), m_texts(&texts) {}

void PlanTextReader::Rewind() {
    m_at = 0;
    m_lineNumber = 0;
    m_failed = false;
}

Result<std::optional<PlanLine>> PlanTextReader::Next() {
    if (m_failed || m_at >= m_text.size())
        return std::optional<PlanLine>();
    ++m_lineNumber;
    const qsizetype end = m_text.indexOf('\n', m_at);
    if (end < 0) {
        // As in a file: a plan that stops inside a line was cut short.
        m_failed = true;
        return Outcome::Failed(m_texts->Text(TextKey::PlanTextCut).arg(m_name).arg(m_lineNumber));
    }
    QByteArrayView text = m_text.sliced(m_at, end - m_at);
    m_at = end + 1;
    if (text.endsWith('\r'))
        text.chop(1);
    Result<PlanRecord> parsed = ParsePlanLine(text, *m_texts);
    if (!parsed) {
        m_failed = true;
        return Outcome::Failed(m_texts->Text(TextKey::PlanTextLine)
                                   .arg(m_name)
                                   .arg(m_lineNumber)
                                   .arg(parsed.Message()));
    }
    return std::optional<PlanLine>(PlanLine{m_lineNumber, text.toByteArray(), std::move(*parsed)});
}

} // namespace zeb
