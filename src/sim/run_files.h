#pragma once
// What zeb-sim leaves behind: the trace (one line per command frame received), the strike
// list (one line per strike, in the order struck) and the workpiece picture. The two lists
// are flushed line by line, so a killed simulator still leaves them complete.
//
// Trace line:  <seq> <name> <five bytes in hex>[ repeated| rejected]   e.g. "3 StepUp 1B 10 00 00
// 08"
//              (seq "-" when the frame's check byte is broken)
// Strike line: <row>,<column>,<profile 1..4>,<force>                   e.g. "12,40,4,150"
// Lines end in CR LF like every text file of the system.

#include "sim/virtual_controller.h"

#include <QFile>
#include <QString>

#include <memory>
#include <vector>

namespace zeb::sim {

QByteArray TraceLine(const TracedCommand& command);
QByteArray StrikeLine(const Strike& strike);

class RunFiles : public ControllerObserver {
public:
    // Empty paths: that list is not written. False with a message when a file cannot be made.
    bool Open(const QString& tracePath, const QString& strikesPath, QString* error);

    void CommandReceived(const TracedCommand& command) override;
    void Struck(const Strike& strike) override;
    void Problem(const QString& text) override;

private:
    std::unique_ptr<QFile> m_trace;
    std::unique_ptr<QFile> m_strikes;
};

// The workpiece as a picture (see picture/strike_picture.h, which the job preview draws with
// too): one pixel per field dot, black where nothing was struck, and the strike tone of the
// profile where it was (64, 128, 192, 255 for profiles 1..4; the strongest when a dot was
// struck twice). It spans field row 0 and column 0 to the farthest strike; a strike at a
// negative coordinate is drawn on the edge it lies beyond. Replaced atomically.
bool WriteWorkpiecePicture(const std::vector<Strike>& strikes, const QString& path, QString* error);

} // namespace zeb::sim
