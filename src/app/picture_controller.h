#pragma once
// "Открыть" and "Сохранить" with their dialogs (TConvertForm, OpenDialog1, TForm5,
// SaveDialog1), and the hidden alignment items that TForm5's buttons set. The mouse on the
// field is the FieldMouseController's, which this controller creates.

#include <QObject>
#include <QString>

#include <optional>

namespace zeb::app {

class TMenuForm;

class PictureController : public QObject {
    Q_OBJECT
public:
    explicit PictureController(TMenuForm& form);

private:
    void DialogsCreated();
    void OpenClick();
    void Save1Click();
    // The checks of the six alignment items from the placement.
    void ShowAlignment();
    void Form5FormClose();
    // TForm5's size and fit lines for the resolution held and the alignment held, or that of
    // alignment button `pointed` (1..9) while the operator points at it.
    void ShowFieldFit(int pointed = 0);
    std::optional<QString> RunOpenDialog();
    std::optional<QString> RunSaveDialog();
    // Where the file dialogs start: the folder of the last picture, else the start directory.
    QString DialogDirectory() const;

    TMenuForm& m_form;
};

} // namespace zeb::app
