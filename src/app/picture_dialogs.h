#pragma once
// The dialogs of the Open command: TConvertForm (which conversion) and TForm5 (resolution
// and alignment of the picture on the work field).

#include "app/language_text.h"

#include <QDialog>

class QListWidget;
class QRadioButton;

namespace zeb::app {

class TConvertForm : public QDialog {
    Q_OBJECT
public:
    explicit TConvertForm(const LanguageText& text, bool languageLoaded, QWidget* parent = nullptr);
    // Shows the dialog modally; "Ok" sets `combined` to the first choice, any other way of
    // closing leaves it as it was.
    void Run(bool& combined);

private:
    QRadioButton* m_combined = nullptr;
    bool m_confirmed = false;
};

class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(const LanguageText& text, bool languageLoaded, QWidget* parent = nullptr);

    // The item texts of the resolution list, index = resolution index (the last is empty).
    static QStringList ResolutionTexts();

    void SelectResolution(int index);
    // -1 when nothing is selected.
    int SelectedResolution() const;
    QString SelectedText() const;

signals:
    void ResolutionChanged(int index);
    // 0 left, 1 centre, 2 right; 0 top, 1 centre, 2 bottom.
    void AlignmentChosen(int horizontal, int vertical);
    void Closed();

protected:
    void done(int result) override;

private:
    QListWidget* m_resolutionBox = nullptr;
};

} // namespace zeb::app
