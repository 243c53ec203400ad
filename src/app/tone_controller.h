#pragma once
// The tone controls on the Open road: the values last applied come from "ZebTone.ini" at
// start and stand in "Portret_Properties" at every Open, with the live dot picture of a
// reduced copy of the new photo; closing the dialog applies them to the conversion and keeps
// them in the file. Values that are not neutral are told in the status line at start and
// after every Open, so an inverted setting never carries silently into the next photo.

#include "picture/tone_preview.h"

#include <QObject>

#include <memory>

namespace zeb::app {

class TMenuForm;
class ToneControls;

class ToneController : public QObject {
    Q_OBJECT
public:
    explicit ToneController(TMenuForm& form);

private:
    void DialogsCreated();
    void Form5Opened();
    void ShowDots();
    void Form5Closed();
    // After the status line's own text.
    void ShowToneNote();

    TMenuForm& m_form;
    ToneControls* m_controls = nullptr;
    std::unique_ptr<TonePreview> m_preview; // while the dialog is up
};

} // namespace zeb::app
