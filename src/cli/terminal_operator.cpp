#include "cli/terminal_operator.h"

#include "cli/cli.h"

#include <QElapsedTimer>

#include <cstdio>
#include <unistd.h>

namespace zeb::cli {

namespace {

constexpr qint64 RedrawIntervalMs = 100;

QElapsedTimer& Uptime() {
    static QElapsedTimer timer = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return timer;
}

QString Clock(qint64 ms) {
    const qint64 seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void PutErr(const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

} // namespace

QString ProgressLine(const JobProgress& p, int barWidth) {
    const qint64 total = std::max<qint64>(p.bytesTotal, 1);
    const qint64 done = std::clamp<qint64>(p.bytesRead, 0, total);
    const int filled = static_cast<int>(done * barWidth / total);
    QString left = QStringLiteral("--:--:--");
    if (done > 0 && p.elapsedMs > 0)
        left = Clock(p.elapsedMs * (total - done) / done);
    return QStringLiteral("[%1%2] %3%  pass %4  lines %5  dots %6  left %7")
        .arg(QString(filled, QLatin1Char('#')), QString(barWidth - filled, QLatin1Char('.')))
        .arg(done * 100 / total, 3)
        .arg(p.pass)
        .arg(p.strikeLines)
        .arg(p.dots)
        .arg(left);
}

TerminalOperator::TerminalOperator() : m_tty(isatty(STDERR_FILENO) == 1) {}

void TerminalOperator::ClearLine() {
    if (m_lineShown) {
        PutErr(QStringLiteral("\r\x1b[K"));
        m_lineShown = false;
    }
}

void TerminalOperator::ShowMessage(const QString& text) {
    ClearLine();
    PrintError(text);
}

bool TerminalOperator::Confirm(const QString& text) {
    ShowMessage(text);
    return false;
}

void TerminalOperator::ShowStatus(const QString& text) {
    if (!m_tty || text == m_lastStatus)
        return;
    m_lastStatus = text;
    ClearLine();
    PutErr(text);
    m_lineShown = true;
}

void TerminalOperator::ShowProgress(const JobProgress& progress, bool force) {
    if (!m_tty)
        return;
    const qint64 now = Uptime().elapsed();
    if (!force && m_lastDrawMs >= 0 && now - m_lastDrawMs < RedrawIntervalMs)
        return;
    m_lastDrawMs = now;
    PutErr(QStringLiteral("\r\x1b[K") + ProgressLine(progress, 30));
    m_lineShown = true;
}

void TerminalOperator::FinishProgress() {
    if (m_lineShown)
        PutErr(QStringLiteral("\n"));
    m_lineShown = false;
}

} // namespace zeb::cli
