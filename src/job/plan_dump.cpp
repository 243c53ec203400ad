#include "job/plan_dump.h"

#include "job/plan_format.h"
#include "text/text_catalogue.h"

#include <QDir>
#include <QFile>

#include <array>
#include <cstdio>

namespace zeb {

namespace {

constexpr int CellWidth = 4;
constexpr qsizetype ChunkBytes = 1 << 20;

// Greys are 0..255; their texts are made once instead of formatting every cell.
struct GreyTexts {
    std::array<std::array<char, CellWidth>, 256> text{};
    GreyTexts() {
        for (int v = 0; v < 256; ++v) {
            char cell[CellWidth + 1];
            std::snprintf(cell, sizeof cell, "%4d", v);
            std::copy_n(cell, CellWidth, text[static_cast<size_t>(v)].begin());
        }
    }
};

void AppendCell(QByteArray& out, qint32 value, const GreyTexts& greys) {
    if (value >= 0 && value < 256) {
        out.append(greys.text[static_cast<size_t>(value)].data(), CellWidth);
        return;
    }
    // Any other value keeps at least 4 characters and is never cut.
    char cell[16];
    const int length = std::snprintf(cell, sizeof cell, "%4d", value);
    out.append(cell, length);
}

Outcome WriteError(const QString& path, const QString& why) {
    return Outcome::Failed(TextCatalogue::BuiltIn(TextKey::JobFileNotWritten)
                               .arg(QDir::toNativeSeparators(path), why));
}

} // namespace

Result<qint64> WriteDotMapDump(const PictureMatrices& m, const QString& path) {
    static const GreyTexts greys;
    // Nobody reads the dump back, so it is written straight, without the flush to disk that
    // the plan gets: for a large picture it is by far the bigger file.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return WriteError(path, file.errorString());
    QByteArray chunk;
    chunk.reserve(ChunkBytes + (m.W + 2) * 16 + 2);
    chunk.append(PlanLineEnd);
    qint64 written = 0;
    for (int r = 0; r <= m.H + 1; ++r) {
        const qint32* row = m.DotMap.Row(r);
        for (int c = 0; c <= m.W + 1; ++c)
            AppendCell(chunk, row[c], greys);
        chunk.append(PlanLineEnd);
        if (chunk.size() >= ChunkBytes || r == m.H + 1) {
            if (file.write(chunk) != chunk.size())
                return WriteError(path, file.errorString());
            written += chunk.size();
            chunk.resize(0);
        }
    }
    file.close();
    if (file.error() != QFileDevice::NoError)
        return WriteError(path, file.errorString());
    return written;
}

} // namespace zeb
