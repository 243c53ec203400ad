#pragma once
// A plan held in memory, read line by line as PlanReader reads a plan file: the same records,
// and the same refusal of a malformed line or of a text that ends inside a line. The preview
// and the in-memory estimate read the plan a job start would write, without writing it.

#include "job/plan_reader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace zeb {

class PlanTextReader {
public:
    // `text` must outlive the reader; `name` names the plan in the messages.
    PlanTextReader(QByteArrayView text, const QString& name);

    // Back to the first line, the error cleared.
    void Rewind();
    // The next line; false at the end of the text or at a bad line (Error() tells which).
    bool Next(PlanLine& line);
    // Empty while all is well.
    const QString& Error() const { return m_error; }

private:
    QByteArrayView m_text;
    QString m_name;
    qsizetype m_at = 0;
    int m_lineNumber = 0;
    QString m_error;
};

} // namespace zeb
