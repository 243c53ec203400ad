#pragma once
// Reads a plan file line by line for the estimate, the execution and recovery. A malformed
// record or a file that ends inside a line stops the reader with a message naming the file
// and the line, so a caller can refuse the plan instead of acting on part of it.

#include "job/plan_format.h"
#include "link/outcome.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <optional>
#include <vector>

namespace zeb {

struct PlanLine {
    int number = 0;  // 1 for the first line of the file
    QByteArray text; // the line as written, without its line end
    PlanRecord record;
};

class PlanReader {
public:
    // `texts` must outlive the reader; its messages come from there.
    explicit PlanReader(const QString& path,
                        const TextCatalogue& texts = TextCatalogue::BuiltInCatalogue());

    // Opens (or reopens) the file at its first line.
    Outcome Open();
    // The next line; nothing at the end of the file. A bad line is refused with the message
    // naming it, and the reader gives nothing more after it.
    Result<std::optional<PlanLine>> Next();
    const QString& Path() const { return m_path; }

private:
    Outcome Fail(const QString& what);

    QString m_path;
    const TextCatalogue* m_texts;
    QFile m_file;
    int m_lineNumber = 0;
    bool m_failed = false;
};

// The whole plan at once, or the message of its first bad line.
Result<std::vector<PlanLine>>
ReadPlan(const QString& path, const TextCatalogue& texts = TextCatalogue::BuiltInCatalogue());

// Hands `each` every line from where `reader` stands to the end; refused at the first line
// that cannot be read. `Reader` is PlanReader or PlanTextReader.
template <class Reader, class Each>
Outcome ForEachPlanLine(Reader& reader, Each&& each) {
    for (;;) {
        Result<std::optional<PlanLine>> line = reader.Next();
        if (!line)
            return line.AsOutcome();
        if (!*line)
            return Outcome::Done();
        each(std::move(**line));
    }
}

} // namespace zeb
