// One QC station of the benchmark: logs COUNT units through its own spool into TARGET, then
// keeps forwarding until nothing waits (or a minute passes). Exit 0 when all went.
#include "core/qc/log/ResultsLog.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QThread>

namespace {

// Qt's SQL drivers note every dropped connection; during the outage that is thousands of lines.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtFatalMsg)
        QTextStream(stderr) << message << '\n';
}

} // namespace

int main(int argc, char *argv[])
{
    qInstallMessageHandler(quiet);
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() != 5) {
        err << "usage: qc_station TARGET STATION COUNT SPOOL\n";
        return 2;
    }
    ResultsLog log;
    if (!log.open(args[1], args[2], args[4])) {
        err << log.problem() << '\n';
        return 1;
    }
    const int count = args[3].toInt();
    for (int i = 0; i < count; ++i) {
        QcRecord r;
        r.runId = QStringLiteral("%1-%2").arg(args[2]).arg(i, 5, 10, QLatin1Char('0'));
        r.timeUtc = QDateTime::currentDateTimeUtc();
        r.serial = QStringLiteral("SN%1").arg(i);
        r.limitsName = QStringLiteral("bench v1");
        r.band = 2;
        r.passed = i % 20 != 0;
        r.parameters = {{QStringLiteral("Fs"), 30.0 + (i % 7) * 0.1, 28.0, 32.0},
                        {QStringLiteral("Rmax"), 40.0, 35.0, 45.0},
                        {QStringLiteral("Qms"), 3.0, 2.5, 3.5},
                        {QStringLiteral("Qes"), 0.5, 0.4, 0.6},
                        {QStringLiteral("Qts"), 0.43, 0.35, 0.5},
                        {QStringLiteral("Zmin"), 6.5, 6.0, 7.0}};
        if (!log.record(r)) {
            err << log.problem() << '\n';
            return 1;
        }
    }
    QElapsedTimer waited;
    waited.start();
    while (log.pending() != 0 && waited.elapsed() < 60000) {
        QThread::msleep(250);
        log.forward();
    }
    const int left = log.pending();
    if (left != 0)
        err << args[2] << ": " << left << " units not forwarded: " << log.problem() << '\n';
    return left == 0 ? 0 : 1;
}
