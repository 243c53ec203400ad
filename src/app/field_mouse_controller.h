#pragma once
// The mouse on the work field (Image1), the tool panel ChangeBox that a right press on a
// handle opens, and Timer2, which waits out a tool move.

#include "picture/field_mouse.h"

#include <QObject>

class QWidget;

namespace zeb::app {

class TMenuForm;

class FieldMouseController : public QObject {
    Q_OBJECT
public:
    explicit FieldMouseController(TMenuForm& form);

private:
    void Image1MouseDown(int x, int y, Qt::MouseButton button);
    void Image1MouseMove(int x, int y);
    void Image1MouseUp();
    void Image1DblClick();
    // What the core asked for: a repaint of the field, ChangeBox shown.
    void Apply(const FieldMouseResult& result);
    FieldMouseContext Context();
    // ChangeBox's radio buttons choose what a drag moves and how the needle travels.
    void ConnectChangeBox();

    TMenuForm& m_form;
    QWidget* m_changeBox = nullptr;
};

} // namespace zeb::app
