#pragma once
// The model behind every horizontal slider of the strike-level panels and dialogs. The window
// mirrors it with a real slider; the core moves it and listens to it. Like the sliders the
// operator knows, a position is clamped to the range whenever it is set, and the change is
// raised only when the position really moves, whoever moved it.

#include <QObject>

namespace zeb {

class TrackBar : public QObject {
    Q_OBJECT
public:
    // A slider of the design's default shape: range 0..10, position 0.
    TrackBar() = default;
    TrackBar(int min, int max, int position);

    int Min() const { return m_min; }
    int Max() const { return m_max; }
    int Position() const { return m_position; }
    bool Enabled() const { return m_enabled; }

    // Sets the range (min above max is taken as an empty range at min) and clamps the
    // position into it; a position that moves raises Changed. Set before the window binds.
    void SetRange(int min, int max);
    // Clamps to the range; raises Changed only when the position differs from the held one.
    void SetPosition(int position);
    void SetEnabled(bool enabled);

signals:
    // The position changed; handlers run before SetPosition returns.
    void Changed(int position);
    void EnabledChanged(bool enabled);

private:
    int m_min = 0;
    int m_max = 10;
    int m_position = 0;
    bool m_enabled = true;
};

} // namespace zeb
