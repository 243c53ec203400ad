#include "app/menu_form.h"

#include "app/controllers.h"
#include "app/field_widget.h"
#include "app/link_wait.h"
#include "job/session.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTextBlock>
#include <QTimer>

namespace zeb::app {

TMenuForm::TMenuForm(std::unique_ptr<SerialLine> line, Clock& clock, QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("MenuForm");
    resize(1035, 674);
    m_timers = new QtWindowTimers(this);
    m_session = std::make_unique<Session>(*this, *m_timers, clock, std::move(line));
    auto* pump = new LinkWaitPump(this);
    m_session->Dev.Line().SetWhileWaiting([pump] { pump->Pump(); });
    m_timers->DeferWhile([this] { return m_session->Dev.LinkBusy(); });
    BuildMenus();
    BuildRegions();
    CreateControllers(*this);
    FormCreate();
}

TMenuForm::~TMenuForm() = default;

void TMenuForm::closeEvent(QCloseEvent* event) {
    if (m_session->Dev.LinkBusy()) {
        // Closing says goodbye to the machine: after the command in flight.
        event->ignore();
        QTimer::singleShot(SerialLine::WaitSliceMs, this, &QWidget::close);
        return;
    }
    if (!m_closed) {
        m_closed = true;
        FormClose();
    }
    event->accept();
}

void TMenuForm::CloseExitClick() {
    close();
}

void TMenuForm::CloseBySignal() {
    m_closing = true;
    // Modal messages first: each one's own loop has to end before the window can close.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        if (modal == this)
            break;
        modal->close();
    }
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

// --- Operator ---

void TMenuForm::ShowMessage(const QString& text) {
    if (m_closing)
        return;
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationName(), text, QMessageBox::Ok,
                    this);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName("MessageBox");
    box.exec();
}

bool TMenuForm::Confirm(const QString& text) {
    if (m_closing)
        return false;
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), text,
                    QMessageBox::NoButton, this);
    box.setTextFormat(Qt::PlainText);
    box.setObjectName("ConfirmBox");
    const TextCatalogue& texts = m_session->Texts;
    QPushButton* yes = box.addButton(texts.Text(TextKey::ConfirmYes), QMessageBox::YesRole);
    yes->setObjectName("ConfirmYes");
    QPushButton* no = box.addButton(texts.Text(TextKey::ConfirmNo), QMessageBox::NoRole);
    no->setObjectName("ConfirmNo");
    // What cannot be undone is never the default.
    box.setDefaultButton(no);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

void TMenuForm::Beep() {
    QApplication::beep();
}

void TMenuForm::SetCursor(CursorShape shape) {
    // An exchange has ended and may have moved the needle; the caller notes where once it
    // returns.
    if (shape == CursorShape::Normal && m_image1)
        QMetaObject::invokeMethod(m_image1, &FieldWidget::NeedleMayHaveMoved, Qt::QueuedConnection);
    if (shape == m_cursor)
        return;
    if (m_cursor != CursorShape::Normal)
        QApplication::restoreOverrideCursor();
    if (shape == CursorShape::Busy)
        QApplication::setOverrideCursor(Qt::BusyCursor);
    else if (shape == CursorShape::Hourglass)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    m_cursor = shape;
}

void TMenuForm::LockUI() {
    Item("STOP")->setVisible(false);
    for (int position : {1, 2, 3})
        TopMenu(position)->setEnabled(false);
    m_image1->setEnabled(false);
    for (const char* name : {"Igla", "AllUp", "UpMove", "AllDown"})
        if (auto* w = findChild<QWidget*>(name))
            w->setEnabled(false);
}

void TMenuForm::UnlockUI() {
    for (int position = 0; position <= 6; ++position)
        TopMenu(position)->setEnabled(true);
    m_image1->setEnabled(true);
}

void TMenuForm::LockForJob() {
    const bool running = m_timers->Running(TimerId::Optimizing);
    QAction* stop = Item("STOP");
    stop->setVisible(running);
    stop->setEnabled(running);
    for (int position = 0; position <= 6; ++position)
        TopMenu(position)->setEnabled(false);
    m_image1->setEnabled(false);
}

void TMenuForm::ScrollToPicture() {
    const Placement& p = m_session->Place;
    const QRect picture(p.PictureOffsetX, p.PictureOffsetY, p.PictureWidth, p.PictureHeight);
    const QSize view = m_scrollBox1->viewport()->size();
    // Centred in the view, with room round it for the handles, as far as the field allows.
    m_scrollBox1->ensureVisible(picture.center().x(), picture.center().y(), view.width() / 2,
                                view.height() / 2);
}

void TMenuForm::ShowStatus(const QString& text) {
    // The status line is the memo's second line; the first stays as it is.
    QStringList lines = m_memo1->toPlainText().split(QLatin1Char('\n'));
    while (lines.size() < 2)
        lines << QString();
    lines[1] = text;
    m_memo1->setPlainText(lines.join(QLatin1Char('\n')));
    QTextCursor cursor(m_memo1->document()->findBlockByNumber(1));
    m_memo1->setTextCursor(cursor);
    m_memo1->ensureCursorVisible();
}

void TMenuForm::ShowWaiting(const QString& text) {
    ShowStatus(text);
    // Shown before the first slice of the wait paints.
    m_memo1->repaint();
}

void TMenuForm::SetProgress(int position, int maximum) {
    m_gauge1->setMaximum(std::max(maximum, 1));
    m_gauge1->setValue(std::clamp(position, 0, std::max(maximum, 1)));
}

void TMenuForm::ShowServiceValue(ServiceField field, const QString& text) {
    static const QHash<ServiceField, QString> names = {
        {ServiceField::SavedRow, "Edit3"},
        {ServiceField::SavedColumn, "Edit4"},
        {ServiceField::SeqNoOrLimit, "Edit5"},
        {ServiceField::ResetField, "Edit6"},
        {ServiceField::SeedRow, "label66"},
        {ServiceField::SeedColumn, "label67"},
        {ServiceField::CountPosX, "CountPosXEdit"},
        {ServiceField::CountPosY, "CountPosYEdit"},
        {ServiceField::RealPosX, "RealPosXEdit"},
        {ServiceField::RealPosY, "RealPosYEdit"},
        {ServiceField::ErrorCounter, "ErorCounterEdit"},
    };
    QWidget* widget = findChild<QWidget*>(names.value(field));
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        spin->setValue(text.toInt());
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
}

void TMenuForm::ProcessEvents() {
    QApplication::processEvents();
}

} // namespace zeb::app
