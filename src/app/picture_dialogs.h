#pragma once
// The dialogs of the Open command: TConvertForm (which conversion) and TForm5 (resolution
// and alignment of the picture on the work field). They only show and report; what a choice
// does is the picture controller's business.

#include "text/text_catalogue.h"

#include <QDialog>

class QListWidget;
class QRadioButton;

namespace zeb::app {

class TConvertForm : public QDialog {
    Q_OBJECT
public:
    explicit TConvertForm(const TextCatalogue& texts, QWidget* parent = nullptr);

signals:
    // "Ok" was pressed (the dialog then closes); any other way of closing says nothing.
    void Button1Clicked(bool radioButton3Checked);

private:
    QRadioButton* m_combined = nullptr;
};

// The resolution list's item for a resolution index as the operator reads it; index 0's for an
// index outside the list.
QString ResolutionText(const TextCatalogue& texts, int index);
// The caption of alignment button 1..9 (reading order) of the resolution dialog.
QString AlignmentButtonText(const TextCatalogue& texts, int button);

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(const TextCatalogue& texts, QWidget* parent = nullptr);

    void SelectResolution(int index);
    // -1 when nothing is selected.
    int SelectedResolution() const;

signals:
    void ResolutionChanged(int index);
    // Button1..Button9 (1..9, in reading order); the dialog closes right after.
    void AlignmentButtonClicked(int button);
    // Every way of closing: a button, the close box, Escape.
    void Closed();

protected:
    void done(int result) override;

private:
    QListWidget* m_resolutionBox = nullptr;
};

} // namespace zeb::app
