#include "setup/track_bar.h"

#include <algorithm>

namespace zeb {

TrackBar::TrackBar(int min, int max, int position)
    : m_min(min), m_max(std::max(min, max)), m_position(std::clamp(position, m_min, m_max)) {}

void TrackBar::SetRange(int min, int max) {
    m_min = min;
    m_max = std::max(min, max);
    SetPosition(m_position);
}

void TrackBar::SetPosition(int position) {
    position = std::clamp(position, m_min, m_max);
    if (position == m_position)
        return;
    m_position = position;
    emit Changed(m_position);
}

void TrackBar::SetEnabled(bool enabled) {
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    emit EnabledChanged(m_enabled);
}

} // namespace zeb
