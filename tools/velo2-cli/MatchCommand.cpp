#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "UnitsInput.h"
#include "core/analysis/population/MatchedSets.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cmath>

namespace {

struct Parameter {
    const char *name;
    double UnitValues::*field;
};
const Parameter kParameters[] = {{"re", &UnitValues::re},   {"fs", &UnitValues::fs},
                                 {"qms", &UnitValues::qms}, {"qes", &UnitValues::qes},
                                 {"qts", &UnitValues::qts}, {"zmax", &UnitValues::zmax}};

struct Chosen {
    const Parameter *parameter = nullptr;
    double weight = 1.0;
};

// "fs,qts:2": the parameters and their weights; -1 to go on, else the exit code.
int parseBy(const CommandLine &cl, std::vector<Chosen> *chosen)
{
    const QString text =
        cl.isSet(QStringLiteral("by")) ? cl.value(QStringLiteral("by")) : QStringLiteral("fs,qts");
    for (const QString &item : text.split(QLatin1Char(','))) {
        const QString name = item.section(QLatin1Char(':'), 0, 0).trimmed().toLower();
        if (name == QLatin1String("vas") || name == QLatin1String("mms") ||
            name == QLatin1String("bl"))
            return cl.usageError(CliMessages::matchVasUnavailable());
        Chosen c;
        for (const Parameter &p : kParameters)
            if (name == QLatin1String(p.name))
                c.parameter = &p;
        if (item.contains(QLatin1Char(':'))) {
            bool ok = false;
            c.weight = item.section(QLatin1Char(':'), 1).trimmed().toDouble(&ok);
            if (!ok || !std::isfinite(c.weight) || c.weight < 0.0)
                c.parameter = nullptr;
        }
        if (!c.parameter)
            return cl.usageError(CliMessages::matchBadBy(item));
        chosen->push_back(c);
    }
    return -1;
}

// --sets and --size before any file is read; the sizes follow the units when --size is absent.
int parseSets(const CommandLine &cl, int *sets, std::vector<int> *sizes)
{
    const QString setsText = cl.value(QStringLiteral("sets"));
    bool ok = false;
    *sets = setsText.toInt(&ok);
    if (!ok || *sets <= 0)
        return cl.usageError(CliMessages::matchBadSets(setsText));
    if (!cl.isSet(QStringLiteral("size")))
        return -1;
    const QString sizeText = cl.value(QStringLiteral("size"));
    for (const QString &part : sizeText.split(QLatin1Char(','))) {
        const int size = part.trimmed().toInt(&ok);
        if (!ok || size <= 0)
            return cl.usageError(CliMessages::matchBadSize(sizeText));
        sizes->push_back(size);
    }
    if (sizes->size() == 1)
        sizes->assign(std::size_t(*sets), sizes->front());
    if (int(sizes->size()) != *sets)
        return cl.usageError(CliMessages::matchBadSize(sizeText));
    return -1;
}

QString number(double v)
{
    return QString::number(v, 'g', 6);
}

} // namespace

int runMatch(const QStringList &args)
{
    CommandLine cl(
        QStringLiteral("match"),
        QStringLiteral("[FILE...] [--db URL [--since DATE] [--passed | --failed] [--station NAME]] "
                       "--sets K [--size N] [--by fs,qts] (--re OHMS | "
                       "--re-file CSV | --re-estimate) [--json]"),
        CliMessages::matchDescription());
    cl.addValue({QStringLiteral("sets")}, QStringLiteral("K"), CliMessages::setsHelp());
    cl.addValue({QStringLiteral("size")}, QStringLiteral("N"), CliMessages::setSizeHelp());
    cl.addValue({QStringLiteral("by")}, QStringLiteral("LIST"), CliMessages::byHelp());
    addReOptions(cl);
    addLogOptions(cl);
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = expectUnits(cl); code >= 0)
        return code;
    if (!cl.isSet(QStringLiteral("sets")))
        return cl.usageError(CliMessages::missingArgument(QStringLiteral("--sets K")));
    int sets = 0;
    std::vector<int> sizes;
    if (const int code = parseSets(cl, &sets, &sizes); code >= 0)
        return code;
    std::vector<Chosen> chosen;
    if (const int code = parseBy(cl, &chosen); code >= 0)
        return code;
    LoadedUnits in;
    if (const int code = loadUnits(cl, &in); code >= 0)
        return code;
    CommonBand band;
    if (const int code = checkCommonBand(cl, in, &band); code >= 0)
        return code;

    MatchInput match;
    for (const LoadedUnit &u : in.units) {
        std::vector<double> row;
        for (const Chosen &c : chosen)
            row.push_back(u.values.*(c.parameter->field));
        match.values.push_back(row);
    }
    for (const Chosen &c : chosen)
        match.weights.push_back(c.weight);
    const int units = int(in.units.size());
    match.sizes = sizes.empty() ? evenSizes(units, sets) : sizes;
    int total = 0;
    for (int m : match.sizes)
        total += m;
    const MatchResult r = matchSets(match);
    if (!r.ok())
        return cl.failure(CliMessages::matchProblem(r.problem, units, sets, total));

    auto filesOf = [&](const std::vector<int> &set) {
        QStringList files;
        for (int u : set)
            files << in.units[std::size_t(u)].path;
        return files;
    };
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (std::size_t k = 0; k < r.sets.size(); ++k)
            list.append(QJsonObject{
                {QStringLiteral("files"), QJsonArray::fromStringList(filesOf(r.sets[k]))},
                {QStringLiteral("spread"), r.spreads[k]}});
        QJsonArray by;
        for (const Chosen &c : chosen)
            by.append(QJsonObject{{QStringLiteral("parameter"), QLatin1String(c.parameter->name)},
                                  {QStringLiteral("weight"), c.weight}});
        printJson(QJsonObject{{QStringLiteral("sets"), list},
                              {QStringLiteral("worstSpread"), r.worstSpread},
                              {QStringLiteral("exact"), r.exact},
                              {QStringLiteral("lowerBound"), r.lowerBound},
                              {QStringLiteral("by"), by}});
    } else {
        QStringList lines;
        for (std::size_t k = 0; k < r.sets.size(); ++k)
            lines << CliMessages::matchSetLine(int(k) + 1, number(r.spreads[k]),
                                               filesOf(r.sets[k]).join(QLatin1Char(' ')));
        lines << CliMessages::matchWorst(number(r.worstSpread), r.exact, number(r.lowerBound));
        printOut(lines.join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
