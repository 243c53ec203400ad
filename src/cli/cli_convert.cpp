// zeb-cli convert: a picture through the Open road without a window, written out as the dot
// picture the program's "Сохранить" writes.
#include "cli/cli.h"
#include "cli/cli_open.h"
#include "cli/cli_tone.h"

#include "picture/picture_file.h"

namespace zeb::cli {
namespace {

int RunConvert(const QStringList& list) {
    OpenArgs args;
    if (const QString usage = ReadOpenArgs(list, args, QStringLiteral("DOTS.bmp"));
        !usage.isEmpty())
        return UsageError(QStringLiteral("convert"), usage);
    FreshOpen open;
    if (const int code = OpenFresh(open, args); code != ExitOk)
        return code;
    if (const Outcome saved = SaveDotPicture(open.work.picture.WorkPicture, args.output); !saved) {
        PrintProblem(saved);
        return ExitFailed;
    }
    const PictureMatrices& matrices = open.work.matrices;
    int strikes = 0;
    for (int y = 0; y < matrices.H; ++y)
        for (int x = 0; x < matrices.W; ++x)
            strikes += matrices.DotLevels.At(y, x + 1) != 0 ? 1 : 0;
    PrintOut(QStringLiteral("%1: %2 x %3 dots, %4 struck (%5)\n")
                 .arg(args.output)
                 .arg(matrices.W)
                 .arg(matrices.H)
                 .arg(strikes)
                 .arg(args.mode));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("convert"),
    QStringLiteral("convert a picture into the dot picture (24-bit bitmap)"),
    QStringLiteral(
        "Usage: zeb-cli convert PICTURE --mode combined|diffusion -o DOTS.bmp\n"
        "                       [--levels B,W,G] [--invert]\n\n"
        "Reads PICTURE (any format Qt reads: BMP, PNG, JPEG, ...; the red channel is the\n"
        "grey, transparent parts count as black) and converts it as the program's Open does,\n"
        "with the tables as they are at program start:\n"
        "  --mode combined   four strike strengths mixed by the strike-pattern table\n"
        "  --mode diffusion  every dot off or at full strength\n"
        "  -o, --output FILE the dot picture, written as a 24-bit Windows bitmap under\n"
        "                    exactly this name\n") +
        ToneOptionsHelp(20) +
        QStringLiteral(
            "\n"
            "The dot picture is shifted one dot right and one down against the picture; the last\n"
            "picture row and column give no dots.\n"
            "Exit status: 0 written, 1 the file could not be written, 2 bad usage or a picture\n"
            "that cannot be read.\n"),
    RunConvert,
}};

} // namespace
} // namespace zeb::cli
