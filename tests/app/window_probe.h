#pragma once
// What the GUI tests lay out before the window starts and read off it afterwards: files in
// the start directory, a picture opened, widgets of the window's regions, the status line,
// the commands the virtual controller received.

#include "app/field_widget.h"
#include "common/start_files.h"
#include "common/window_fixture.h"
#include "job/session.h"
#include "picture/open_command.h"

#include <QAbstractButton>
#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTest>
#include <QTextBlock>
#include <gtest/gtest.h>

namespace zeb::testing {

// A window set-up that writes `bytes` as the file `name` of the start directory.
inline WindowFixture::Setup WithFile(const QString& name, const QByteArray& bytes) {
    WindowFixture::Setup setup;
    setup.files = [name, bytes](const QString& dir) { WriteFile(dir + "/" + name, bytes); };
    return setup;
}

// A picture opened as "Открыть" opens it; by default a small lettering-like one: two bars and
// a dot, in two greys.
inline void OpenPicture(WindowFixture& window, QImage image = {}) {
    if (image.isNull()) {
        image = QImage(20, 8, QImage::Format_RGB32);
        image.fill(Qt::black);
        for (int x = 2; x < 18; ++x) {
            image.setPixel(x, 2, qRgb(255, 0, 0));
            image.setPixel(x, 5, qRgb(180, 0, 0));
        }
        image.setPixel(10, 7, qRgb(255, 0, 0));
    }
    const QString path = window.dir.File("letters.bmp");
    image.save(path, "BMP");
    Session& s = window.form->State();
    OpenCommandContext ctx = OpenContext(s);
    OpenCommandDialogs dialogs;
    dialogs.runOpenDialog = [path] { return std::optional<QString>(path); };
    ASSERT_TRUE(OpenPicture(ctx, dialogs));
    window.form->Image1()->ImageChanged();
}

// Picks `path` in the file dialog named `name`, or cancels it when `path` is empty.
inline void AnswerFileDialog(WindowFixture& window, const QString& name, const QString& path) {
    window.answerer.On(name, [path](QDialog* d) {
        ASSERT_NE(qobject_cast<QFileDialog*>(d), nullptr);
        if (path.isEmpty())
            return d->reject();
        qobject_cast<QFileDialog*>(d)->selectFile(path);
        d->accept(); // through QDialog: the file dialog's own accept is not public
    });
}

// Answers the Open road's dialogs: the diffusion conversion, `path` (or Cancel when empty),
// then TForm5, worked by `form5` if given and closed with the centre alignment.
inline void AnswerOpen(WindowFixture& window, const QString& path,
                       std::function<void(QDialog*)> form5 = {}) {
    window.answerer.On("ConvertForm", [](QDialog* d) {
        QTest::mouseClick(d->findChild<QRadioButton*>("RadioButton4"), Qt::LeftButton);
        QTest::mouseClick(d->findChild<QPushButton*>("Button1"), Qt::LeftButton);
    });
    AnswerFileDialog(window, "OpenDialog1", path);
    window.answerer.On("Form5", [form5](QDialog* d) {
        if (form5)
            form5(d);
        QTest::mouseClick(d->findChild<QPushButton*>("Button5"), Qt::LeftButton);
    });
}

// A white picture of `size` in the start directory, as `name`.
inline QString WhitePicture(const WindowFixture& window, QSize size = {100, 60},
                            const QString& name = "white.bmp") {
    const QString path = window.dir.File(name);
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(Qt::white);
    EXPECT_TRUE(picture.save(path, "BMP"));
    return path;
}

template <class W = QWidget>
W* Find(app::TMenuForm& form, const QString& name) {
    W* widget = form.centralWidget()->findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name.toStdString();
    return widget;
}

// A left click on the button of that name; on a radio button or check box, on its indicator.
inline void Click(app::TMenuForm& form, const QString& name) {
    auto* button = Find<QAbstractButton>(form, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

inline QString StatusLine(app::TMenuForm& form) {
    return Find<QPlainTextEdit>(form, "Memo1")->toPlainText().section('\n', 1, 1);
}

// The memo's lines the operator sees: those wholly inside its viewport, of an enabled memo
// (a disabled one is grey on grey).
inline QStringList VisibleStatus(app::TMenuForm& form) {
    auto* memo = Find<QPlainTextEdit>(form, "Memo1");
    QStringList lines;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next())
        if (memo->isEnabled() &&
            memo->viewport()->rect().contains(memo->cursorRect(QTextCursor(block))))
            lines << block.text();
    return lines;
}

// Command names and code bytes the controller saw from `from` on.
inline QStringList SentSince(const WindowFixture& window, size_t from) {
    QStringList sent;
    const auto& trace = window.controller.Trace();
    for (size_t i = from; i < trace.size(); ++i)
        sent << trace[i].name + " " +
                    QString::fromLatin1(trace[i].frame.left(4).toHex(' ').toUpper());
    return sent;
}

// What a person would see wrong in the layout of `root` as it is shown: a caption wider than
// its label or button, and floating panels of one parent lying over each other.
inline QStringList LayoutFaults(QWidget* root) {
    QStringList faults;
    const QList<QWidget*> widgets = root->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        if (!w->isVisible())
            continue;
        int needs = 0;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) {
            if (label->wordWrap() || label->text().isEmpty())
                continue;
            needs = label->sizeHint().width();
            text = label->text();
        } else if (auto* button = qobject_cast<QPushButton*>(w)) {
            // What the style adds to the caption, as a push button's size hint counts it.
            text = button->text();
            const QStyle* style = button->style();
            needs = button->fontMetrics().size(Qt::TextShowMnemonic, text).width() +
                    style->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button) +
                    2 * style->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, button);
        } else if (auto* other = qobject_cast<QAbstractButton*>(w)) {
            needs = other->sizeHint().width();
            text = other->text();
        }
        if (w->width() < needs)
            faults << QStringLiteral("%1 \"%2\": %3 px for %4")
                          .arg(w->objectName(), text)
                          .arg(w->width())
                          .arg(needs);
        if (!w->objectName().contains(QLatin1String("Panel")))
            continue;
        for (QWidget* other : widgets)
            if (other != w && other->isVisible() && other->parentWidget() == w->parentWidget() &&
                other->objectName().contains(QLatin1String("Panel")) &&
                w->objectName() < other->objectName() &&
                w->geometry().intersects(other->geometry()))
                faults << w->objectName() + " over " + other->objectName();
    }
    return faults;
}

} // namespace zeb::testing
