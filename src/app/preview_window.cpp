#include "app/preview_window.h"

#include "app/preview_view.h"
#include "app/widgets.h"
#include "app/window_texts.h"
#include "job/estimate.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

namespace zeb::app {

namespace {

constexpr qint64 UnitsPerSecond = 100'000;
constexpr int SidebarWidth = 300;
// The brightness levels of strike digits 4..1, strongest first as on the panels.
const char* const LevelRows[4] = {"«32»", "«24»", "«16»", "«8»"};
constexpr int TotalRow = 4;
constexpr int LinesRow = 5;
constexpr int TimeRow = 6;

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    item->setFlags(Qt::ItemIsEnabled);
    return item;
}

} // namespace

QString ClockText(qint64 units) {
    const qint64 seconds = units / UnitsPerSecond;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

PreviewWindow::PreviewWindow(const TextCatalogue& texts, QWidget* parent)
    : QDialog(parent), m_texts(texts) {
    setObjectName("PreviewWindow");
    setWindowTitle(texts.Text(TextKey::PreviewTitle));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::WindowMaximizeButtonHint);
    resize(1000, 700);
    auto* layout = new QHBoxLayout(this);
    m_view = new PreviewView(this);
    layout->addWidget(m_view, 1);

    auto* side = new QVBoxLayout;
    layout->addLayout(side);
    auto* zoom = new QHBoxLayout;
    auto* fit = MakeButton(this, "FitButton", texts.Text(TextKey::PreviewFit));
    auto* actual = MakeButton(this, "ActualSizeButton", QStringLiteral("1:1"));
    connect(fit, &QPushButton::clicked, m_view, &PreviewView::FitToWindow);
    connect(actual, &QPushButton::clicked, m_view, &PreviewView::ActualSize);
    zoom->addWidget(fit);
    zoom->addWidget(actual);
    side->addLayout(zoom);

    m_counts = Named(new QTableWidget(7, 1, this), "PreviewCounts");
    m_counts->setFixedWidth(SidebarWidth);
    m_counts->setSelectionMode(QAbstractItemView::NoSelection);
    m_counts->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_counts->setFocusPolicy(Qt::NoFocus);
    m_counts->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QStringList rows;
    for (const char* level : LevelRows)
        rows << texts.Text(TextKey::PreviewDotsOfLevel).arg(QString::fromUtf8(level));
    rows << texts.Text(TextKey::PreviewAllDots) << texts.Text(TextKey::PreviewStrikeLines)
         << texts.Text(TextKey::PreviewTime);
    m_counts->setVerticalHeaderLabels(rows);
    m_counts->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    side->addWidget(m_counts);

    m_offField = MakeLabel(this, "PreviewOffField", QString());
    m_offField->setWordWrap(true);
    m_offField->setStyleSheet(QStringLiteral("color: #b00000"));
    side->addWidget(m_offField);
    m_duration = MakeLabel(this, "PreviewDuration", QString());
    m_duration->setFont(Bold(m_duration->font()));
    side->addWidget(m_duration);

    side->addSpacing(12);
    side->addWidget(MakeLabel(this, "ReplayHeading", texts.Text(TextKey::PreviewReplayHeading)));
    m_replay = Named(new QSlider(Qt::Horizontal, this), "ReplaySlider");
    connect(m_replay, &QSlider::valueChanged, this, &PreviewWindow::ReplayTo);
    side->addWidget(m_replay);
    m_replayText = MakeLabel(this, "ReplayText", QString());
    m_replayText->setWordWrap(true);
    side->addWidget(m_replayText);
    side->addStretch(1);
    auto* close = MakeButton(this, "CloseButton", texts.Text(TextKey::PreviewClose));
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    side->addWidget(close);
}

void PreviewWindow::ShowPreview(JobPreview preview, QImage picture, const QDateTime& now) {
    m_preview = std::move(preview);
    m_path = PathPolygon(m_preview.path);
    m_drawnLines = m_preview.lines.size();
    m_view->SetPicture(std::move(picture), true);
    ShowCounts();
    const qint64 offField = m_preview.offField;
    m_offField->setText(offField > 0 ? m_texts.Text(TextKey::PreviewOffField).arg(offField)
                                     : QString());
    m_offField->setVisible(offField > 0);
    m_duration->setText(WithCaption(DurationTextsFor(m_preview.units, now).duration, m_texts, 0));
    const int lines = static_cast<int>(m_preview.lines.size());
    const QSignalBlocker quiet(m_replay);
    m_replay->setRange(0, lines);
    m_replay->setPageStep(std::max(1, lines / 20));
    m_replay->setValue(lines);
    m_view->SetPath(m_path, m_path.size());
    ShowReplayText(lines);
}

void PreviewWindow::ShowCounts() {
    const auto& passes = m_preview.passes;
    m_counts->setColumnCount(static_cast<int>(passes.size()));
    QStringList columns;
    for (std::size_t pass = 0; pass < passes.size(); ++pass) {
        const PassPreview& counts = passes[pass];
        const int column = static_cast<int>(pass);
        columns << m_texts.Text(TextKey::PreviewPass).arg(pass + 1);
        qint64 total = 0;
        for (int row = 0; row < 4; ++row) {
            const qint64 dots = counts.dots[static_cast<std::size_t>(4 - row)];
            total += dots;
            m_counts->setItem(row, column, Cell(QString::number(dots)));
        }
        m_counts->setItem(TotalRow, column, Cell(QString::number(total)));
        m_counts->setItem(LinesRow, column, Cell(QString::number(counts.strikeLines)));
        m_counts->setItem(TimeRow, column, Cell(ClockText(counts.units)));
    }
    m_counts->setHorizontalHeaderLabels(columns);
    // Every row in sight, without a scroll bar.
    m_counts->setFixedHeight(m_counts->horizontalHeader()->sizeHint().height() +
                             m_counts->verticalHeader()->length() + 2 * m_counts->frameWidth());
}

void PreviewWindow::ReplayTo(int lines) {
    const std::size_t target =
        std::min(static_cast<std::size_t>(std::max(lines, 0)), m_preview.lines.size());
    QImage picture = m_view->TakePicture();
    if (target < m_drawnLines) {
        picture = NewStrikePicture(m_preview.frame);
        m_drawnLines = 0;
    }
    if (!picture.isNull())
        DrawPreviewLines(picture, m_preview, m_drawnLines, target);
    m_drawnLines = target;
    m_view->SetPicture(std::move(picture), false);
    // The head's path up to the end of the last line struck; the whole of it at the end.
    qsizetype pathPoints = m_path.size();
    if (target < m_preview.lines.size())
        pathPoints =
            target == 0 ? 1 : static_cast<qsizetype>(m_preview.lines[target - 1].pathEnd) + 1;
    m_view->SetPath(m_path, pathPoints);
    ShowReplayText(static_cast<int>(target));
}

void PreviewWindow::ShowReplayText(int lines) {
    const auto count = static_cast<std::size_t>(lines);
    const qint64 done = count == 0                        ? 0
                        : count >= m_preview.lines.size() ? m_preview.units
                                                          : m_preview.lines[count - 1].doneUnits;
    QString text = m_texts.Text(TextKey::PreviewReplayed)
                       .arg(lines)
                       .arg(m_preview.lines.size())
                       .arg(ClockText(done), ClockText(m_preview.units));
    if (count > 0 && count <= m_preview.lines.size()) {
        const PreviewLine& last = m_preview.lines[count - 1];
        text +=
            QLatin1Char('\n') + m_texts.Text(TextKey::PreviewLastLine).arg(last.pass).arg(last.row);
    }
    m_replayText->setText(text);
}

} // namespace zeb::app
