#include "SimOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

bool toInt(const char *text, int minimum, int &value)
{
    char *end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < minimum || v > 1000000000)
        return false;
    value = int(v);
    return true;
}

// A quantity above 0, such as a mass or a volume.
bool toPositive(const char *text, double &value)
{
    char *end = nullptr;
    const double v = std::strtod(text, &end);
    if (*text == '\0' || *end != '\0' || !(v > 0) || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

// A percentage of 0 or more, at most 100.
bool toPercent(const char *text, double &value)
{
    char *end = nullptr;
    const double v = std::strtod(text, &end);
    if (*text == '\0' || *end != '\0' || !(v >= 0) || !(v <= 100))
        return false;
    value = v;
    return true;
}

bool toSeed(const char *text, unsigned long long &value)
{
    char *end = nullptr;
    errno = 0;
    const unsigned long long v = std::strtoull(text, &end, 10);
    if (*text < '0' || *text > '9' || *end != '\0' || errno == ERANGE)
        return false;
    value = v;
    return true;
}

bool isSendable(const std::string &s)
{
    return !s.empty() && s.find('\r') == std::string::npos;
}

} // namespace

const char *simUsage()
{
    return "usage: hka2-sim [options]\n"
           "Plays an HK-A2 (or HK-A) impedance measuring unit on a pseudo-terminal and prints\n"
           "the terminal's path on its first output line. Stops on SIGTERM or SIGINT.\n"
           "\n"
           "  --link PATH          make PATH a symbolic link to the terminal (removed on exit),\n"
           "                       e.g. the COM1 entry of the program's settings directory\n"
           "  --model M            HK-A2 (default) or HK-A; any other text is sent as an\n"
           "                       unknown model token in answer to \"U?\" (case matters)\n"
           "  --serial TEXT        answer to \"SN?\" (default 0123)\n"
           "  --version TEXT       answer to \"V?\" (default 0200)\n"
           "  --driver LIST        loudspeaker model, any of Re=ohm,Le=mH,Fs=Hz,Qms=,Qes=\n"
           "                       (default Re=5.7,Le=0.5,Fs=40,Qms=3,Qes=0.45; Le may be 0),\n"
           "                       optionally with Mms=g and Sd=cm2; or physically as\n"
           "                       Re=ohm,Le=mH,Bl=Tm,Mms=g,Cms=mm/N,Rms=kg/s[,Sd=cm2]\n"
           "                       and either with R2=ohm,L2=mH: the coil's eddy-current branch\n"
           "  --added-mass GRAMS   the same driver with GRAMS on its cone (needs Mms)\n"
           "  --box LITRES         the same driver in a sealed box of LITRES, air at 20 C and\n"
           "                       1013.25 hPa (needs Mms and Sd)\n"
           "  --vented-box LITRES,FB_HZ[,QL]\n"
           "                       the same driver in a vented box of LITRES tuned to FB_HZ,\n"
           "                       leakage QL (default 7; 0 or inf: lossless), air as --box\n"
           "  --curve FILE         replay a table of frequency, |Z| [and phase] instead\n"
           "  --noise PCT          Gaussian noise on every point, one standard deviation: PCT %\n"
           "                       of |Z| and, as the same relative error across Z, PCT/100\n"
           "                       radians of phase (1 %: 0.573 deg); 0 to 100, default 0\n"
           "  --seed N             start the noise from seed N, for a repeatable sequence\n"
           "                       (default: a new sequence each start)\n"
           "  --drift PCT          Re rises by PCT % over each sweep, linearly point by point,\n"
           "                       and keeps rising sweep after sweep, as a warming coil\n"
           "                       (modelled driver only; default 0)\n"
           "  --fast, --instant    send at once instead of pacing at the line rate\n"
           "  --baud N             line rate for the pacing, 10 bits a byte (default 9600)\n"
           "  --chunk N            send in pieces of N bytes\n"
           "  --gap MS             pause MS milliseconds after each piece\n"
           "\n"
           "misbehaviour on request:\n"
           "  --silent-after N     fall silent for good after N points of a sweep\n"
           "  --end-mark TEXT      end mark after the last point (default OK), e.g. NG\n"
           "  --cr-in-point K      put a carriage return inside point K (from 0)\n"
           "  --wrong-count        announce one point less than the band has\n"
           "  --count-reply TEXT   answer band requests with TEXT and do not sweep\n"
           "  --refuse-band        answer every band request with NG00\n"
           "  --ignore-me          during a sweep, neither answer nor obey \"ME\"\n"
           "  --uncalibrated       answer \"M?\" with 1\n"
           "\n"
           "  --verbose            log commands and replies on standard error\n"
           "  --help               this text\n";
}

ParseResult parseSimOptions(int argc, char **argv, SimOptions &o, std::string &error)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        auto value = [&]() -> const char * { return argv[++i]; };
        auto needs = [&](const char *what) {
            error = arg + " needs " + what;
            return ParseResult::Error;
        };
        if (arg == "--help" || arg == "-h") {
            return ParseResult::Help;
        } else if (arg == "--fast" || arg == "--instant") {
            o.fast = true;
        } else if (arg == "--wrong-count") {
            o.wrongCount = true;
        } else if (arg == "--refuse-band") {
            o.refuseBand = true;
        } else if (arg == "--ignore-me") {
            o.ignoreMe = true;
        } else if (arg == "--uncalibrated") {
            o.uncalibrated = true;
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else if (arg == "--link") {
            if (!hasValue)
                return needs("a path");
            o.link = value();
        } else if (arg == "--model") {
            if (!hasValue)
                return needs("a model");
            const std::string m = value();
            if (!isSendable(m))
                return needs("a model");
            o.hka = (m == "HK-A");
            o.modelToken = (m == "HK-A2") ? "HKA2" : m;
        } else if (arg == "--serial" || arg == "--version" || arg == "--end-mark" ||
                   arg == "--count-reply") {
            if (!hasValue)
                return needs("a text");
            const std::string t = value();
            if (arg == "--serial")
                o.serial = t;
            else if (arg == "--version")
                o.version = t;
            else if (arg == "--end-mark")
                o.endMark = t;
            else
                o.countReply = t;
        } else if (arg == "--driver") {
            if (!hasValue)
                return needs("a parameter list");
            if (!addDriverParams(value(), o.driverInput, error))
                return ParseResult::Error;
        } else if (arg == "--added-mass" || arg == "--box") {
            double v = 0;
            if (!hasValue || !toPositive(value(), v))
                return needs(arg == "--box" ? "a volume above 0 litres" : "a mass above 0 grams");
            (arg == "--box" ? o.driverInput.boxLitres : o.driverInput.addedMassGrams) = v;
        } else if (arg == "--vented-box") {
            if (!hasValue)
                return needs("LITRES,FB_HZ[,QL]");
            if (!setVentedBox(value(), o.driverInput, error))
                return ParseResult::Error;
        } else if (arg == "--noise" || arg == "--drift") {
            double v = 0;
            if (!hasValue || !toPercent(value(), v))
                return needs("a percentage from 0 to 100");
            (arg == "--noise" ? o.noisePct : o.driftPct) = v;
        } else if (arg == "--seed") {
            if (!hasValue || !toSeed(value(), o.seed))
                return needs("a whole number of 0 or more");
            o.seedGiven = true;
        } else if (arg == "--curve") {
            if (!hasValue)
                return needs("a file");
            o.curveFile = value();
        } else if (arg == "--baud" || arg == "--chunk" || arg == "--gap" ||
                   arg == "--silent-after" || arg == "--cr-in-point") {
            if (!hasValue)
                return needs("a number");
            int n = 0;
            const int minimum = (arg == "--baud" || arg == "--chunk") ? 1 : 0;
            if (!toInt(value(), minimum, n))
                return needs(minimum ? "a number above 0" : "a number of 0 or more");
            if (arg == "--baud")
                o.bitRate = n;
            else if (arg == "--chunk")
                o.chunk = n;
            else if (arg == "--gap")
                o.gapMs = n;
            else if (arg == "--silent-after")
                o.silentAfter = n;
            else
                o.crInPoint = n;
        } else {
            error = "unknown option " + arg;
            return ParseResult::Error;
        }
    }
    const bool massOrBox = o.driverInput.addedMassGrams > 0 || o.driverInput.boxLitres > 0 ||
                           o.driverInput.ventLitres > 0;
    if (!o.curveFile.empty() && massOrBox) {
        error = "--added-mass, --box and --vented-box change the modelled driver, not a replayed "
                "--curve";
        return ParseResult::Error;
    }
    if (!o.curveFile.empty() && o.driftPct > 0) {
        error = "--drift warms the modelled driver's coil, not a replayed --curve";
        return ParseResult::Error;
    }
    if (!resolveDriver(o.driverInput, o.driver, error))
        return ParseResult::Error;
    return ParseResult::Run;
}
