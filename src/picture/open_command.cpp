#include "picture/open_command.h"

#include "picture/halftone.h"
#include "picture/picture_file.h"
#include "text/text_catalogue.h"

#include <QFileInfo>

#include <limits>

namespace zeb {

namespace {

qint64 HeldMatrixBytes(const PictureMatrices& m) {
    const auto cells = [](const auto& matrix) {
        return static_cast<qint64>(matrix.Rows()) * matrix.Cols();
    };
    return cells(m.DotMap) * qint64(sizeof(qint32)) + cells(m.DotLevels) * qint64(sizeof(double)) +
           cells(m.PlanMask) * qint64(sizeof(qint32));
}

qint64 SaturatingAdd(qint64 a, qint64 b) {
    return a > std::numeric_limits<qint64>::max() - b ? std::numeric_limits<qint64>::max() : a + b;
}

} // namespace

void ChooseConversion(PictureState& picture, bool combined) {
    picture.CombinedConversion = combined;
}

Outcome AdoptPictureFile(OpenCommandContext& ctx, const QString& path) {
    // The held matrices are released before the new ones are sized, so they count as free.
    const qint64 available =
        SaturatingAdd(ctx.availableMemory ? ctx.availableMemory() : SystemAvailableMemory(),
                      HeldMatrixBytes(ctx.matrices));
    QImage inverted;
    Result<QImage> loaded = LoadPictureFile(path, available, &inverted);
    if (!loaded)
        return loaded.AsOutcome();
    ctx.picture.WorkPicture = std::move(loaded.Value());
    ctx.picture.InvertedOverBlack = std::move(inverted);
    ctx.picture.PicturePath = path;
    // A new picture starts from zeroed matrices. The planner's mask goes too: it holds nothing
    // of the new picture, and keeping it would raise the memory peak of the Open.
    ctx.matrices.DotMap.Release();
    ctx.matrices.DotLevels.Release();
    ctx.matrices.PlanMask.Release();
    return Outcome::Done();
}

void PreparePicture(OpenCommandContext& ctx) {
    ctx.machine.CurrentCol = 0;
    ctx.machine.CurrentRow = 0;
    QImage& picture = ctx.picture.WorkPicture;
    // A picture put in place without AdoptPictureFile keeps its transparent ground unstruck
    // under invert too.
    NormalizePictureFormat(picture,
                           picture.hasAlphaChannel() ? &ctx.picture.InvertedOverBlack : nullptr);
    const int w = picture.width();
    const int h = picture.height();
    AllocatePictureMatrices(ctx.matrices, w, h, &ctx.op);
    ctx.op.ShowStatus(ctx.texts.Preparing);
    ctx.op.SetProgress(0, h);
    const ConversionMode mode = ctx.picture.Mode();
    const ToneSource tone = ToneSourceFor(ctx.picture.Tone, picture, ctx.picture.InvertedOverBlack);
    FillPictureMatrices(ctx.matrices, *tone.pixels, ctx.tables, mode, &ctx.op, tone.map);
    // From here the held picture becomes the dot picture, which has no transparent parts.
    ctx.picture.InvertedOverBlack = QImage();
    ConvertPicture(ctx.matrices, picture, ctx.tables, mode, ctx.op, ctx.texts);
}

Outcome OpenPicture(OpenCommandContext& ctx, const OpenCommandDialogs& dialogs) {
    if (dialogs.showConvertForm)
        dialogs.showConvertForm();
    const std::optional<QString> path =
        dialogs.runOpenDialog ? dialogs.runOpenDialog() : std::nullopt;
    if (path && QFileInfo::exists(*path)) {
        if (dialogs.setCaption)
            dialogs.setCaption(TextCatalogue::BuiltIn(TextKey::PictureOpenCaption));
        ctx.op.ShowStatus(ctx.texts.Loading);
        if (Outcome adopted = AdoptPictureFile(ctx, *path); !adopted)
            return adopted;
        if (dialogs.showForm5)
            dialogs.showForm5();
        if (dialogs.enableSelfTesting)
            dialogs.enableSelfTesting();
    }
    PreparePicture(ctx);
    RedrawWorkField(ctx.view, ctx.placement, ctx.picture.WorkPicture, ctx.resolutionIndex,
                    ctx.pinnedPlace);
    if (ctx.device && ctx.device->Link().DeviceReady)
        ctx.device->SetMotorSpeed(ctx.device->Machine().MotorSpeed);
    return Outcome::Done();
}

Outcome SaveDotPictureAs(const PictureState& picture,
                         const std::function<std::optional<QString>()>& runSaveDialog) {
    const std::optional<QString> path = runSaveDialog ? runSaveDialog() : std::nullopt;
    if (!path)
        return Outcome::Done();
    return SaveDotPicture(picture.WorkPicture, *path);
}

} // namespace zeb
