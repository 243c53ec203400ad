#pragma once
// The picture the operator has opened: the working bitmap, where it came from and which
// conversion it goes through. Owned by the main window (or zeb-cli) for the whole run.

#include "picture/tone_levels.h"
#include "text/text_catalogue.h"

#include <QImage>
#include <QString>

namespace zeb {

enum class ConversionMode { Diffusion, Combined };

struct PictureState {
    // The loaded picture, then the dot picture (red = green = blue = strike tone). Held as
    // Format_RGB32 or Format_Grayscale8 (see LoadPictureFile); 0 x 0 until the first Open.
    QImage WorkPicture;
    // Full path of the last file opened; shown in the caption, kept by the recovery file.
    QString PicturePath;
    // True: the combined conversion; false: the diffusion conversion (the start value).
    bool CombinedConversion = false;
    // The tone controls the next conversion applies; neutral skips them.
    ToneLevels Tone;
    // While a loaded picture with transparent parts waits for its conversion: its inverted
    // colour laid over black, which an inverted conversion reads. Null otherwise.
    QImage InvertedOverBlack;

    ConversionMode Mode() const {
        return CombinedConversion ? ConversionMode::Combined : ConversionMode::Diffusion;
    }
};

// The status lines of the Open road, as the status-text table holds them (entries 6, 7, 1, 2
// and 3); the window hands in the translated ones when a language file replaced them.
struct PictureStatusTexts {
    QString Loading = TextCatalogue::BuiltIn(9006);
    QString Preparing = TextCatalogue::BuiltIn(9007);
    QString Converting = TextCatalogue::BuiltIn(9003);
    QString Transferring = TextCatalogue::BuiltIn(9004);
    QString Ready = TextCatalogue::BuiltIn(9005);
};

} // namespace zeb
