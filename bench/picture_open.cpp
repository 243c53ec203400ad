// The Open of a photo: decode, matrices, fill, conversion, read-back; the conversion pass
// alone, per pixel; and the live preview of the tone controls on a 2-megapixel photo: the
// reduced copy made once per picture, then the dot picture of every change. Photos are made by
// `--make-photos DIR` (a 12- and a 2-megapixel JPEG with the grain and gradients of a real photo)
// and found through ZEB_BENCH_PHOTOS; the script bench/picture_open.sh runs it all beside an image
// tool's dither of the same files.
//
//   bench_picture_open --make-photos DIR
//   ZEB_BENCH_PHOTOS=DIR bench_picture_open [benchmark flags]
//   bench_picture_open --peak-open FILE combined|diffusion   peak memory of one Open
#include "bench_support.h"

#include "picture/halftone.h"
#include "picture/open_command.h"
#include "picture/picture_file.h"
#include "picture/tone_preview.h"

#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

using namespace zeb;

using bench::QuietOperator;

// Smooth light over the frame, a few soft shapes and sensor grain: enough detail that the
// JPEG is photo-sized and the dither has real work.
QImage SyntheticPhoto(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const double fx = double(x) / w;
            const double fy = double(y) / h;
            const double light = 0.5 + 0.35 * std::sin(fx * 5.1 + 0.7) * std::cos(fy * 3.7);
            const double dx = fx - 0.5;
            const double dy = fy - 0.45;
            const double face = std::exp(-(dx * dx * 9 + dy * dy * 6)) * 0.4;
            const double grain = ((seed >> 24) - 128) / 128.0 * 0.06;
            const double v = std::clamp(light + face + grain, 0.0, 1.0);
            const int r = int(v * 255);
            line[x] = qRgb(r, int(r * 0.85), int(r * 0.7));
        }
    }
    return image;
}

QString Photo(const char* name) {
    return QString::fromLocal8Bit(qgetenv("ZEB_BENCH_PHOTOS")) + "/" + name;
}

struct OpenRig {
    QuietOperator op;
    StandaloneOpen work{op};
};

// One Open of a new file: read and check it (the held matrices go), size and fill the new
// ones, convert, read back into the dot picture.
bool OpenOnce(OpenRig& s, const QString& path, bool combined) {
    s.work.picture.CombinedConversion = combined;
    if (!AdoptPictureFile(s.work.ctx, path))
        return false;
    PreparePicture(s.work.ctx);
    return true;
}

void BM_Open(benchmark::State& state, const char* file, bool combined) {
    OpenRig s;
    const QString path = Photo(file);
    if (!QFile::exists(path)) {
        state.SkipWithError("no photo: run with ZEB_BENCH_PHOTOS after --make-photos");
        return;
    }
    for (auto _ : state) {
        if (!OpenOnce(s, path, combined)) {
            state.SkipWithError(s.op.lastMessage.toStdString().c_str());
            return;
        }
        benchmark::DoNotOptimize(s.work.matrices.DotLevels.Row(0));
    }
    state.counters["pixels"] = double(s.work.matrices.W) * s.work.matrices.H;
}

void BM_Decode(benchmark::State& state, const char* file) {
    const QString path = Photo(file);
    for (auto _ : state) {
        QImageReader reader(path);
        reader.setAllocationLimit(0);
        QImage image = reader.read();
        if (image.isNull()) {
            state.SkipWithError("no photo");
            return;
        }
        benchmark::DoNotOptimize(image.constBits());
    }
}

// The pass alone over a 12-megapixel grey ramp with grain, per pixel.
void BM_ConversionPass(benchmark::State& state, bool combined) {
    const int w = 4000;
    const int h = 3000;
    QImage picture = SyntheticPhoto(w, h);
    ToneTables tables = StartupToneTables();
    const ConversionMode mode = combined ? ConversionMode::Combined : ConversionMode::Diffusion;
    PictureMatrices m;
    AllocatePictureMatrices(m, w, h, nullptr);
    for (auto _ : state) {
        state.PauseTiming();
        FillPictureMatrices(m, picture, tables, mode, nullptr);
        state.ResumeTiming();
        DiffusionPass(m, tables, mode, nullptr);
        benchmark::DoNotOptimize(m.DotLevels.Row(1));
    }
    state.counters["per_pixel"] = benchmark::Counter(
        double(w) * h, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The live preview's reduced copy of a 2-megapixel photo (made once per Open), for a preview
// of `bound.width() x bound.height()`; 0 x 0 takes the photo whole.
void BM_TonePreviewCopy(benchmark::State& state) {
    PictureState picture;
    picture.WorkPicture = SyntheticPhoto(1632, 1224);
    const QSize bound(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state) {
        TonePreview preview(picture, bound);
        benchmark::DoNotOptimize(preview.Size());
    }
}

// One change of a tone control: the dot picture of the reduced copy under new values.
void BM_TonePreviewChange(benchmark::State& state) {
    PictureState picture;
    picture.WorkPicture = SyntheticPhoto(1632, 1224);
    const QSize bound(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    TonePreview preview(picture, bound);
    const ToneTables tables = StartupToneTables();
    int black = 0;
    for (auto _ : state) {
        black = (black + 7) % 100; // every change a new value, as a slider moves
        const QImage dots =
            preview.DotPicture(ToneLevels{black, 230, 1.4, true}, ConversionMode::Combined, tables);
        benchmark::DoNotOptimize(dots.constBits());
    }
    state.SetLabel(QStringLiteral("%1 x %2 dots")
                       .arg(preview.Size().width())
                       .arg(preview.Size().height())
                       .toStdString());
}

BENCHMARK(BM_TonePreviewCopy)
    ->Args({800, 600})
    ->Args({0, 0})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TonePreviewChange)
    ->Args({800, 600})
    ->Args({1200, 900})
    ->Args({0, 0})
    ->ArgNames({"w", "h"})
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(BM_Decode, photo12, "photo12.jpg")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, photo12_combined, "photo12.jpg", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, photo12_diffusion, "photo12.jpg", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, photo2_combined, "photo2.jpg", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Open, photo2_diffusion, "photo2.jpg", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionPass, combined, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ConversionPass, diffusion, false)->Unit(benchmark::kMillisecond);

qint64 StatusKiB(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

int MakePhotos(const QString& dir) {
    const struct {
        const char* name;
        int w;
        int h;
    } photos[] = {{"photo12.jpg", 4000, 3000}, {"photo2.jpg", 1632, 1224}};
    for (const auto& p : photos) {
        if (!SyntheticPhoto(p.w, p.h).save(dir + "/" + p.name, "JPG", 90)) {
            std::fprintf(stderr, "cannot write %s\n", p.name);
            return 1;
        }
    }
    return 0;
}

int PeakOpen(const QString& path, bool combined) {
    OpenRig s;
    const qint64 before = StatusKiB("VmRSS:");
    if (!OpenOnce(s, path, combined)) {
        std::fprintf(stderr, "%s\n", s.op.lastMessage.toLocal8Bit().constData());
        return 1;
    }
    const qint64 peak = StatusKiB("VmHWM:");
    const double pixels = double(s.work.matrices.W) * s.work.matrices.H;
    std::printf("open %s (%s): %d x %d, rss before %lld KiB, peak %lld KiB, "
                "%.2f bytes per pixel above the start\n",
                path.toLocal8Bit().constData(), combined ? "combined" : "diffusion",
                s.work.matrices.W, s.work.matrices.H, before, peak,
                (peak - before) * 1024.0 / pixels);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc == 3 && std::strcmp(argv[1], "--make-photos") == 0)
        return MakePhotos(QString::fromLocal8Bit(argv[2]));
    if (argc == 4 && std::strcmp(argv[1], "--peak-open") == 0)
        return PeakOpen(QString::fromLocal8Bit(argv[2]), std::strcmp(argv[3], "combined") == 0);
    return bench::RunBenchmarks(argc, argv);
}
