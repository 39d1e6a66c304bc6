#include "core/qc/grr/GaugeMessages.h"

#include "core/qc/grr/GaugeStudy.h"

namespace GaugeMessages {

namespace {

QString cell(const QString &part, const QString &appraiser, int trial)
{
    return QStringLiteral("part %1, operator %2, trial %3").arg(part, appraiser).arg(trial);
}

} // namespace

QString noValues()
{
    return QStringLiteral("the study has no measurements");
}

QString tooSmall(int parts, int appraisers, int trials)
{
    return QStringLiteral("a gauge study needs at least 2 parts, 2 operators and 2 trials; this "
                          "one has %1 parts, %2 operators and %3 trials")
        .arg(parts)
        .arg(appraisers)
        .arg(trials);
}

QString missingCell(const QString &part, const QString &appraiser, int trial, int more)
{
    QString text = QStringLiteral("the study is not complete: %1 is missing")
                       .arg(cell(part, appraiser, trial));
    if (more > 0)
        text += QStringLiteral(" (and %1 more)").arg(more);
    return text;
}

QString repeatedCell(const QString &part, const QString &appraiser, int trial)
{
    return QStringLiteral("%1 is given more than once").arg(cell(part, appraiser, trial));
}

QString notInStudy(const QString &part, const QString &appraiser, int trial)
{
    return QStringLiteral("%1 is not in the study").arg(cell(part, appraiser, trial));
}

QString notANumber(const QString &part, const QString &appraiser, int trial)
{
    return QStringLiteral("%1 is not a number").arg(cell(part, appraiser, trial));
}

QString noVariation()
{
    return QStringLiteral("every measurement of the study is the same value: there is no "
                          "variation to divide");
}

QString atLine(const QString &file, int line, const QString &problem)
{
    return QStringLiteral("%1: line %2: %3").arg(file).arg(line).arg(problem);
}

QString cannotRead(const QString &file)
{
    return QStringLiteral("%1: cannot read the file").arg(file);
}

QString csvColumns()
{
    return QStringLiteral("part, operator, trial, value");
}

QString csvMissingColumn(const QString &name)
{
    return QStringLiteral("the header has no \"%1\" column (the columns: %2, optionally "
                          "parameter)")
        .arg(name, csvColumns());
}

QString csvFieldCount(int found, int expected)
{
    return QStringLiteral("%1 fields where %2 are expected").arg(found).arg(expected);
}

QString csvBadTrial(const QString &text)
{
    return QStringLiteral("trial \"%1\" is not a whole number from 1").arg(text);
}

QString csvBadValue(const QString &text)
{
    return QStringLiteral("value \"%1\" is not a number").arg(text);
}

QString csvEmptyName(const QString &column)
{
    return QStringLiteral("the %1 is empty").arg(column);
}

QString noParameterRows(const QString &parameter, const QStringList &present)
{
    return QStringLiteral("no measurements of parameter \"%1\" (there are: %2)")
        .arg(parameter, present.join(QStringLiteral(", ")));
}

QString chooseParameter(const QStringList &present)
{
    return QStringLiteral("the study has more than one parameter; choose one with --parameter "
                          "(%1)")
        .arg(present.join(QStringLiteral(", ")));
}

QString noStudy(const QString &study, const QString &log)
{
    return QStringLiteral("%1: there is no gauge study \"%2\"").arg(log, study);
}

QString studyOtherShape(const QString &study, int parts, int appraisers, int trials)
{
    return QStringLiteral("gauge study \"%1\" is there already with %2 parts, %3 operators and "
                          "%4 trials; choose another name")
        .arg(study)
        .arg(parts)
        .arg(appraisers)
        .arg(trials);
}

QString badStudyName()
{
    return QStringLiteral("a gauge study needs a name of up to 64 characters");
}

QString badStudyShape()
{
    return QStringLiteral("a gauge study needs 2 to 100 parts and 2 to 20 trials");
}

QString badAppraisers()
{
    return QStringLiteral("a gauge study needs 2 to 20 operators, each named once in up to 64 "
                          "characters");
}

QString cellOutsideStudy(const QString &study, int part, const QString &appraiser, int trial)
{
    return QStringLiteral("gauge study \"%1\" has no part %2, operator %3, trial %4")
        .arg(study)
        .arg(part)
        .arg(appraiser)
        .arg(trial);
}

QString sourceKey(AnovaSource source)
{
    switch (source) {
    case AnovaSource::Part:
        return QStringLiteral("part");
    case AnovaSource::Appraiser:
        return QStringLiteral("operator");
    case AnovaSource::Interaction:
        return QStringLiteral("part*operator");
    case AnovaSource::Repeatability:
        return QStringLiteral("repeatability");
    case AnovaSource::Total:
        break;
    }
    return QStringLiteral("total");
}

QString sourceName(AnovaSource source)
{
    switch (source) {
    case AnovaSource::Part:
        return QStringLiteral("Part");
    case AnovaSource::Appraiser:
        return QStringLiteral("Operator");
    case AnovaSource::Interaction:
        return QStringLiteral("Part x Operator");
    case AnovaSource::Repeatability:
        return QStringLiteral("Repeatability");
    case AnovaSource::Total:
        break;
    }
    return QStringLiteral("Total");
}

QString verdictKey(GaugeVerdict verdict)
{
    switch (verdict) {
    case GaugeVerdict::Acceptable:
        return QStringLiteral("acceptable");
    case GaugeVerdict::Marginal:
        return QStringLiteral("marginal");
    case GaugeVerdict::Unacceptable:
        break;
    }
    return QStringLiteral("unacceptable");
}

QString verdictText(GaugeVerdict verdict)
{
    switch (verdict) {
    case GaugeVerdict::Acceptable:
        return QStringLiteral("acceptable (%GRR up to 10 %)");
    case GaugeVerdict::Marginal:
        return QStringLiteral("marginal (%GRR over 10 % up to 30 %)");
    case GaugeVerdict::Unacceptable:
        break;
    }
    return QStringLiteral("not acceptable (%GRR over 30 %)");
}

} // namespace GaugeMessages
