#pragma once
// Reads a plan file line by line for the estimate, the execution and recovery. A malformed
// record or a file that ends inside a line stops the reader with a message naming the file
// and the line, so a caller can refuse the plan instead of acting on part of it.

#include "job/plan_format.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

namespace zeb {

struct PlanLine {
    int number = 0;  // 1 for the first line of the file
    QByteArray text; // the line as written, without its line end
    PlanRecord record;
};

class PlanReader {
public:
    explicit PlanReader(const QString& path);

    // Opens (or reopens) the file at its first line; false, with Error() set, when it cannot.
    bool Open();
    // The next line; false at the end of the file or at a bad line (Error() tells which).
    bool Next(PlanLine& line);
    // Empty while all is well.
    const QString& Error() const { return m_error; }
    const QString& Path() const { return m_path; }

private:
    void Fail(int lineNumber, const QString& what);

    QString m_path;
    QFile m_file;
    int m_lineNumber = 0;
    QString m_error;
};

// The whole plan at once; on a bad line `lines` holds what came before it.
struct PlanContents {
    std::vector<PlanLine> lines;
    QString error;
};
PlanContents ReadPlan(const QString& path);

} // namespace zeb
