// zeb-cli plan: a picture through the Open road and the planner, from a fresh start, written
// out as the plan file the program writes.
#include "cli/cli.h"

#include "job/plan_builder.h"
#include "job/plan_dump.h"
#include "picture/open_command.h"

#include <QDir>
#include <QFileInfo>

namespace zeb::cli {
namespace {

// The terminal as the operator: messages go to standard error, the rest stays quiet.
class PlanOperator : public Operator {
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

struct PlanArgs {
    QString picture;
    QString mode;
    QString output;
    QString dump;
    bool oneSided = false;
};

QString ParsePlanArgs(const QStringList& list, PlanArgs& args) {
    for (int i = 0; i < list.size(); ++i) {
        QString name = list[i];
        QString* into = nullptr;
        if (name == "--one-sided") {
            args.oneSided = true;
            continue;
        }
        QString value;
        const qsizetype eq = name.indexOf('=');
        if (name.startsWith('-') && eq > 0) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        }
        if (name == "--mode")
            into = &args.mode;
        else if (name == "-o" || name == "--output")
            into = &args.output;
        else if (name == "--dump")
            into = &args.dump;
        if (into) {
            if (eq <= 0) {
                if (i + 1 >= list.size())
                    return QStringLiteral("%1 needs a value").arg(name);
                value = list[++i];
            }
            *into = value;
        } else if (name.startsWith('-') && name.size() > 1) {
            return QStringLiteral("unknown option \"%1\"").arg(name);
        } else if (!args.picture.isEmpty()) {
            return QStringLiteral("one picture at a time (\"%1\" and \"%2\")")
                .arg(args.picture, name);
        } else {
            args.picture = name;
        }
    }
    if (args.picture.isEmpty())
        return QStringLiteral("no PICTURE given");
    if (args.mode != "combined" && args.mode != "diffusion")
        return QStringLiteral("--mode must be combined or diffusion");
    if (args.output.isEmpty())
        return QStringLiteral("no output file given (-o PLAN.txt)");
    return {};
}

int RunPlan(const QStringList& list) {
    PlanArgs args;
    const QString usage = ParsePlanArgs(list, args);
    if (!usage.isEmpty()) {
        PrintError(usage + QStringLiteral("; see zeb-cli plan --help"));
        return ExitUsage;
    }
    const QString path = QDir::current().absoluteFilePath(args.picture);
    if (!QFileInfo::exists(path)) {
        PrintError(QStringLiteral("no such file \"%1\"").arg(args.picture));
        return ExitUsage;
    }
    PlanOperator op;
    // Fresh tables and matrices, as at program start.
    ToneTables tables = StartupToneTables();
    PictureState picture;
    picture.CombinedConversion = args.mode == "combined";
    PictureMatrices matrices;
    Placement placement;
    const qint32 resolution = 0;
    FieldView view;
    MachineState machine;
    OpenCommandContext ctx{op, tables, picture, matrices, placement, resolution, view, machine};
    if (!AdoptPictureFile(ctx, path))
        return ExitUsage;
    PreparePicture(ctx);

    if (!args.dump.isEmpty()) {
        const QString error = WriteDotMapDump(matrices, args.dump, nullptr);
        if (!error.isEmpty()) {
            PrintError(error);
            return ExitFailed;
        }
    }
    const PassMode pass = args.oneSided ? PassMode::OneSided : PassMode::TwoSided;
    const PlanText plan = BuildPlanText(matrices, pass, &op);
    if (!plan.error.isEmpty()) {
        PrintError(plan.error);
        return ExitUsage;
    }
    const QString error = WritePlanFile(plan.text, args.output);
    if (!error.isEmpty()) {
        PrintError(error);
        return ExitFailed;
    }
    PrintOut(QStringLiteral("%1: %2 bytes, %3 areas (%4)\n")
                 .arg(args.output)
                 .arg(plan.text.size())
                 .arg(plan.areas)
                 .arg(args.oneSided ? QStringLiteral("one-sided") : QStringLiteral("two-sided")));
    return ExitOk;
}

const Registration reg{{
    QStringLiteral("plan"),
    QStringLiteral("turn a picture into the plan file of an engraving job"),
    QStringLiteral(
        "Usage: zeb-cli plan PICTURE --mode combined|diffusion [--one-sided] -o PLAN.txt\n"
        "                    [--dump DUMP.txt]\n\n"
        "Opens PICTURE as the program's Open does (tables as at program start), converts it,\n"
        "and plans it as a job start does:\n"
        "  --mode combined|diffusion  the conversion\n"
        "  --one-sided                every strike line left to right (quality \"Высокое\");\n"
        "                             default two-sided, alternating (\"Стандарт\")\n"
        "  -o, --output FILE          the plan, byte for byte the program's \"123123123.txt\"\n"
        "  --dump FILE                also the grey-matrix dump, as \"123Bm.txt\"\n\n"
        "Coordinates in the plan are picture coordinates: the job adds the picture's place.\n"
        "Exit status: 0 written, 1 a file could not be written, 2 bad usage, a picture that\n"
        "cannot be read, or one too large for the plan's coordinate fields.\n"),
    RunPlan,
}};

} // namespace
} // namespace zeb::cli
