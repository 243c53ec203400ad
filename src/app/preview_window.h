#pragma once
// "Предпросмотр работы": what the job "Работа" would start now will strike, before anything
// is sent. The struck dots in a view that zooms and pans; beside it the dots per level and
// pass, the strike lines, the estimated duration, and a slider that replays the strike order
// (the lines struck up to it, the head's path as thin lines), so the operator sees where the
// hours go. It only shows; the preview itself is built by the caller.

#include "job/plan_preview.h"
#include "text/text_catalogue.h"

#include <QDateTime>
#include <QDialog>
#include <QPolygonF>

class QLabel;
class QSlider;
class QTableWidget;

namespace zeb::app {

class PreviewView;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    explicit PreviewWindow(const TextCatalogue& texts, QWidget* parent = nullptr);

    // Shows `preview` (which must be Ok) with `picture`, its PreviewPicture, estimated from
    // `now`, with the replay at its end and the picture fitted to the window.
    void ShowPreview(JobPreview preview, QImage picture, const QDateTime& now);

    // The replay stands after this many strike lines.
    void ReplayTo(int lines);

private:
    void ShowCounts();
    void ShowReplayText(int lines);

    const TextCatalogue& m_texts;
    JobPreview m_preview;
    QPolygonF m_path;
    std::size_t m_drawnLines = 0; // lines drawn into the view's picture
    PreviewView* m_view;
    QTableWidget* m_counts;
    QLabel* m_offField;
    QLabel* m_duration;
    QSlider* m_replay;
    QLabel* m_replayText;
};

// A duration of `units` (10 us) as hours:minutes:seconds, hours beyond a day counted on.
QString ClockText(qint64 units);

} // namespace zeb::app
