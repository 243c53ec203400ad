#include "job/plan_reader.h"

#include "text/text_catalogue.h"

#include <QDir>

namespace zeb {

PlanReader::PlanReader(const QString& path, const TextCatalogue& texts)
    : m_path(path), m_texts(&texts), m_file(path) {}

Outcome PlanReader::Open() {
    m_file.close();
    m_lineNumber = 0;
    m_failed = false;
    if (!m_file.open(QIODevice::ReadOnly))
        return Outcome::Failed(m_texts->Text(TextKey::PlanFileNotOpened)
                                   .arg(QDir::toNativeSeparators(m_path), m_file.errorString()));
    return Outcome::Done();
}

Result<std::optional<PlanLine>> PlanReader::Next() {
    if (m_failed || !m_file.isOpen() || m_file.atEnd())
        return std::optional<PlanLine>();
    QByteArray text = m_file.readLine();
    ++m_lineNumber;
    if (!text.endsWith('\n')) {
        // Every line the program writes ends with CR LF; a file that stops inside a line
        // was cut short, and what is left of the line cannot be trusted.
        return Fail(m_texts->Text(TextKey::PlanFileCut));
    }
    text.chop(text.endsWith("\r\n") ? 2 : 1);
    Result<PlanRecord> record = ParsePlanLine(text, *m_texts);
    if (!record)
        return Fail(record.Message());
    return std::optional<PlanLine>(
        PlanLine{m_lineNumber, std::move(text), std::move(record.Value())});
}

Outcome PlanReader::Fail(const QString& what) {
    m_failed = true;
    return Outcome::Failed(m_texts->Text(TextKey::PlanFileLine)
                               .arg(QDir::toNativeSeparators(m_path))
                               .arg(m_lineNumber)
                               .arg(what));
}

Result<std::vector<PlanLine>> ReadPlan(const QString& path, const TextCatalogue& texts) {
    PlanReader reader(path, texts);
    if (Outcome opened = reader.Open(); !opened)
        return opened;
    std::vector<PlanLine> lines;
    if (Outcome read =
            ForEachPlanLine(reader, [&](PlanLine line) { lines.push_back(std::move(line)); });
        !read)
        return read;
    return lines;
}

} // namespace zeb
