#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "core/analysis/driver/DriverJson.h"

#include <QFile>
#include <QJsonObject>

namespace {

// velo2-cli driver show DRIVER.json [--json]
int runDriverShow(const QStringList &args)
{
    CommandLine cl(QStringLiteral("driver show"), QStringLiteral("DRIVER.json [--json]"),
                   CliMessages::driverShowDescription());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(1, 1, QStringLiteral("DRIVER.json")); code >= 0)
        return code;
    const QString path = cl.positional().first();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cl.fileFailure(path, CliMessages::cannotRead(file.errorString()));
    DriverRecord d;
    QString problem;
    if (!readDriverJson(file.readAll(), &d, &problem))
        return cl.fileFailure(path, problem);
    const QVector<DriverValue> values = driverValues(d);
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonObject parameters;
        for (const DriverValue &v : values)
            if (v.value > 0.0)
                parameters.insert(QLatin1String(v.key), jsonNumber(v.value));
        printJson(QJsonObject{{QStringLiteral("file"), path},
                              {QStringLiteral("name"), d.name},
                              {QStringLiteral("method"), d.method},
                              {QStringLiteral("parameters"), parameters},
                              {QStringLiteral("curvePoints"), int(d.curve.size())}});
    } else {
        QStringList rows{d.name};
        for (const DriverValue &v : values)
            if (v.value > 0.0)
                rows << QStringLiteral("  %1 %2")
                            .arg(QLatin1String(v.key), -12)
                            .arg(QString::number(v.value, 'g', 6));
        printOut(rows.join(QLatin1Char('\n')));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}

} // namespace

// "velo2-cli driver SUBCOMMAND ...".
int runDriver(const QStringList &args)
{
    const QString sub = args.value(0);
    const QStringList rest = args.mid(1);
    if (sub == QLatin1String("export"))
        return runDriverExport(rest);
    if (sub == QLatin1String("show"))
        return runDriverShow(rest);
    if (sub == QLatin1String("--help") || sub == QLatin1String("-h")) {
        printOut(CliMessages::driverDescription());
        return finishOutput() ? ExitOk : ExitFailed;
    }
    const QString prefix = CliMessages::program() + QStringLiteral(" driver: ");
    printErr(prefix +
             (sub.isEmpty() ? CliMessages::missingArgument(QStringLiteral("SUBCOMMAND"))
                            : CliMessages::unknownDriverCommand(sub)) +
             QStringLiteral(" (") +
             CliMessages::seeHelp(CliMessages::program() + QStringLiteral(" driver")) +
             QLatin1Char(')'));
    return ExitUsage;
}
