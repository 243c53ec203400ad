#pragma once
// Dot images for the planner's tests, laid out by hand as the converter lays them out:
// picture pixel (x, y) has its grey at DotMap[y + 1][x + 1] and its dot level at
// DotLevels[y + 1][x + 2], which the planner sees as cell (row y + 1, column x + 1).
// Grid characters, one per pixel: '.' black, no dot; '0'..'4' not black, dot level 0, 64,
// 128, 192, 255; '#' black with a dot of level 255 (error diffusion can leave one).

#include "picture/matrices.h"

#include <QByteArray>
#include <QFile>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zeb::testing {

// An all-black picture of w x h pixels with its matrices allocated as the Open command does.
inline PictureMatrices BlackPicture(int w, int h) {
    PictureMatrices m;
    m.W = w;
    m.H = h;
    m.DotMap.Resize(h + 4, w + 4);
    m.DotLevels.Resize(h + 4, w + 4);
    m.PlanMask.Resize(h + 5, w + 5);
    return m;
}

// Sets the pixel that the planner sees as cell (row, col); `ch` as in the grids.
inline void SetCell(PictureMatrices& m, int row, int col, char ch) {
    static const double levels[] = {0, 64, 128, 192, 255};
    if (ch == '.')
        return;
    ASSERT_TRUE(ch == '#' || (ch >= '0' && ch <= '4')) << "no such grid character: " << int(ch);
    m.DotMap.At(row, col) = ch == '#' ? 0 : 200;
    m.DotLevels.At(row, col + 1) = ch == '#' ? 255 : levels[ch - '0'];
}

// Cells (row, from..to) of one row, all with the same character.
inline void SetRun(PictureMatrices& m, int row, int from, int to, char ch) {
    for (int c = from; c <= to; ++c)
        SetCell(m, row, c, ch);
}

// A picture from text rows of one width; grid character (i, j) becomes cell (i + 1, j + 1).
inline PictureMatrices GridPicture(const std::vector<std::string>& rows) {
    const int w = rows.empty() ? 0 : static_cast<int>(rows.front().size());
    PictureMatrices m = BlackPicture(w, static_cast<int>(rows.size()));
    for (int i = 0; i < m.H; ++i) {
        const std::string& row = rows[static_cast<size_t>(i)];
        EXPECT_EQ(static_cast<int>(row.size()), w) << "grid row " << i;
        for (int j = 0; j < w && j < static_cast<int>(row.size()); ++j)
            SetCell(m, i + 1, j + 1, row[static_cast<size_t>(j)]);
    }
    return m;
}

// Plan texts are spelled line by line in the tests; this joins them as the file holds them.
inline QByteArray PlanLines(const std::vector<std::string>& lines) {
    QByteArray text;
    for (const auto& line : lines)
        text += QByteArray::fromStdString(line) + "\r\n";
    return text;
}

inline std::string ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "(missing)";
}

inline void WriteAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace zeb::testing
