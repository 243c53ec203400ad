#pragma once
// The tone controls of "Portret_Properties" (TForm5): black point, white point, gamma and
// invert, a reset to the neutral values, and the dot picture they give on a reduced copy of
// the photo. The controls hold only sound values (B < W, G within 0.1..10); what they change
// is the tone controller's business.

#include "picture/tone_levels.h"
#include "text/text_catalogue.h"

#include <QGroupBox>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace zeb::app {

// The status line's note of tone values that are not neutral; empty for neutral ones.
QString ToneNote(const TextCatalogue& texts, const ToneLevels& levels);

class ToneControls : public QGroupBox {
    Q_OBJECT
public:
    explicit ToneControls(const TextCatalogue& texts, QWidget* parent = nullptr);

    ToneLevels Levels() const;
    // Shows `levels` (sound ones) and says Changed once.
    void SetLevels(const ToneLevels& levels);
    // The dot picture of the reduced copy under the values shown.
    void ShowDots(const QImage& dots);

signals:
    // The operator or SetLevels changed a value.
    void Changed();
    // The dialog that holds the controls is being shown: a new photo waits for its values.
    void Opened();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // B stays below W whichever of the two moves.
    void KeepBlackBelowWhite();

    QSpinBox* m_black;
    QSpinBox* m_white;
    QDoubleSpinBox* m_gamma;
    QCheckBox* m_invert;
    QLabel* m_dots;
    bool m_quiet = false; // SetLevels moves several controls and says Changed once
};

} // namespace zeb::app
