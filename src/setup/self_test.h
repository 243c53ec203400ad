#pragma once
// Self-test: the log "\testing.txt" of answer errors with the last ten exchanges, the switch
// of "Self Testing", and the step control that compares the controller's step counters with
// the program's count after each strike line of a job.

#include "link/device.h"
#include "link/link_state.h"

#include <QDateTime>
#include <QFile>
#include <QString>
#include <QStringList>

#include <optional>

namespace zeb {

inline const QString TestingFileName = QStringLiteral("testing.txt");

// The self-test log: created anew each time self-test is switched on and kept open, receiving
// the records of DumpCommandLog, until the owner closes it or goes away. Every line reaches
// the disk at once, so the log is complete up to a crash.
class TestingLog final : public CommandLogSink {
public:
    TestingLog() = default;
    TestingLog(const TestingLog&) = delete;
    TestingLog& operator=(const TestingLog&) = delete;
    ~TestingLog() override;

    // Creates or empties the file and writes `header`; empty on success, else why not.
    QString Start(const QString& path, const QStringList& header);
    void Close();
    bool IsOpen() const { return m_file.isOpen(); }
    // One line in Windows-1251 with CR LF; nothing while the file is not open.
    void WriteLine(const QString& line) override;

private:
    QFile m_file;
};

QString TestingFilePath(const QString& startDirectory);

// The two header lines: when and on which port the log began, and the controller's name from
// its parameter memory (empty when the controller did not answer). Control bytes of the name
// are written as \xHH, so the header stays two lines.
QStringList TestingHeader(const QDateTime& now, const QString& portName,
                          const std::optional<QByteArray>& deviceName);

// The 33 bytes of the controller's name (parameter memory 80..112); empty while the link is
// down or when the link was lost while reading.
std::optional<QByteArray> ReadDeviceName(Device& device);

// "Self Testing" clicked; `checked` is the item's new check mark. On: the log is created
// anew with its header (the controller is asked for its name first), the log receives the
// records of DumpCommandLog and the mark is set. Off: the mark is cleared; the file stays
// open. Returns why the log could not be created, empty otherwise; self-test still counts
// errors then.
QString SelfTestingClick(bool checked, Device& device, SelfTestState& selfTest, TestingLog& log,
                         const QString& startDirectory);

// After a strike line of a job, while self-test is on: asks the controller for its step
// counters (Monitor shows them when StepControl is checked), shows the program's count, and
// when StepControl is checked and either axis differs, beeps and counts one more error.
// Returns true when a mismatch was counted. Nothing is compared when Monitor brought nothing
// back (the link is down and has said so).
bool StepControl(Device& device, const SelfTestState& selfTest);

} // namespace zeb
