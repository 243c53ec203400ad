// zeb-cli convert: a picture through the Open road without a window, written out as the dot
// picture the program's "Сохранить" writes.
#include "cli/cli.h"

#include "picture/open_command.h"
#include "picture/picture_file.h"

#include <QDir>
#include <QFileInfo>

namespace zeb::cli {
namespace {

// The terminal as the operator: messages go to standard error, the rest stays quiet.
class ConvertOperator : public Operator {
public:
    void ShowMessage(const QString& text) override { PrintError(text); }
    void Beep() override {}
    void SetCursor(CursorShape) override {}
    void LockUI() override {}
    void UnlockUI() override {}
    void LockForJob() override {}
    void ShowStatus(const QString&) override {}
    void SetProgress(int, int) override {}
    void ShowServiceValue(ServiceField, const QString&) override {}
};

struct ConvertArgs {
    QString picture;
    QString mode;
    QString output;
};

// Fills `args` from the command line; returns an error text, empty when all is well.
QString ParseConvertArgs(const QStringList& list, ConvertArgs& args) {
    for (int i = 0; i < list.size(); ++i) {
        const QString& a = list[i];
        auto value = [&](const QString& name, QString& into) -> QString {
            if (a.startsWith(name + '=')) {
                into = a.mid(name.size() + 1);
                return {};
            }
            if (i + 1 >= list.size())
                return QStringLiteral("%1 needs a value").arg(name);
            into = list[++i];
            return {};
        };
        QString error;
        if (a == "--mode" || a.startsWith("--mode="))
            error = value(QStringLiteral("--mode"), args.mode);
        else if (a == "-o" || a.startsWith("-o="))
            error = value(QStringLiteral("-o"), args.output);
        else if (a == "--output" || a.startsWith("--output="))
            error = value(QStringLiteral("--output"), args.output);
        else if (a.startsWith('-') && a.size() > 1)
            error = QStringLiteral("unknown option \"%1\"").arg(a);
        else if (!args.picture.isEmpty())
            error =
                QStringLiteral("one picture at a time (\"%1\" and \"%2\")").arg(args.picture, a);
        else
            args.picture = a;
        if (!error.isEmpty())
            return error;
    }
    if (args.picture.isEmpty())
        return QStringLiteral("no PICTURE given");
    if (args.mode != "combined" && args.mode != "diffusion")
        return QStringLiteral("--mode must be combined or diffusion");
    if (args.output.isEmpty())
        return QStringLiteral("no output file given (-o DOTS.bmp)");
    return {};
}

int RunConvert(const QStringList& list) {
    ConvertArgs args;
    const QString usage = ParseConvertArgs(list, args);
    if (!usage.isEmpty()) {
        PrintError(usage + QStringLiteral("; see zeb-cli convert --help"));
        return ExitUsage;
    }
    ConvertOperator op;
    // Fresh tables, as at program start: every run begins with the same pattern cursors.
    ToneTables tables = StartupToneTables();
    PictureState picture;
    picture.CombinedConversion = args.mode == "combined";
    PictureMatrices matrices;
    Placement placement;
    const qint32 resolution = 0;
    FieldView view;
    MachineState machine;
    OpenCommandContext ctx{op, tables, picture, matrices, placement, resolution, view, machine};

    const QString path = QDir::current().absoluteFilePath(args.picture);
    if (!QFileInfo::exists(path)) {
        PrintError(QStringLiteral("no such file \"%1\"").arg(args.picture));
        return ExitUsage;
    }
    if (!AdoptPictureFile(ctx, path))
        return ExitUsage;
    PreparePicture(ctx);
    const QString error = SaveDotPicture(picture.WorkPicture, args.output);
    if (!error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
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
        "Usage: zeb-cli convert PICTURE --mode combined|diffusion -o DOTS.bmp\n\n"
        "Reads PICTURE (any format Qt reads: BMP, PNG, JPEG, ...; the red channel is the\n"
        "grey, transparent parts count as black) and converts it as the program's Open does,\n"
        "with the tables as they are at program start:\n"
        "  --mode combined   four strike strengths mixed by the strike-pattern table\n"
        "  --mode diffusion  every dot off or at full strength\n"
        "  -o, --output FILE the dot picture, written as a 24-bit Windows bitmap under\n"
        "                    exactly this name\n\n"
        "The dot picture is shifted one dot right and one down against the picture; the last\n"
        "picture row and column give no dots.\n"
        "Exit status: 0 written, 1 the file could not be written, 2 bad usage or a picture\n"
        "that cannot be read.\n"),
    RunConvert,
}};

} // namespace
} // namespace zeb::cli
