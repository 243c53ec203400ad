#pragma once
// "Предпросмотр" on the engraving-properties panel: the job "Работа" would start now, planned
// in memory and shown in the preview window. No file is written and nothing is sent; the
// panels' buttons wait while the preview is built.

#include <QObject>

class QPushButton;

namespace zeb::app {

class PreviewWindow;
class TMenuForm;

class PreviewController : public QObject {
    Q_OBJECT
public:
    explicit PreviewController(TMenuForm& form);

private:
    // "Гравировка": the button is usable with a picture to plan and no job under way.
    void Print1Click();
    void PreviewClick();
    QList<QPushButton*> PanelButtons() const;

    TMenuForm& m_form;
    QPushButton* m_button;
    PreviewWindow* m_window = nullptr;
};

} // namespace zeb::app
