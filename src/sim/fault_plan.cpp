#include "sim/fault_plan.h"

#include <functional>

namespace zeb::sim {

namespace {

// How one fault name takes its value.
struct FaultField {
    const char* name;
    const char* help;
    std::function<bool(FaultPlan&, const QString*)> set; // value null: the bare name
};

bool SetProbability(double& field, const QString* value) {
    if (!value)
        return false;
    bool ok = false;
    const double p = value->toDouble(&ok);
    if (!ok || p < 0.0 || p > 1.0)
        return false;
    field = p;
    return true;
}

bool SetCount(int& field, const QString* value, int least) {
    if (!value)
        return false;
    bool ok = false;
    const int n = value->toInt(&ok);
    if (!ok || n < least)
        return false;
    field = n;
    return true;
}

bool SetFlag(bool& field, const QString* value) {
    if (!value || *value == QLatin1String("1")) {
        field = true;
        return true;
    }
    if (*value == QLatin1String("0")) {
        field = false;
        return true;
    }
    return false;
}

const std::vector<FaultField>& Fields() {
    static const std::vector<FaultField> fields{
        {"drop-rx", "P: a byte from the host is lost",
         [](FaultPlan& f, const QString* v) { return SetProbability(f.dropRx, v); }},
        {"drop-tx", "P: a byte to the host is lost",
         [](FaultPlan& f, const QString* v) { return SetProbability(f.dropTx, v); }},
        {"corrupt-rx", "P: a byte from the host arrives changed",
         [](FaultPlan& f, const QString* v) { return SetProbability(f.corruptRx, v); }},
        {"corrupt-tx", "P: a byte to the host arrives changed",
         [](FaultPlan& f, const QString* v) { return SetProbability(f.corruptTx, v); }},
        {"delay-tx", "P: a byte to the host comes 200..900 ms late",
         [](FaultPlan& f, const QString* v) { return SetProbability(f.delayTx, v); }},
        {"silent-after", "N: silent for good after N accepted frames (0: dead from the start)",
         [](FaultPlan& f, const QString* v) { return SetCount(f.silentAfter, v, 0); }},
        {"silent-x", "the X motor driver never answers",
         [](FaultPlan& f, const QString* v) { return SetFlag(f.silentX, v); }},
        {"silent-y", "the Y motor driver never answers",
         [](FaultPlan& f, const QString* v) { return SetFlag(f.silentY, v); }},
        {"garbage-inquiry", "error inquiries are answered with junk",
         [](FaultPlan& f, const QString* v) { return SetFlag(f.garbageInquiry, v); }},
        {"stop-mid-line", "N: silent for good halfway through the data of strike line N",
         [](FaultPlan& f, const QString* v) { return SetCount(f.stopMidLine, v, 1); }},
        {"mismatch-after-line", "N: Monitor reports one column more after strike line N",
         [](FaultPlan& f, const QString* v) { return SetCount(f.mismatchAfterLine, v, 1); }},
    };
    return fields;
}

} // namespace

bool FaultPlan::Any() const {
    return dropRx > 0 || dropTx > 0 || corruptRx > 0 || corruptTx > 0 || delayTx > 0 ||
           silentAfter >= 0 || silentX || silentY || garbageInquiry || stopMidLine >= 0 ||
           mismatchAfterLine >= 0;
}

std::optional<FaultPlan> ParseFaultPlan(const QString& spec, quint32 seed, QString* error) {
    FaultPlan plan;
    plan.seed = seed;
    const QStringList items = spec.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString& rawItem : items) {
        const QString item = rawItem.trimmed();
        if (item.isEmpty())
            continue;
        const qsizetype eq = item.indexOf(QLatin1Char('='));
        const QString name = (eq < 0 ? item : item.left(eq)).trimmed();
        const QString value = eq < 0 ? QString() : item.mid(eq + 1).trimmed();
        const FaultField* field = nullptr;
        for (const FaultField& f : Fields()) {
            if (name == QLatin1String(f.name))
                field = &f;
        }
        if (!field) {
            if (error)
                *error = QStringLiteral("unknown fault \"%1\"").arg(name);
            return std::nullopt;
        }
        if (!field->set(plan, eq < 0 ? nullptr : &value)) {
            if (error)
                *error = QStringLiteral("bad value for fault \"%1\": \"%2\"")
                             .arg(name, eq < 0 ? QStringLiteral("(none)") : value);
            return std::nullopt;
        }
    }
    return plan;
}

QString FaultHelp() {
    QString text;
    for (const FaultField& f : Fields())
        text +=
            QStringLiteral("  %1  %2\n").arg(QLatin1String(f.name), -20).arg(QLatin1String(f.help));
    return text;
}

} // namespace zeb::sim
