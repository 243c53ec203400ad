// The README's pictures of the window, made anew from the program as it is: a picture opened,
// the engraving panels, a job under way. The window talks to the in-process virtual
// controller; scripts/screenshots.sh runs this under Xvfb so the real X style and fonts show.
#include "app/field_widget.h"
#include "app/menu_form.h"
#include "common/window_fixture.h"
#include "job/session.h"
#include "setup/strike_levels_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadialGradient>
#include <QTest>

#include <cstdio>

namespace {

using namespace zeb;

// A portrait-like picture: a lit sphere on a dark ground with a line of lettering.
QString WritePicture(const QString& dir) {
    QImage image(360, 270, QImage::Format_RGB32);
    image.fill(QColor(20, 20, 20));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(150, 95), 120, QPointF(120, 70));
    light.setColorAt(0, Qt::white);
    light.setColorAt(1, QColor(40, 40, 40));
    painter.setBrush(light);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QPointF(180, 120), 100, 100);
    painter.setPen(Qt::white);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 22, QFont::Bold));
    painter.drawText(QRect(0, 225, 360, 40), Qt::AlignCenter, QStringLiteral("ZEB"));
    painter.end();
    const QString path = dir + QStringLiteral("/sphere.bmp");
    image.save(path, "BMP");
    return path;
}

bool Shoot(QWidget& window, const QString& path) {
    QTest::qWait(200); // let the window paint what it was told
    const bool saved = window.grab().save(path, "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: zeb-screenshots OUTPUT-DIRECTORY\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(out);

    testing::WindowFixture window;
    app::TMenuForm& form = *window.form;
    Session& s = form.State();
    form.resize(1100, 760);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        return 1;
    // "Открыть" as an operator goes through it: the file, the conversion, the resolution
    // dialog's centre alignment.
    const QString picture = WritePicture(window.dir.Path());
    window.answerer.On("OpenDialog1", [&picture](QDialog* d) {
        qobject_cast<QFileDialog*>(d)->selectFile(picture);
        d->accept();
    });
    window.answerer.On("ConvertForm",
                       [](QDialog* d) { d->findChild<QPushButton*>("Button1")->click(); });
    window.answerer.On("Form5", [](QDialog* d) { d->findChild<QPushButton*>("Button5")->click(); });
    form.Item("Open")->trigger();
    if (s.Picture.PicturePath.isEmpty())
        return 1;
    bool ok = Shoot(form, out + QStringLiteral("/after-open.png"));

    s.Levels.FirstPassLevels = Forces(40, 30, 20, 10);
    s.Levels.SecondPassLevels = Forces(16, 12, 8, 4);
    form.Item("Print1")->trigger();
    form.centralWidget()->findChild<QCheckBox*>("SecondWork")->click();
    ok = Shoot(form, out + QStringLiteral("/engraving-panels.png")) && ok;

    // A third of the way, as the gauge counts it.
    form.centralWidget()->findChild<QPushButton*>("Button17")->click();
    auto* gauge = form.findChild<QProgressBar*>();
    if (!gauge ||
        !QTest::qWaitFor([gauge] { return gauge->value() * 3 >= gauge->maximum(); }, 60000))
        return 1;
    form.Timers().Stop(TimerId::Optimizing);
    ok = Shoot(form, out + QStringLiteral("/job-under-way.png")) && ok;
    return ok ? 0 : 1;
}
