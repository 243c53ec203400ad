#include "sim/virtual_controller.h"

#include "sim/controller_model.h"

namespace zeb::sim {

namespace {
constexpr qint64 UsPerMs = 1000;
}

VirtualController::VirtualController(ControllerOptions options)
    : m_model(std::make_unique<ControllerModel>(std::move(options))) {}

VirtualController::~VirtualController() = default;

void VirtualController::Receive(quint8 byte, bool oddParity, qint64 nowMs) {
    m_model->Receive(byte, oddParity, nowMs * UsPerMs);
}

std::optional<quint8> VirtualController::TakeByte(qint64 nowMs) {
    return m_model->TakeByte(nowMs * UsPerMs);
}

// Rounded up, so a byte asked for at the returned millisecond is there.
std::optional<qint64> VirtualController::NextByteTime() const {
    const std::optional<qint64> us = m_model->NextByteTimeUs();
    if (!us)
        return std::nullopt;
    return (*us + UsPerMs - 1) / UsPerMs;
}

void VirtualController::ReceiveUs(quint8 byte, bool oddParity, qint64 nowUs) {
    m_model->Receive(byte, oddParity, nowUs);
}

std::optional<quint8> VirtualController::TakeByteUs(qint64 nowUs) {
    return m_model->TakeByte(nowUs);
}

std::optional<qint64> VirtualController::NextByteTimeUs() const {
    return m_model->NextByteTimeUs();
}

void VirtualController::RejectNextFrames(int count) {
    m_model->RejectNextFrames(count);
}

void VirtualController::AnswerNextFrameWrongly() {
    m_model->AnswerNextFrameWrongly();
}

void VirtualController::SetSilent(bool silent) {
    m_model->SetSilent(silent);
}

void VirtualController::SetMotorDriverSilent(char axis, bool silent) {
    m_model->SetMotorDriverSilent(axis, silent);
}

void VirtualController::SetGarbageInquiryAnswers(bool garbage) {
    m_model->SetGarbageInquiryAnswers(garbage);
}

void VirtualController::StopMidLine(int afterDataFrames) {
    m_model->StopMidLine(afterDataFrames);
}

void VirtualController::ShiftCountersAfterNextLine(int columns) {
    m_model->ShiftCountersAfterNextLine(columns);
}

void VirtualController::SetExpectedSeqNo(int seqNo) {
    m_model->SetExpectedSeqNo(seqNo);
}

void VirtualController::SetObserver(ControllerObserver* observer) {
    m_model->SetObserver(observer);
}

const std::vector<Strike>& VirtualController::Workpiece() const {
    return m_model->Machine().Workpiece();
}

int VirtualController::WarmUpStrikes() const {
    return m_model->Machine().WarmUpStrikes();
}

const std::vector<TracedCommand>& VirtualController::Trace() const {
    return m_model->Trace();
}

int VirtualController::HeadColumn() const {
    return m_model->Machine().Head().column;
}

int VirtualController::HeadRow() const {
    return m_model->Machine().Head().rowSteps / 2;
}

int VirtualController::ExpectedSeqNo() const {
    return m_model->ExpectedSeqNo();
}

bool VirtualController::PrintJobOpen() const {
    return m_model->Machine().PrintJobOpen();
}

int VirtualController::SavedColumn() const {
    return m_model->Machine().Saved().column;
}

int VirtualController::ProfileForce(int level) const {
    if (level < 1 || level > 4)
        return 0;
    return m_model->Profiles().force[static_cast<size_t>(level)];
}

} // namespace zeb::sim
