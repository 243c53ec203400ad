#pragma once
// The dialogs of the Open command: TConvertForm (which conversion) and TForm5 (resolution
// and alignment of the picture on the work field). They only show and report; what a choice
// does is the picture controller's business.

#include "text/text_catalogue.h"

#include <QDialog>

class QLabel;
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
    // The picture's size and whether it fits the field (PictureSizeLabel, FieldFitLabel); a
    // picture that does not fit is told in red.
    void ShowFieldFit(const QString& sizeText, const QString& fitText, bool fits);

signals:
    void ResolutionChanged(int index);
    // The pointer or the keyboard's focus came to alignment button 1..9, or left it (0): the
    // fit is shown for the alignment the button would choose.
    void AlignmentPointed(int button);
    // Button1..Button9 (1..9, in reading order); the dialog closes right after.
    void AlignmentButtonClicked(int button);
    // Every way of closing: a button, the close box, Escape.
    void Closed();

protected:
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QListWidget* m_resolutionBox = nullptr;
    QLabel* m_sizeLabel = nullptr;
    QLabel* m_fitLabel = nullptr;
};

} // namespace zeb::app
