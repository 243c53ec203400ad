// BuildPlan on portraits of 1, 4 and 12 megapixels, both passes, including the dump and the
// plan file; and the preview of the same job in memory against it. The portrait is drawn here
// (a lit face on a dark ground with black corners, dark hair with holes, fine noise) and
// converted by the program's own halftone conversion, so the areas, holes and run lengths are
// those a photo gives.
//
// Counters: ns_per_pixel (of W x H), plan_MB and dump_MB (file sizes), areas (seeds worked);
// for the preview the share of each step: plan_ms (the plan text), walk_ms (strike lines,
// counts, path, clock), picture_ms (the picture of the struck dots).

#include "bench_support.h"

#include "job/plan_builder.h"
#include "job/plan_preview.h"
#include "picture/halftone.h"
#include "picture/tone_tables.h"

#include <QImage>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>

namespace {

using zeb::bench::QuietOperator;

// A deterministic hash noise in 0..1.
double Noise(int x, int y) {
    unsigned h = static_cast<unsigned>(x) * 374761393u + static_cast<unsigned>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
}

QImage Portrait(int w, int h) {
    QImage image(w, h, QImage::Format_Grayscale8);
    const double cx = w * 0.5;
    const double cy = h * 0.45;
    for (int y = 0; y < h; ++y) {
        uchar* line = image.scanLine(y);
        for (int x = 0; x < w; ++x) {
            const double fx = (x - cx) / (w * 0.28);
            const double fy = (y - cy) / (h * 0.30);
            const double face = fx * fx + fy * fy;
            const double noise = Noise(x, y);
            double grey;
            if (face < 1.0) {
                // Lit from the upper left, with some skin texture.
                grey = 200 - 60 * fx - 40 * fy - 50 * face + 20 * (noise - 0.5);
            } else if (fy < -0.2 && face < 1.6) {
                // Hair: dark, with black strands.
                grey = noise < 0.3 ? 0 : 30 * noise;
            } else {
                // Background: a dim gradient that is black towards the corners.
                const double corner = std::hypot((x - cx) / w, (y - cy) / h);
                grey = std::max(0.0, 90 - 220 * corner + 25 * (noise - 0.5));
            }
            line[x] = static_cast<uchar>(std::clamp(grey, 0.0, 255.0));
        }
    }
    return image;
}

// The converted matrices of one portrait size, made once per process.
const zeb::PictureMatrices& ConvertedPortrait(int megapixels) {
    static std::map<int, std::unique_ptr<zeb::PictureMatrices>> cache;
    auto& slot = cache[megapixels];
    if (!slot) {
        const double pixels = megapixels * 1e6;
        const int w = static_cast<int>(std::sqrt(pixels * 3 / 4));
        const int h = static_cast<int>(pixels / w);
        QImage picture = Portrait(w, h);
        zeb::ToneTables tables = zeb::StartupToneTables();
        slot = std::make_unique<zeb::PictureMatrices>();
        const auto mode = zeb::ConversionMode::Combined;
        zeb::AllocatePictureMatrices(*slot, w, h, nullptr);
        zeb::FillPictureMatrices(*slot, picture, tables, mode, nullptr);
        zeb::DiffusionPass(*slot, tables, mode, nullptr);
        zeb::ClearPassMargins(*slot, mode);
        zeb::ReadBackDots(*slot, picture, mode, nullptr);
    }
    return *slot;
}

void BuildPlanOnPortrait(benchmark::State& state) {
    const int megapixels = static_cast<int>(state.range(0));
    const auto pass = state.range(1) == 1 ? zeb::PassMode::OneSided : zeb::PassMode::TwoSided;
    const zeb::PictureMatrices& portrait = ConvertedPortrait(megapixels);
    QTemporaryDir dir;
    QuietOperator op;
    zeb::PlanFiles files;
    double planningNs = 0;
    for (auto _ : state) {
        state.PauseTiming();
        zeb::PictureMatrices matrices = portrait; // the planner marks the levels it emits
        state.ResumeTiming();
        const zeb::bench::Stopwatch watch;
        const zeb::Result<zeb::PlanFiles> planned = zeb::BuildPlan(matrices, dir.path(), pass, op);
        planningNs += watch.Seconds() * 1e9;
        if (!planned) {
            state.SkipWithError(planned.Message().toStdString().c_str());
            return;
        }
        files = *planned;
    }
    const double pixels = static_cast<double>(portrait.W) * portrait.H;
    state.counters["ns_per_pixel"] =
        planningNs / (pixels * static_cast<double>(state.iterations()));
    state.counters["plan_MB"] = files.planBytes / 1e6;
    state.counters["dump_MB"] = files.dumpBytes / 1e6;
    state.counters["areas"] = files.areas;
    state.SetLabel(QStringLiteral("%1 x %2 %3")
                       .arg(portrait.W)
                       .arg(portrait.H)
                       .arg(pass == zeb::PassMode::OneSided ? "one-sided" : "two-sided")
                       .toStdString());
}

// What the preview of a one-pass job does on "Предпросмотр": the plan text in memory, the walk
// over it, the picture. Nothing is marked, so the matrices need no fresh copy per run.
void PreviewOnPortrait(benchmark::State& state) {
    const int megapixels = static_cast<int>(state.range(0));
    zeb::PictureMatrices matrices = ConvertedPortrait(megapixels);
    QuietOperator op;
    zeb::EstimateInputs inputs;
    inputs.machine.MotorSpeedScale = 16;
    inputs.machine.ColumnTime = {527, 763, 700, 650, 600};
    inputs.linkTime = 400;
    inputs.deviceReady = true;
    double planMs = 0;
    double walkMs = 0;
    double pictureMs = 0;
    std::size_t strikeLines = 0;
    for (auto _ : state) {
        const zeb::bench::Stopwatch plan;
        const zeb::Result<zeb::PlanText> text =
            zeb::BuildPlanText(matrices, zeb::PassMode::TwoSided, &op);
        planMs += plan.Seconds() * 1e3;
        if (!text) {
            state.SkipWithError("no plan");
            break;
        }
        const zeb::bench::Stopwatch walk;
        const zeb::Result<zeb::JobPreview> preview =
            zeb::PreviewPlan(text->text, {inputs}, QStringLiteral("bench"));
        walkMs += walk.Seconds() * 1e3;
        if (!preview) {
            state.SkipWithError("no preview");
            break;
        }
        const zeb::bench::Stopwatch draw;
        const QImage picture = zeb::PreviewPicture(*preview);
        pictureMs += draw.Seconds() * 1e3;
        if (picture.isNull())
            state.SkipWithError("no picture");
        strikeLines = preview->lines.size();
        benchmark::DoNotOptimize(picture.constBits());
    }
    const double runs = static_cast<double>(state.iterations());
    const double pixels = static_cast<double>(matrices.W) * matrices.H;
    state.counters["ns_per_pixel"] = (planMs + walkMs + pictureMs) * 1e6 / (pixels * runs);
    state.counters["plan_ms"] = planMs / runs;
    state.counters["walk_ms"] = walkMs / runs;
    state.counters["picture_ms"] = pictureMs / runs;
    state.counters["strike_lines"] = static_cast<double>(strikeLines);
    state.SetLabel(
        QStringLiteral("%1 x %2 two-sided").arg(matrices.W).arg(matrices.H).toStdString());
}

BENCHMARK(PreviewOnPortrait)
    ->Arg(1)
    ->Arg(4)
    ->Arg(12)
    ->ArgName("MP")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

BENCHMARK(BuildPlanOnPortrait)
    ->ArgsProduct({{1, 4, 12}, {0, 1}})
    ->ArgNames({"MP", "one_sided"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MinTime(1.0);

} // namespace

BENCHMARK_MAIN();
