#include "sim/run_files.h"

#include "picture/strike_picture.h"

#include <QImage>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

namespace zeb::sim {

namespace {

bool OpenList(std::unique_ptr<QFile>& file, const QString& path, QString* error) {
    if (path.isEmpty())
        return true;
    file = std::make_unique<QFile>(path);
    if (file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2").arg(path, file->errorString());
    file.reset();
    return false;
}

void WriteLine(QFile* file, const QByteArray& line) {
    if (!file)
        return;
    file->write(line);
    file->flush();
}

} // namespace

QByteArray TraceLine(const TracedCommand& command) {
    QByteArray line = command.seqNo < 0 ? QByteArray("-") : QByteArray::number(command.seqNo);
    line += ' ' + command.name.toLatin1() + ' ' + command.frame.toHex(' ').toUpper();
    if (command.verdict == FrameVerdict::Repeated)
        line += " repeated";
    else if (command.verdict == FrameVerdict::Rejected)
        line += " rejected";
    return line + "\r\n";
}

QByteArray StrikeLine(const Strike& strike) {
    return QByteArray::number(strike.row) + ',' + QByteArray::number(strike.column) + ',' +
           QByteArray::number(strike.profile) + ',' + QByteArray::number(strike.force) + "\r\n";
}

bool RunFiles::Open(const QString& tracePath, const QString& strikesPath, QString* error) {
    return OpenList(m_trace, tracePath, error) && OpenList(m_strikes, strikesPath, error);
}

void RunFiles::CommandReceived(const TracedCommand& command) {
    WriteLine(m_trace.get(), TraceLine(command));
}

void RunFiles::Struck(const Strike& strike) {
    WriteLine(m_strikes.get(), StrikeLine(strike));
}

void RunFiles::Problem(const QString& text) {
    std::fprintf(stderr, "zeb-sim: %s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

bool WriteWorkpiecePicture(const std::vector<Strike>& strikes, const QString& path,
                           QString* error) {
    StrikeFrame frame;
    for (const Strike& s : strikes)
        frame.Include(s.row, s.column);
    QImage picture = NewStrikePicture(frame);
    if (picture.isNull()) {
        if (error)
            *error = QStringLiteral("the workpiece of %1 x %2 dots is too large for a picture")
                         .arg(frame.columns)
                         .arg(frame.rows);
        return false;
    }
    StrikeCanvas canvas(picture);
    for (const Strike& s : strikes)
        canvas.Draw(s.row, s.column, s.profile);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        if (error)
            *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace zeb::sim
