#pragma once
// The Open command ("Открыть") and the Save command ("Сохранить") without their dialogs: the
// window hands in the dialogs as callbacks, so zeb-cli and the tests run the same road. Open
// asks for the conversion, the file, the resolution and the alignment; fills the matrices from
// the picture; converts it to the dot picture; redraws the work field; and sets the motor speed.

#include "link/device.h"
#include "link/link_state.h"
#include "link/operator.h"
#include "picture/matrices.h"
#include "picture/picture_state.h"
#include "picture/placement.h"
#include "picture/tone_tables.h"

#include <QString>

#include <functional>
#include <optional>

namespace zeb {

// The conversion dialog's Ok: the combined conversion or the diffusion one. Closing the
// dialog any other way leaves the choice as it was.
void ChooseConversion(PictureState& picture, bool combined);

struct OpenCommandContext {
    Operator& op;
    ToneTables& tables;
    PictureState& picture;
    PictureMatrices& matrices;
    Placement& placement;
    const qint32& resolutionIndex; // the setting TForm5 changes
    FieldView& view;
    MachineState& machine;
    Device* device = nullptr; // the motor speed is sent when it is there and the link is up
    PictureStatusTexts texts{};
    // Memory the process may still take; empty for the system's own figure.
    std::function<qint64()> availableMemory{};
    // A place that wins over the alignment: an unfinished job's.
    std::optional<QPoint> pinnedPlace{};
};

// Everything one Open needs when no window holds it (zeb-cli, measurements): the tables
// fresh as after the program's start, nothing held before.
struct StandaloneOpen {
    explicit StandaloneOpen(Operator& op)
        : ctx{op, tables, picture, matrices, placement, resolution, view, machine} {}
    ToneTables tables = StartupToneTables();
    PictureState picture;
    PictureMatrices matrices;
    Placement placement;
    qint32 resolution = 0;
    FieldView view;
    MachineState machine;
    OpenCommandContext ctx;
};

struct OpenCommandDialogs {
    // TConvertForm, modal; its Ok button calls ChooseConversion.
    std::function<void()> showConvertForm;
    // OpenDialog1 with every picture format: the confirmed file, or nothing when cancelled.
    std::function<std::optional<QString>()> runOpenDialog;
    // TForm5, modal: ChooseResolution / ConfirmPortraitProperties / ChooseAlignment.
    std::function<void()> showForm5;
    std::function<void(const QString&)> setCaption;
    // The self-test menu entry becomes usable once a picture was opened.
    std::function<void()> enableSelfTesting;
};

// The whole Open command: a new picture converted, or the one held converted again after a
// cancelled or missing file. Not done, with the message naming the file, when the file could
// not be read: nothing held changed then.
Outcome OpenPicture(OpenCommandContext& ctx, const OpenCommandDialogs& dialogs);

// Reads a file for the Open command. When it cannot be taken, the message says why and nothing
// held is touched; otherwise the picture replaces WorkPicture, PicturePath is set and the
// matrices are released, so the new picture starts from zeroed ones and the old ones no longer
// take memory.
Outcome AdoptPictureFile(OpenCommandContext& ctx, const QString& path);

// Steps 3 to 7 of Open: tool position 0, 0; the matrices sized for WorkPicture (gauge), filled
// through the tone controls (PictureState::Tone) and the curve of the chosen conversion,
// converted; WorkPicture becomes the dot picture.
void PreparePicture(OpenCommandContext& ctx);

// "Сохранить": writes WorkPicture as a 24-bit Windows bitmap under the name the save dialog
// gives; nothing when it was cancelled.
Outcome SaveDotPictureAs(const PictureState& picture,
                         const std::function<std::optional<QString>()>& runSaveDialog);

} // namespace zeb
