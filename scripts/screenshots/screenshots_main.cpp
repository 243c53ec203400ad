// The README's pictures of the window, made anew from the program as it is: a picture opened,
// the engraving panels, a job under way. The window talks to the in-process virtual
// controller; scripts/screenshots.sh runs this under Xvfb so the real X style and fonts show.
#include "app/field_widget.h"
#include "app/menu_form.h"
#include "common/window_fixture.h"
#include "job/job_runner.h"
#include "job/plan_reader.h"
#include "job/session.h"
#include "picture/open_command.h"
#include "setup/strike_levels_helpers.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPainter>
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
    OpenCommandContext ctx = OpenContext(s);
    OpenCommandDialogs dialogs;
    const QString picture = WritePicture(window.dir.Path());
    dialogs.runOpenDialog = [picture] { return std::optional<QString>(picture); };
    if (!OpenPicture(ctx, dialogs))
        return 1;
    form.Image1()->ImageChanged();
    bool ok = Shoot(form, out + QStringLiteral("/after-open.png"));

    s.Levels.FirstPassLevels = Forces(40, 30, 20, 10);
    s.Levels.SecondPassLevels = Forces(16, 12, 8, 4);
    form.Item("Print1")->trigger();
    form.centralWidget()->findChild<QCheckBox*>("SecondWork")->click();
    ok = Shoot(form, out + QStringLiteral("/engraving-panels.png")) && ok;

    // A third of the first pass, then the picture of the job under way.
    form.centralWidget()->findChild<QPushButton*>("Button17")->click();
    form.Timers().Stop(TimerId::Optimizing);
    const Result<std::vector<PlanLine>> plan = ReadPlan(window.dir.File("123123123.txt"));
    const size_t lines = plan ? plan->size() / 3 : 0;
    for (size_t i = 0; i < lines; ++i)
        RunNextPlanLine(s);
    ok = Shoot(form, out + QStringLiteral("/job-under-way.png")) && ok;
    return ok ? 0 : 1;
}
