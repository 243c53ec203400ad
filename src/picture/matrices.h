#pragma once
// The picture matrices of one opened picture, W x H pixels: the grey map, the tone / dot map
// and the planner's working mask. Owned by the session, re-sized on every Open.

#include "picture/zeroed_allocator.h"

#include <QtGlobal>

#include <algorithm>
#include <vector>

namespace zeb {

// A dense row-major matrix. Resize keeps the values that already existed and zeroes new
// cells, as the picture road relies on when a cancelled Open converts the held picture again.
template <class T>
class Matrix {
public:
    int Rows() const { return m_rows; }
    int Cols() const { return m_cols; }
    bool Empty() const { return m_rows == 0 || m_cols == 0; }

    T* Row(int r) { return m_data.data() + static_cast<size_t>(r) * m_cols; }
    const T* Row(int r) const { return m_data.data() + static_cast<size_t>(r) * m_cols; }
    T& At(int r, int c) { return m_data[static_cast<size_t>(r) * m_cols + c]; }
    const T& At(int r, int c) const { return m_data[static_cast<size_t>(r) * m_cols + c]; }
    bool Inside(int r, int c) const { return r >= 0 && c >= 0 && r < m_rows && c < m_cols; }

    void Resize(int rows, int cols) {
        if (rows == m_rows && cols == m_cols)
            return;
        std::vector<T, ZeroedAllocator<T>> data(static_cast<size_t>(rows) * cols);
        const int keepRows = std::min(rows, m_rows);
        const int keepCols = std::min(cols, m_cols);
        for (int r = 0; r < keepRows; ++r)
            std::copy_n(Row(r), keepCols, data.data() + static_cast<size_t>(r) * cols);
        m_data = std::move(data);
        m_rows = rows;
        m_cols = cols;
    }
    void Release() {
        m_data.clear();
        m_data.shrink_to_fit();
        m_rows = m_cols = 0;
    }
    void Fill(T value) { std::fill(m_data.begin(), m_data.end(), value); }

private:
    std::vector<T, ZeroedAllocator<T>> m_data;
    int m_rows = 0;
    int m_cols = 0;
};

struct PictureMatrices {
    int W = 0; // picture width in pixels
    int H = 0; // picture height in pixels
    // Grey of picture pixel (x, y) at [y + 1][x + 1]; (H + 4) x (W + 4).
    Matrix<qint32> DotMap;
    // Tones before the conversion, the dot image after it; (H + 4) x (W + 4). The dot of
    // cell (r, c) is at [r][c + 1].
    Matrix<double> DotLevels;
    // The planner's working marks; (H + 5) x (W + 5).
    Matrix<qint32> PlanMask;
};

} // namespace zeb
