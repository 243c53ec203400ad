#include "job/plan_reader.h"

#include <QDir>

namespace zeb {

PlanReader::PlanReader(const QString& path) : m_path(path), m_file(path) {}

bool PlanReader::Open() {
    m_file.close();
    m_lineNumber = 0;
    m_error.clear();
    if (!m_file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Не удаётся открыть файл плана %1: %2")
                      .arg(QDir::toNativeSeparators(m_path), m_file.errorString());
        return false;
    }
    return true;
}

bool PlanReader::Next(PlanLine& line) {
    if (!m_error.isEmpty() || !m_file.isOpen() || m_file.atEnd())
        return false;
    QByteArray text = m_file.readLine();
    ++m_lineNumber;
    if (!text.endsWith('\n')) {
        // Every line the program writes ends with CR LF; a file that stops inside a line
        // was cut short, and what is left of the line cannot be trusted.
        Fail(m_lineNumber, QStringLiteral("файл обрывается внутри строки"));
        return false;
    }
    text.chop(text.endsWith("\r\n") ? 2 : 1);
    ParsedPlanLine parsed = ParsePlanLine(text);
    if (!parsed.error.isEmpty()) {
        Fail(m_lineNumber, parsed.error);
        return false;
    }
    line.number = m_lineNumber;
    line.text = std::move(text);
    line.record = std::move(parsed.record);
    return true;
}

void PlanReader::Fail(int lineNumber, const QString& what) {
    m_error = QStringLiteral("Файл плана %1, строка %2: %3")
                  .arg(QDir::toNativeSeparators(m_path))
                  .arg(lineNumber)
                  .arg(what);
}

PlanContents ReadPlan(const QString& path) {
    PlanContents contents;
    PlanReader reader(path);
    if (!reader.Open()) {
        contents.error = reader.Error();
        return contents;
    }
    PlanLine line;
    while (reader.Next(line))
        contents.lines.push_back(line);
    contents.error = reader.Error();
    return contents;
}

} // namespace zeb
