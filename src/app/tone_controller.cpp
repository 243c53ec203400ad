#include "app/tone_controller.h"

#include "app/menu_form.h"
#include "app/picture_dialogs.h"
#include "app/tone_controls.h"
#include "job/session.h"
#include "setup/tone_levels_file.h"

#include <QAction>
#include <QPlainTextEdit>

namespace zeb::app {

namespace {

// The reduced copy of the photo fits the controls' picture.
const QSize DotsBound(240, 180);

} // namespace

ToneController::ToneController(TMenuForm& form) : QObject(&form), m_form(form) {
    connect(&form, &TMenuForm::DialogsCreated, this, &ToneController::DialogsCreated);
    // Connected after the picture controller's: runs once the Open command is over.
    connect(form.Item("Open"), &QAction::triggered, this, &ToneController::ShowToneNote);
}

void ToneController::DialogsCreated() {
    Session& s = m_form.State();
    const ToneLevelsLoad load = LoadToneLevels(s.StartDirectory);
    s.Picture.Tone = load.levels;
    if (!load.problem.isEmpty())
        m_form.ShowMessage(load.problem);
    ShowToneNote();
    m_controls = m_form.Form5()->findChild<ToneControls*>("ToneControls");
    connect(m_controls, &ToneControls::Opened, this, &ToneController::Form5Opened);
    connect(m_controls, &ToneControls::Changed, this, &ToneController::ShowDots);
    connect(m_form.Form5(), &TForm5::Closed, this, &ToneController::Form5Closed);
}

void ToneController::Form5Opened() {
    // The dialog comes after the photo is read and before it is converted.
    Session& s = m_form.State();
    m_preview = std::make_unique<TonePreview>(s.Picture, DotsBound);
    m_controls->SetLevels(s.Picture.Tone);
}

void ToneController::ShowDots() {
    if (!m_preview)
        return;
    Session& s = m_form.State();
    m_controls->ShowDots(m_preview->DotPicture(m_controls->Levels(), s.Picture.Mode(), s.Tables));
}

void ToneController::Form5Closed() {
    m_preview.reset();
    Session& s = m_form.State();
    const ToneLevels levels = m_controls->Levels();
    if (levels == s.Picture.Tone)
        return;
    s.Picture.Tone = levels;
    if (const QString problem = SaveToneLevels(s.StartDirectory, levels); !problem.isEmpty())
        m_form.ShowMessage(problem);
}

void ToneController::ShowToneNote() {
    const QString note = ToneNote(m_form.State().Texts, m_form.State().Picture.Tone);
    if (note.isEmpty())
        return;
    auto* memo = m_form.findChild<QPlainTextEdit*>("Memo1");
    const QString status = memo ? memo->toPlainText().section(QLatin1Char('\n'), 1, 1) : QString();
    m_form.ShowStatus(status.isEmpty() ? note : status + QStringLiteral(". ") + note);
}

} // namespace zeb::app
