#include "sim/mechanics.h"

#include <QFile>
#include <QSaveFile>

namespace zeb::sim {

Mechanics::Mechanics(QString stateFile) : m_stateFile(std::move(stateFile)) {
    LoadSaved();
}

void Mechanics::SetProblemSink(std::function<void(const QString&)> sink) {
    m_problemSink = std::move(sink);
    // A broken state file is found before anyone listens; tell it now.
    if (m_problemSink && !m_pendingProblem.isEmpty())
        m_problemSink(std::exchange(m_pendingProblem, QString()));
}

void Mechanics::Problem(const QString& text) {
    if (m_problemSink)
        m_problemSink(text);
    else
        m_pendingProblem = text;
}

// The state file: the saved row in Y steps and the saved column, one decimal per line.
void Mechanics::LoadSaved() {
    if (m_stateFile.isEmpty() || !QFile::exists(m_stateFile))
        return;
    QFile file(m_stateFile);
    if (!file.open(QIODevice::ReadOnly)) {
        Problem(QStringLiteral("cannot read the state file %1: %2")
                    .arg(m_stateFile, file.errorString()));
        return;
    }
    const QList<QByteArray> lines = file.read(256).split('\n');
    bool rowOk = false;
    bool columnOk = false;
    const int row = lines.value(0).trimmed().toInt(&rowOk);
    const int column = lines.value(1).trimmed().toInt(&columnOk);
    if (!rowOk || !columnOk) {
        Problem(QStringLiteral("the state file %1 holds no saved position; starting from 0,0")
                    .arg(m_stateFile));
        return;
    }
    m_saved = {row, column};
    m_written = m_saved;
}

void Mechanics::PersistSaved() {
    if (m_stateFile.isEmpty() || m_saved == m_written)
        return;
    QSaveFile file(m_stateFile);
    const QByteArray text =
        QByteArray::number(m_saved.rowSteps) + "\r\n" + QByteArray::number(m_saved.column) + "\r\n";
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        // Said once, not at every line of the job.
        if (!std::exchange(m_writeFailing, true))
            Problem(QStringLiteral("cannot write the state file %1: %2")
                        .arg(m_stateFile, file.errorString()));
        return;
    }
    m_writeFailing = false;
    m_written = m_saved;
}

void Mechanics::Track() {
    if (m_jobOpen)
        m_saved = m_head;
}

void Mechanics::StepRows(int steps) {
    m_head.rowSteps += steps;
    Track();
}

void Mechanics::StepColumns(int columns) {
    m_head.column += columns;
    Track();
}

void Mechanics::Home() {
    m_jobOpen = false;
    m_head = {};
}

void Mechanics::StrikeHere(int profile, int force) {
    const Strike strike{m_head.rowSteps / 2, m_head.column, profile, force};
    m_workpiece.push_back(strike);
    if (m_strikeSink)
        m_strikeSink(strike);
}

void Mechanics::WarmUpStrike() {
    ++m_warmUps;
}

void Mechanics::BeginPrint() {
    m_jobOpen = true;
    Track();
}

void Mechanics::EndPrint() {
    m_jobOpen = false;
}

} // namespace zeb::sim
