#include "cli/cli_forces.h"

#include "text/text_catalogue.h"

#include <QStringList>

namespace zeb::cli {

namespace {

QString OptionOf(int pass) {
    return pass == 1 ? QStringLiteral("--forces") : QStringLiteral("--second-pass");
}

// "each 1..200", or level "32" apart when its slider has a range of its own.
QString RangesText(int pass) {
    const ForceRange top = StrikeLevels::Range(pass, 4);
    const ForceRange lower = StrikeLevels::Range(pass, 1);
    if (top.min == lower.min && top.max == lower.max)
        return QStringLiteral("each %1..%2").arg(lower.min).arg(lower.max);
    return QStringLiteral("\"32\" %1..%2, the others %3..%4")
        .arg(top.min)
        .arg(top.max)
        .arg(lower.min)
        .arg(lower.max);
}

QString ForceList(const StrikeLevelSet& forces) {
    return QStringLiteral("%1, %2, %3, %4 (levels \"32\", \"24\", \"16\", \"8\")")
        .arg(forces[4])
        .arg(forces[3])
        .arg(forces[2])
        .arg(forces[1]);
}

} // namespace

std::optional<StrikeLevelSet> ParseForces(const QString& text, int pass, QString& problem) {
    // The window's sliders say what may be set: the same ranges.
    const QStringList parts = text.split(QLatin1Char(','));
    StrikeLevelSet forces;
    bool ok = parts.size() == 4;
    for (int i = 0; ok && i < 4; ++i) {
        const int level = 4 - i;
        const int force = parts[i].trimmed().toInt(&ok);
        const ForceRange range = StrikeLevels::Range(pass, level);
        ok = ok && force >= range.min && force <= range.max;
        forces[level] = static_cast<quint8>(force);
    }
    if (ok)
        return forces;
    problem = QStringLiteral("%1 wants the four forces F32,F24,F16,F8 of the levels \"32\", "
                             "\"24\", \"16\", \"8\", %2, not \"%3\"")
                  .arg(OptionOf(pass), RangesText(pass), text);
    return std::nullopt;
}

void ChooseForces(Settings& settings, StrikeLevels& levels, int pass,
                  const StrikeLevelSet& forces) {
    levels.ChooseForces(pass, forces);
    settings.LevelLinesFaulty[static_cast<size_t>(pass - 1)] = false;
}

QString TakenForcesRefusal(Settings& settings, bool secondPassToo) {
    const std::array<bool, 2>& faulty = settings.LevelLinesFaulty;
    if ((faulty[0] || faulty[1]) && settings.KeepFileReason.isEmpty())
        settings.KeepFileReason = TextCatalogue::BuiltIn(TextKey::CliForcesFileKept);
    for (int pass = 1; pass <= (secondPassToo ? 2 : 1); ++pass) {
        if (!faulty[static_cast<size_t>(pass - 1)])
            continue;
        const int first = pass == 1 ? 1 : 6;
        return TextCatalogue::BuiltIn(TextKey::CliForcesNotChosen)
            .arg(TextCatalogue::BuiltIn(pass == 1 ? TextKey::CliFirstPass : TextKey::CliSecondPass))
            .arg(first)
            .arg(first + 4)
            .arg(OptionOf(pass));
    }
    return {};
}

QString ForcesText(const StrikeLevels& levels) {
    return QStringLiteral("first pass forces: %1\nsecond pass forces: %2%3\n")
        .arg(ForceList(levels.FirstPassLevels), ForceList(levels.SecondPassLevels),
             levels.DoublePassPending ? QString() : QStringLiteral(", no second pass"));
}

QString ResumedForcesText(const StrikeLevels& levels) {
    QString text = QStringLiteral("forces: %1\n").arg(ForceList(levels.FirstPassLevels));
    if (levels.DoublePassPending)
        text += QStringLiteral("second pass forces: %1\n").arg(ForceList(levels.SecondPassLevels));
    return text;
}

} // namespace zeb::cli
