#pragma once
// A plan held in memory, read line by line as PlanReader reads a plan file: the same records,
// and the same refusal of a malformed line or of a text that ends inside a line. The preview
// and the in-memory estimate read the plan a job start would write, without writing it.

#include "job/plan_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace zeb {

class PlanTextReader {
public:
    // `text` and `texts` must outlive the reader; `name` names the plan in the messages.
    PlanTextReader(QByteArrayView text, const QString& name,
                   const TextCatalogue& texts = TextCatalogue::BuiltInCatalogue());

    // Back to the first line; a bad line met before is forgotten.
    void Rewind();
    // The next line; nothing at the end of the text. A bad line is refused with the message
    // naming it, and the reader gives nothing more after it.
    Result<std::optional<PlanLine>> Next();

private:
    QByteArrayView m_text;
    QString m_name;
    const TextCatalogue* m_texts;
    qsizetype m_at = 0;
    int m_lineNumber = 0;
    bool m_failed = false;
};

} // namespace zeb
