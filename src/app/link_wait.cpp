#include "app/link_wait.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QShortcutEvent>

namespace zeb::app {

void LinkWaitPump::Pump() {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return;
    app->installEventFilter(this);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    app->removeEventFilter(this);
}

bool LinkWaitPump::HeldBack(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return static_cast<const QKeyEvent&>(event).key() != Qt::Key_Delete;
    case QEvent::Shortcut:
        return static_cast<const QShortcutEvent&>(event).key() != QKeySequence(Qt::Key_Delete);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

bool LinkWaitPump::eventFilter(QObject* watched, QEvent* event) {
    if (HeldBack(*event))
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace zeb::app
