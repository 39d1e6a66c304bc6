#include "CliMessages.h"

#include "core/analysis/AnalysisMessages.h"
#include "core/analysis/MotionalCircle.h"
#include "core/analysis/design/Compensation.h"
#include "core/analysis/design/VentedBox.h"
#include "core/analysis/design/VentedBoxFit.h"
#include "core/analysis/population/MatchedSets.h"
#include "core/document/CurveOnGrid.h"
#include "core/files/ImpedanceTable.h"
#include "core/graph/GraphView.h"
#include "core/measure/UnitProtocol.h"
#include "core/model/BandTable.h"
#include "core/model/RepeatSet.h"

#include <cerrno>
#include <cstring>

// The tool's texts are English, its own language, which scripts may read: plain texts, never
// translated, so no output depends on a catalogue.
namespace CliMessages {

QString program()
{
    return QStringLiteral("velo2-cli"); // a name, never translated
}

QString overallHelp(const QStringList &commands)
{
    return QStringLiteral(
               "Usage: velo2-cli COMMAND [OPTIONS] ARGUMENTS\n"
               "\n"
               "The VELO2 loudspeaker impedance tools on the command line, with the program's\n"
               "own file formats and computations.\n"
               "\n"
               "Commands:\n"
               "  info FILE.DTA...           model, serial, date, band and ranges of data files\n"
               "  export FILE.DTA [-o OUT]   the program's text export (\"*.txt\")\n"
               "  zma FILE.DTA [-o OUT]      frequency, impedance and phase table (\"*.zma\")\n"
               "  convert IN -o OUT.DTA      another tool's table (ZMA, FRD, text) as a data file\n"
               "  peaks FILE.DTA             resonance peaks, as the analysis window lists them\n"
               "  circle FILE                the motional circle: Res, fs, fa, fb and Qms\n"
               "  ts FILE.DTA --re OHMS      the ten Thiele-Small values\n"
               "  fit FILE.DTA --model M     a driver model fitted to the complex impedance\n"
               "  render FILE.DTA -o OUT.png the graph as the window draws it\n"
               "  compare FILE --ref REF     difference and ratio against a reference curve\n"
               "  qc limits ...              production QC: limits from golden units\n"
               "  qc check ...               pass or fail one unit, logged with --db\n"
               "  qc report --db URL         counts, yield and capability of the results log\n"
               "  qc replicate ...           a site's results log replicated to a centre\n"
               "%1"
               "  ports [--json]             the serial devices, their COM numbers and obstacles\n"
               "  stats FILE... --re OHMS    Thiele-Small statistics over many units\n"
               "  match FILE... --sets K     matched sets of units with the least spread\n"
               "  trend FILE... --re OHMS    Fs, Qts and Re over the measurement dates\n"
               "  zobel FILE [--from --to]   a Zobel R-C fitted to the curve, E-series parts\n"
               "  notch FILE                 a resonance notch R-L-C fitted to the curve\n"
               "  box FREE BOX --vb LITRES   a vented box read from its two peaks\n"
               "  driver export FREE.DTA ... the worksheet's driver as a JSON or Hornresp file\n"
               "  driver show DRIVER.json    the values of a driver file\n"
               "\n"
               "Run 'velo2-cli COMMAND --help' for the options of a command.\n"
               "Exit status: 0 success, 1 the operation failed, 2 wrong usage (qc check: 3 the\n"
               "unit failed).")
        .arg(commands.contains(QLatin1String("measure"))
                 ? QStringLiteral(
                       "  measure --port P --band N -o OUT.DTA  a measurement with the unit\n")
                 : QString());
}

QString usagePrefix()
{
    return QStringLiteral("Usage: ");
}
QString optionsHeading()
{
    return QStringLiteral("Options:");
}
QString seeHelp(const QString &command)
{
    return QStringLiteral("see '%1 --help'").arg(command);
}

QString unknownCommand(const QString &name)
{
    return QStringLiteral("unknown command '%1'").arg(name);
}
QString unknownOption(const QString &option)
{
    return QStringLiteral("unknown option '%1'").arg(option);
}
QString missingArgument(const QString &what)
{
    return QStringLiteral("missing %1").arg(what);
}
QString unexpectedArgument(const QString &argument)
{
    return QStringLiteral("unexpected argument '%1'").arg(argument);
}
QString badSize(const QString &text, int minW, int minH, int maxSide)
{
    return QStringLiteral("--size '%1': expected WIDTHxHEIGHT in pixels, from %2x%3 up to %4x%4")
        .arg(text)
        .arg(minW)
        .arg(minH)
        .arg(maxSide);
}
QString badBand(const QString &text)
{
    return QStringLiteral("--band '%1': the band must be a number from 1 to 9").arg(text);
}
QString tooManyReferences(int limit)
{
    return QStringLiteral("at most %1 references (--ref) can be shown").arg(limit);
}
QString reNotANumber(const QString &text, const QString &programText)
{
    return QStringLiteral("--re '%1': %2 (not a number)").arg(text, programText);
}

QString badFitModel(const QString &text)
{
    return QStringLiteral("--model '%1': the model must be classic, lr2 or semi").arg(text);
}
QString reOrReFree()
{
    return QStringLiteral("give either --re OHMS or --re-free");
}
QString badFrequency(const QString &option, const QString &text)
{
    return QStringLiteral("%1 '%2': the frequency must be a number above 0 Hz").arg(option, text);
}
QString fitRangeReversed(const QString &from, const QString &to)
{
    return QStringLiteral("--from %1 Hz must be below --to %2 Hz").arg(from, to);
}
QString zmaNeedsFile()
{
    return QStringLiteral("--zma needs a file name (standard output carries the results)");
}

QString optionNotANumber(const QString &option, const QString &text)
{
    return QStringLiteral("%1 '%2': not a number").arg(option, text);
}
QString optionNotAPair(const QString &option, const QString &text, const QString &form)
{
    return QStringLiteral("%1 '%2': expected %3").arg(option, text, form);
}
QString optionsExclusive(const QString &first, const QString &second)
{
    return QStringLiteral("%1 and %2 exclude each other").arg(first, second);
}
QString needsOption(const QString &option, const QString &needed)
{
    return QStringLiteral("%1 needs %2").arg(option, needed);
}
QString badRepeat(const QString &text)
{
    return QStringLiteral(
               "--repeat '%1': the number of sweeps must be a whole number from %2 to %3")
        .arg(text)
        .arg(kMinRepeats)
        .arg(kMaxRepeats);
}

QString noSuchFile()
{
    return QStringLiteral("no such file");
}
QString isDirectory()
{
    return QStringLiteral("is a folder, not a file");
}
QString notRegularFile()
{
    return QStringLiteral("is not a regular file (a device, a pipe or a socket)");
}
QString fileTooLarge(qint64 limitBytes)
{
    return QStringLiteral("is too large for a data file (more than %1 KiB)").arg(limitBytes / 1024);
}
QString cannotRead(const QString &reason)
{
    return QStringLiteral("cannot be read: %1").arg(reason);
}
QString badDataFile()
{
    return QStringLiteral("not a valid VELO2 data file");
}
QString calcDataError()
{
    return QStringLiteral("the data cannot be converted");
}
QString noSuchFolder()
{
    return QStringLiteral("cannot be written: no such folder");
}
QString permissionDenied()
{
    return QStringLiteral("cannot be written: permission denied");
}
QString cannotWrite()
{
    return QStringLiteral("cannot be written");
}
QString cannotWrite(const QString &reason)
{
    return QStringLiteral("cannot be written: %1").arg(reason);
}
QString standardOutput()
{
    return QStringLiteral("standard output");
}
QString stdoutFailed()
{
    return QStringLiteral("standard output: write error");
}
QString renderFailed()
{
    return QStringLiteral("the graph could not be drawn");
}

QString tableProblem(TableProblem problem, int line, int band)
{
    const QString at = QStringLiteral("line %1: ").arg(line);
    switch (problem) {
    case TableProblem::None:
        return QString();
    case TableProblem::Missing:
        return noSuchFile();
    case TableProblem::NotRegular:
        return notRegularFile();
    case TableProblem::TooLarge:
        return QStringLiteral("is too large for an impedance table (more than %1 MiB)")
            .arg(kMaxImpedanceTableBytes / (1024 * 1024));
    case TableProblem::Unreadable:
        return QStringLiteral("cannot be read");
    case TableProblem::Binary:
        return QStringLiteral("is not a text table (binary data at line %1)").arg(line);
    case TableProblem::Utf16:
        return QStringLiteral("is UTF-16 text; save it as UTF-8");
    case TableProblem::CrLineEnds:
        return at + QStringLiteral("the lines end in CR alone; save it with LF or CR LF line ends");
    case TableProblem::NoData:
        return QStringLiteral("holds no table of frequency and impedance");
    case TableProblem::LongHeader:
        return at +
               QStringLiteral("no table row within the first %1 lines").arg(kMaxTableHeaderLines);
    case TableProblem::TooFewPoints:
        return QStringLiteral("holds fewer than %1 points").arg(kMinTablePoints);
    case TableProblem::NotNumeric:
        return at + QStringLiteral("not a row of numbers (frequency, impedance, phase)");
    case TableProblem::BadFrequency:
        return at + QStringLiteral("the frequency must be above 0 Hz");
    case TableProblem::NegativeMagnitude:
        return at + QStringLiteral("the impedance must not be negative");
    case TableProblem::NotFinite:
        return at + QStringLiteral("a value is not a finite number or is out of range");
    case TableProblem::PhaseOutOfRange:
        return at + QStringLiteral("the phase must lie between -%1 and %1 degrees")
                        .arg(kMaxTableDegrees);
    case TableProblem::AmbiguousComma:
        return at + QStringLiteral("a comma could be a decimal comma or a separator; use one "
                                   "layout (\"10,5<TAB>8,2\" or \"10.5,8.2\")");
    case TableProblem::OutsideBand:
        return band > 0 ? QStringLiteral("no point of band %1 (%2) lies within the table")
                              .arg(band)
                              .arg(bandCaption(band))
                        : QStringLiteral("no band lies within the table's frequencies");
    }
    return QString();
}
QString tableSorted()
{
    return QStringLiteral("note: the rows were sorted by rising frequency");
}
QString tableDuplicates(int count)
{
    return QStringLiteral("note: %1 row(s) repeating a frequency were left out").arg(count);
}
QString tableBeyondDataFile(int count, const QString &firstFrequencies)
{
    return QStringLiteral("warning: %1 point(s) above %2 ohm cannot be held by a data file "
                          "and were saved as %2 ohm (%3); the analysis of this run keeps them")
        .arg(count)
        .arg(kMaxPointTextOhm)
        .arg(firstFrequencies);
}
QString bandOnlyForTables()
{
    return QStringLiteral("--band applies to tables only: a data file keeps its band");
}

QString unitProblem(UnitOutcome outcome, const QString &port, int openError)
{
    switch (outcome) {
    case UnitOutcome::Ok:
        return QString();
    case UnitOutcome::PortOpenFailed:
        if (openError == EBUSY)
            return QStringLiteral("cannot open the port %1: another program is measuring on it "
                                  "(it holds the port's lock)")
                .arg(port);
        return QStringLiteral("cannot open the port %1: %2")
            .arg(port, openError == ENOENT || openError == 0
                           ? QStringLiteral("no such port")
                           : QString::fromLocal8Bit(std::strerror(openError)));
    case UnitOutcome::PortAccessDenied:
        return QStringLiteral("cannot open the port %1: permission denied (serial ports need "
                              "the dialout group)")
            .arg(port);
    case UnitOutcome::UnitNotFound:
        return QStringLiteral("no HK-A2 unit answers on %1").arg(port);
    case UnitOutcome::PortNotOpen:
    case UnitOutcome::ReplyError:
        return QStringLiteral("the unit on %1 does not answer its identification").arg(port);
    case UnitOutcome::ModelUnknown:
        return QStringLiteral("the unit on %1 is neither an HK-A nor an HK-A2").arg(port);
    case UnitOutcome::Uncalibrated:
        return QStringLiteral("the unit on %1 is not calibrated").arg(port);
    case UnitOutcome::BandUnsupported:
        return QStringLiteral("the unit on %1 does not measure this band").arg(port);
    case UnitOutcome::SendError:
        return QStringLiteral("the unit on %1 did not answer the band request").arg(port);
    case UnitOutcome::Refused:
        return QStringLiteral("the unit on %1 refused the band").arg(port);
    case UnitOutcome::NotHexCount:
        return QStringLiteral("the unit on %1 answered the band request without a point count")
            .arg(port);
    case UnitOutcome::CountMismatch:
        return QStringLiteral("the unit on %1 announced another point count than the band "
                              "has: unit and program versions do not match")
            .arg(port);
    }
    return QString();
}

QString bandUnsupported(const QString &model, int band)
{
    return QStringLiteral("the %1 does not measure band %2 (%3)")
        .arg(model)
        .arg(band)
        .arg(bandCaption(band));
}

QString unitFellSilent(int received, int expected)
{
    return QStringLiteral("the unit fell silent after %1 of %2 points").arg(received).arg(expected);
}

QString receiveError(int received, int expected)
{
    return QStringLiteral("receive error after %1 of %2 points").arg(received).arg(expected);
}

QString nothingWritten(const QString &problem)
{
    return QStringLiteral("%1; nothing was written").arg(problem);
}

QString measureStopped(const QString &output)
{
    return QStringLiteral("stopped; the unit was released and %1 was not written").arg(output);
}

QString sweepOf(int sweep, int planned)
{
    return QStringLiteral("sweep %1 of %2").arg(sweep).arg(planned);
}

QString sweepFromOtherUnit()
{
    return QStringLiteral("another unit answered (its serial or model changed)");
}

QString sweepNotInSet()
{
    return QStringLiteral("the sweep does not fit the ones before it");
}

QString repeatFailed(int sweep, int planned, const QString &problem, int kept,
                     const QString &output)
{
    const QString before = kept == 1 ? QStringLiteral("the sweep before it was")
                                     : QStringLiteral("the %1 sweeps before it were").arg(kept);
    return QStringLiteral("sweep %1 of %2: %3; %4 written to %5 as a partial set")
        .arg(QString::number(sweep), QString::number(planned), problem, before, output);
}

QString repeatStopped(int sweep, int planned, const QString &output)
{
    return QStringLiteral("stopped in sweep %1 of %2; the unit was released and what was "
                          "measured was written to %3 as a partial set")
        .arg(sweep)
        .arg(planned)
        .arg(output);
}

QString onlyMeanWritten(const QString &problem, const QString &output)
{
    return QStringLiteral("%1; only the mean was written, to %2").arg(problem, output);
}

QString repeatFileNotRead(const QString &file)
{
    return QStringLiteral("%1 was written but does not read back as the set's repeat file")
        .arg(file);
}

QString analysisMessage(const QString &programText)
{
    using namespace AnalysisMessages;
    QString meaning;
    if (programText == noPeak())
        meaning = QStringLiteral("no resonance peak found");
    else if (programText == badRe())
        meaning = QStringLiteral("Re must be a number above 0 and below Rmax");
    else if (programText == noF1())
        meaning = QStringLiteral("R never falls to Rx below the resonance");
    else if (programText == noF2())
        meaning = QStringLiteral("R never falls to Rx above the resonance");
    else if (programText == badF1F2())
        meaning = QStringLiteral("f1 and f2 give no usable bandwidth");
    return meaning.isEmpty() ? programText : programText + QStringLiteral(" (") + meaning + ')';
}

QString infoDescription()
{
    return QStringLiteral("Prints for each data file its model tag, serial, date and time, COM "
                          "port, band,\npoint count and the ranges of frequency, R and phase. A "
                          "bad file is reported\nand the others are still shown.");
}
QString exportDescription()
{
    return QStringLiteral("Writes the program's text export of the measurement, byte for byte "
                          "what the\nwindow's export writes: averaged curve unless --raw, the "
                          "decimal separator\nof the locale. Without -o, or with -o -, to "
                          "standard output.");
}
QString zmaDescription()
{
    return QStringLiteral("Writes the curve as a three-column table (frequency in Hz, impedance "
                          "in ohms,\nphase in degrees) as crossover simulators import it: "
                          "averaged unless --raw.\nWithout -o, or with -o -, to standard "
                          "output.");
}
QString convertDescription()
{
    return QStringLiteral(
        "Reads another tool's impedance table (ZMA, FRD-style or any text table of\n"
        "frequency in Hz, impedance in ohms and optionally phase in degrees), puts it on\n"
        "the unit's grid of the band that best covers it, or of --band, and writes a\n"
        "VELO2 data file.");
}
QString convertOutputHelp()
{
    return QStringLiteral("the data file to write (\".DTA\" is added as the window adds it)");
}
QString convertBandHelp()
{
    return QStringLiteral("put the curve on this band (1 to 9) instead of the best covering one");
}
QString peaksDescription()
{
    return QStringLiteral("Lists up to five resonance peaks of the measurement, found by the "
                          "analysis\nwindow's search; the first one is the resonance (Fs, "
                          "Rmax).");
}
QString circleDescription()
{
    return QStringLiteral(
        "Fits a circle to the impedance R + jX around the main resonance, where R lies\n"
        "above a quarter of the way from the band's lowest R to its peak, and prints its\n"
        "diameter Res, fs (largest R), fa and fb (largest and smallest X, where the curve\n"
        "passes the circle's top and bottom), Qms = fs / (fb - fa) and the RMS distance\n"
        "of the points from the circle. The curve needs its phase.");
}
QString tsDescription()
{
    return QStringLiteral("Computes the ten Thiele-Small values from the first resonance peak "
                          "and the\nvoice-coil DC resistance Re, as the analysis window does.");
}
QString fitDescription()
{
    return QStringLiteral(
        "Fits a driver model to the whole complex impedance curve of the band (or of\n"
        "--from .. --to) by least squares and prints each parameter with its standard\n"
        "error, Fs, Qms, Qes, Qts, the RMS errors of |Z| and phase and a grade:\n"
        "excellent (|Z| <= 2 %, phase <= 1 deg), good (5 %, 3 deg), fair (10 %, 6 deg),\n"
        "else poor. A curve without phase is fitted on |Z| alone. Models: classic\n"
        "(Re + jwLe + Res || Lces || Cmes), lr2 (adds R2 || jwL2), semi (R2 || jwL2 || a\n"
        "semi-inductance Ke, and logarithmic creep beta of the suspension).");
}
QString fitModelHelp()
{
    return QStringLiteral("the model: classic, lr2 or semi");
}
QString fitReHelp()
{
    return QStringLiteral("voice-coil DC resistance Re in ohms, held fixed");
}
QString fitReFreeHelp()
{
    return QStringLiteral("fit Re as well, from a start read off the curve");
}
QString fitFromHelp()
{
    return QStringLiteral("fit from this frequency up (default: the band's start)");
}
QString fitToHelp()
{
    return QStringLiteral("fit up to this frequency (default: the band's end)");
}
QString fitZmaHelp()
{
    return QStringLiteral("also write the fitted curve on the measurement's points as a ZMA "
                          "table");
}

QString tsWorksheetDescription()
{
    return QStringLiteral(
        "With Sd (or the piston diameter), added masses or a box it also gives the\n"
        "refined resonance, Mms, Cms, Rms, Bl, Vas, EBP, efficiency and sensitivity by\n"
        "every method the inputs allow (two masses add the dual added-mass method),\n"
        "each with its formula, and flags on values to trust less. The loaded curves\n"
        "must be measured on the free-air curve's band.");
}
QString renderDescription()
{
    return QStringLiteral("Draws the graph as the main window shows it after opening the file "
                          "(and\nloading the references): frame, grid, curves and the axis "
                          "labels beside the\nplot, through the window's renderer. No display "
                          "is needed.");
}
QString measureDescription()
{
    return QStringLiteral(
        "Measures one band with the unit on the port and writes the data file, with the\n"
        "window's protocol, checks and file writer. A progress bar shows on standard error\n"
        "when it is a terminal. The unit is released on every way out, Ctrl-C included;\n"
        "nothing is written unless the whole band arrived. COMn is found as the program\n"
        "finds it: the entry COMn in the settings directory, else the n-th serial port.\n"
        "With --repeat N the band is measured N times: the data file holds their mean and\n"
        "NAME_repeats.txt beside it every sweep and the spread. Ctrl-C or a sweep that\n"
        "fails ends the set early: what was measured is written, marked partial.");
}
QString portHelp()
{
    return QStringLiteral("COMn (or just n), or the path of a serial device");
}
QString measureBandHelp()
{
    QStringList bands;
    for (int band = 1; band <= kBandCount; ++band)
        bands << QStringLiteral("%1 %2").arg(band).arg(bandCaption(band));
    return QStringLiteral("band as in the band list: ") + bands.join(QStringLiteral(", "));
}
QString measureOutputHelp()
{
    return QStringLiteral("the data file to write");
}
QString repeatHelp()
{
    return QStringLiteral("measure the band N times (%1 to %2) and write their mean")
        .arg(kMinRepeats)
        .arg(kMaxRepeats);
}
QString helpOptionHelp()
{
    return QStringLiteral("show this help");
}
QString portsDescription()
{
    return QStringLiteral(
        "Lists every serial device: its path, its stable name under /dev/serial/by-id, the\n"
        "USB adapter and kernel driver, the COM number it has for the program (a COMn link in\n"
        "the settings directory, else the machine's order), whether this user may open it,\n"
        "which process holds it, and hints on what stands in the way (dialout group, brltty,\n"
        "ModemManager).");
}
QString rootHelp()
{
    return QStringLiteral("read /sys, /dev, /proc and /etc below this folder instead of /");
}

QString jsonHelp()
{
    return QStringLiteral("print the results as JSON, numbers with full float precision");
}
QString outputHelp()
{
    return QStringLiteral("write to this file (\"-\" for standard output); into a folder under "
                          "the input's name");
}
QString renderOutputHelp()
{
    return QStringLiteral(
        "write the picture to this file (\"-\" for standard output; .png, .svg or .pdf)");
}
QString rawHelp()
{
    return QStringLiteral("the unaveraged curve (averaging off)");
}
QString reHelp()
{
    return QStringLiteral("voice-coil DC resistance Re in ohms");
}
QString sdHelp()
{
    return QStringLiteral("effective cone area Sd in cm²");
}
QString diameterHelp()
{
    return QStringLiteral("effective piston diameter in mm, instead of --sd");
}
QString massHelp()
{
    return QStringLiteral("a curve measured with GRAMS added to the cone (once or twice)");
}
QString boxHelp()
{
    return QStringLiteral("a curve measured in a sealed box of LITRES");
}
QString tsFitHelp()
{
    return QStringLiteral("fit model M (classic, lr2 or semi) to the free-air curve, Re held: the "
                          "methods then read the motional impedance Z - Ze, free of the coil");
}
QString tempHelp()
{
    return QStringLiteral("air temperature in °C (default 20)");
}
QString humidityHelp()
{
    return QStringLiteral("relative humidity of the air in % (default 0: dry air)");
}
QString rhoHelp()
{
    return QStringLiteral("air density in kg/m³, given directly (with --c, instead of --temp, "
                          "--pressure and --humidity)");
}
QString soundSpeedHelp()
{
    return QStringLiteral("speed of sound in m/s, given directly (with --rho)");
}
QString coilTempHelp()
{
    return QStringLiteral("temperature of the voice coil (or the room's) in °C: Re is also "
                          "given at 20 °C");
}
QString qcCoilTempHelp()
{
    return QStringLiteral("the unit's coil (or room) temperature in °C, for limits whose "
                          "re-window is at 20C (default 20)");
}
QString coilMaterialHelp()
{
    return QStringLiteral("the coil's conductor, copper (α = 0.00393 /K, the default) or "
                          "aluminium (0.00403 /K)");
}
QString badCoilMaterial(const QString &text)
{
    return QStringLiteral("unknown coil material '%1' (copper or aluminium)").arg(text);
}
QString typedFsHelp()
{
    return QStringLiteral("from numbers: the free-air resonance in Hz, typed instead of a data "
                          "file (with --qms, --qes and --re)");
}
QString typedQmsHelp()
{
    return QStringLiteral("from numbers: the mechanical Q");
}
QString typedQesHelp()
{
    return QStringLiteral("from numbers: the electrical Q");
}
QString typedFsMassHelp()
{
    return QStringLiteral("from numbers: the resonance in Hz with GRAMS added to the cone "
                          "(once or twice)");
}
QString uncertaintyHelp()
{
    return QStringLiteral("add the uncertainty of every value (also implied by any tolerance "
                          "below)");
}
QString toleranceHelp(const QString &option)
{
    static const std::pair<const char *, const char *> texts[] = {
        {"re-tol", "± of Re in ohm"},
        {"mass-resolution", "resolution of the scale that weighed the masses, in g"},
        {"sd-tol", "± of Sd in % (of the area the diameter gives when Sd is not given)"},
        {"diameter-tol", "± of the piston diameter in mm"},
        {"rho-tol", "± of the air density in kg/m³"},
        {"c-tol", "± of the speed of sound in m/s"},
        {"temp-tol", "± of the air temperature in °C"},
        {"pressure-tol", "± of the air pressure in hPa"},
        {"humidity-tol", "± of the relative humidity in %"},
        {"coil-temp-tol", "± of the coil temperature in °C"},
    };
    for (const auto &[name, text] : texts)
        if (option == QLatin1String(name))
            return QString::fromUtf8(text);
    return QString();
}
QString budgetHelp()
{
    return QStringLiteral("with the uncertainty, list below each value what each input adds "
                          "(the JSON always holds it)");
}
QString tsUncertaintyDescription()
{
    return QStringLiteral(
        "With --uncertainty or a tolerance each value comes as x ± U (k=2), U = 2·u, and the\n"
        "JSON gains an \"uncertainty\" section: \"k\", \"u_<key>\" in each key's unit per\n"
        "section and the \"budget\" (the standard uncertainty each input adds). A ± is\n"
        "the half-width of a rectangular distribution (u = ±/√3), the scale's resolution\n"
        "d gives u = d/√12; a measured curve adds what its grid step and its noise leave\n"
        "in its interpolated resonance.\n"
        "--fs, --qms, --qes, --re and --fs-mass compute the added-mass method from typed\n"
        "numbers, without a data file.");
}
QString pressureHelp()
{
    return QStringLiteral("air pressure in hPa (default 1013.25)");
}
QString refHelp()
{
    return QStringLiteral("also draw this data file as a reference curve (up to five times)");
}
QString sizeHelp()
{
    return QStringLiteral("size of the picture in pixels (default 640x384: a 500x312 graph box)");
}
QString rOnlyHelp()
{
    return QStringLiteral("draw R only, without the phase");
}
QString thickHelp()
{
    return QStringLiteral("draw the measured lines thick");
}
QString renderBandHelp()
{
    return QStringLiteral("frequency axis of band N (1-9) instead of the measurement's band");
}

QString viewHelp()
{
    return QStringLiteral("zphase (|Z| and phase, the default), rx (R and X), nyquist (X against "
                          "R),\ndiff or ratio (against the first --ref)");
}

QString legendHelp()
{
    return QStringLiteral("a box naming each drawn curve");
}

QString logZHelp()
{
    return QStringLiteral("a logarithmic |Z| axis (zphase)");
}

QString percentHelp()
{
    return QStringLiteral("the |Z| difference in % of the reference (diff)");
}

QString badView(const QString &text)
{
    return QStringLiteral("--view '%1': the view must be one of %2")
        .arg(text, graphViewNames().join(QStringLiteral(", ")));
}

QString viewNeedsPhase(const QString &view, const QString &file)
{
    return QStringLiteral("the %1 view needs the phase, and %2 has none").arg(view, file);
}

QString viewNeedsReference(const QString &view)
{
    return QStringLiteral("the %1 view compares against a reference: give one with --ref")
        .arg(view);
}

QString viewUncompared(int count, const QString &reference)
{
    return QStringLiteral("%1 points not compared: %2 has no points there (another band or range)")
        .arg(count)
        .arg(reference);
}

QString fieldModel()
{
    return QStringLiteral("model");
}
QString fieldSerial()
{
    return QStringLiteral("serial");
}
QString fieldDateTime()
{
    return QStringLiteral("date-time");
}
QString fieldComPort()
{
    return QStringLiteral("COM port");
}
QString fieldBand()
{
    return QStringLiteral("band");
}
QString fieldPoints()
{
    return QStringLiteral("points");
}
QString fieldFrequency()
{
    return QStringLiteral("frequency");
}
QString fieldR()
{
    return QStringLiteral("R");
}
QString fieldTheta()
{
    return QStringLiteral("θ");
}
QString fieldSweeps()
{
    return QStringLiteral("sweeps");
}
QString fieldPartial()
{
    return QStringLiteral("partial");
}
QString fieldSpreadR()
{
    return QStringLiteral("σ|Z| max");
}
QString fieldSpreadTheta()
{
    return QStringLiteral("σθ max");
}
QString sweepsHeld(int held, int planned)
{
    return QStringLiteral("%1 of %2").arg(held).arg(planned);
}
QString yesNo(bool yes)
{
    return yes ? QStringLiteral("yes") : QStringLiteral("no");
}
QString valueAt(const QString &value, const QString &frequency)
{
    return QStringLiteral("%1 at %2").arg(value, frequency);
}
QString peaksHeading()
{
    return QStringLiteral("peak\tfrequency[Hz]\tR[Ω]");
}
QString circleLabel(int i)
{
    static const char *const labels[kCircleValueCount] = {
        "Res [ Ω ]", "fs [ Hz ]", "fa [ Hz ]", "fb [ Hz ]", "Qms", "residual [ Ω ]"};
    return i >= 0 && i < kCircleValueCount ? QString::fromUtf8(labels[i]) : QString();
}
QString circleRefused(CircleOutcome outcome)
{
    switch (outcome) {
    case CircleOutcome::Ok:
        return QString();
    case CircleOutcome::NoResonance:
        return QStringLiteral("no motional circle: the curve has no resonance peak");
    case CircleOutcome::NoPhase:
        return QStringLiteral("no motional circle: the curve has no phase, so no R and X");
    case CircleOutcome::TooFewPoints:
        return QStringLiteral("no motional circle: fewer than %1 points around the resonance "
                              "(a peak too sharp for the grid)")
            .arg(kMinCirclePoints);
    case CircleOutcome::NoCircle:
        return QStringLiteral("no motional circle: the points around the resonance lie on no "
                              "circle");
    case CircleOutcome::NoTurningX:
        return QStringLiteral("no motional circle: the curve does not pass the circle's top, "
                              "right end and bottom in turn");
    }
    return QString();
}

QString qcDescription()
{
    return QStringLiteral(
        "Production QC of one driver type.\n"
        "\n"
        "  qc limits GOLDEN.DTA... -o LIMITS   limits from measurements of good units\n"
        "  qc limits --from-db URL --last N   new windows from the units that passed\n"
        "  qc check FILE.DTA --limits LIMITS  pass or fail one unit against them\n"
        "  qc report --db URL                 counts, yield, mean, sigma and Cpk of the log\n"
        "  qc grr --csv FILE | --db URL --study NAME\n"
        "                                     a gauge study: repeatability and reproducibility\n"
        "  qc replicate --site URL --centre URL  a site's log replicated to a centre\n"
        "\n"
        "Run 'velo2-cli qc SUBCOMMAND --help' for its options.");
}
QString unknownQcCommand(const QString &name)
{
    return QStringLiteral("unknown qc subcommand \"%1\"").arg(name);
}
QString qcLimitsDescription()
{
    return QStringLiteral(
        "Makes QC limits from golden measurements of one driver type, all on one band: a\n"
        "band on |Z| at every grid point and windows on Fs, Rmax, Qms, Qes, Qts and the\n"
        "smallest |Z| above resonance (Zmin), each mean +- max(k * sigma, tolerance-pct %\n"
        "of the mean) of the golden values. Writes them as an editable text file.");
}
QString qcCheckDescription()
{
    return QStringLiteral(
        "Checks one measurement against a limits file and prints PASS or FAIL with every\n"
        "failed item: a parameter outside its window, frequency ranges where |Z| leaves\n"
        "the band. Exit status 0 pass, 3 fail.");
}
QString qcLimitsOutputHelp()
{
    return QStringLiteral("the limits file to write");
}
QString qcKHelp()
{
    return QStringLiteral("width of each window in standard deviations (default 3)");
}
QString qcTolerancePctHelp()
{
    return QStringLiteral("smallest half width of each window in % of the mean (default 5)");
}
QString qcReHelp()
{
    return QStringLiteral("Re in ohms for the Thiele-Small values (default: from the golden "
                          "curves, their smallest real part of Z)");
}
QString qcNameHelp()
{
    return QStringLiteral("the driver type's name in the file (default: the file's base name)");
}
QString qcLimitsFileHelp()
{
    return QStringLiteral("the limits file made by 'velo2-cli qc limits'");
}
QString qcSerialHelp()
{
    return QStringLiteral("the unit's serial number, at most 128 characters "
                          "(default: the file's base name)");
}
QString qcStationHelp()
{
    return QStringLiteral(
        "the station's name in the results log, at most 64 characters (default: the host name)");
}
QString qcDbHelp()
{
    return QStringLiteral("log the result: an SQLite file or a postgresql:// URI");
}
QString qcReportDescription()
{
    return QStringLiteral(
        "Counts and yield of the units in a results log (a unit tested again counts once,\n"
        "by its serial, with its latest result) and, per parameter, mean, sigma and Cpk of\n"
        "the units that passed the limits of the latest unit, against its window\n"
        "(min(high - mean, mean - low) / 3 sigma).\n"
        "--csv gives the counts, a blank line and one row per parameter; --json the keys\n"
        "units, passed, failed, yieldPct, results, capabilityOf and parameters\n"
        "{name: {mean, sigma, cpk, n, low, high}}.");
}
QString qcReportDbHelp()
{
    return QStringLiteral("the results log: an SQLite file or a postgresql:// URI");
}
QString qcSinceHelp()
{
    return QStringLiteral("only units checked from DATE on (YYYY-MM-DD, local midnight, or an "
                          "ISO 8601 date and time)");
}
QString qcCsvHelp()
{
    return QStringLiteral("comma-separated values");
}
QString qcBadSince(const QString &text)
{
    return QStringLiteral("--since '%1': expected YYYY-MM-DD or an ISO 8601 date and time")
        .arg(text);
}
QString qcLimitsWritten(const QString &file, int band, int golden, const QString &re)
{
    return QStringLiteral("%1: band %2, %3 golden units, Re %4 ohm")
        .arg(file)
        .arg(band)
        .arg(golden)
        .arg(re);
}
QString qcOptionOutOfRange(const QString &option, const QString &text, bool positive)
{
    return QStringLiteral("%1 '%2': must be %3")
        .arg(option, text, positive ? QStringLiteral("above 0") : QStringLiteral("0 or more"));
}
QString qcPassed()
{
    return QStringLiteral("PASS");
}
QString qcFailed()
{
    return QStringLiteral("FAIL");
}

// compare

QString compareDescription()
{
    return QStringLiteral(
        "The difference and ratio of a curve against a reference, point by point "
        "where both have\na point (a reference on another grid is interpolated on "
        "log f, never extrapolated),\nand their largest deviations.");
}
QString compareRefHelp()
{
    return QStringLiteral("the reference: a data file or another tool's table");
}
QString compareHeading()
{
    return QStringLiteral("f [Hz]\tdiff [ohm]\tdiff [%]\tratio [dB]\tphase diff [deg]");
}
QString compareSummary(const QString &maxDiffOhm, const QString &maxDiffPct, const QString &atHz,
                       const QString &maxRatioDb, const QString &maxPhaseDeg)
{
    return QStringLiteral("largest difference %1 ohm (%2 %) at %3 Hz; largest ratio %4 dB; "
                          "largest phase difference %5 deg")
        .arg(maxDiffOhm, maxDiffPct, atHz, maxRatioDb, maxPhaseDeg);
}
QString compareUncompared(int count)
{
    return QStringLiteral("%1 point(s) of the curve lie outside the reference's range (or have "
                          "|Z| 0) and are not compared")
        .arg(count);
}
QString compareNothingInCommon()
{
    return QStringLiteral("the curve and the reference have no frequency in common");
}
QString compareNoPhase()
{
    return QStringLiteral("a curve without phase: the phase difference is not given");
}

// many units: stats, match, trend

QString statsDescription()
{
    return QStringLiteral(
        "Prints each unit's Re, Fs, Qms, Qes, Qts and |Z| at the resonance (the analysis\n"
        "window's classic method from the band's main resonance) and, per column, the\n"
        "mean, sample standard deviation (n - 1), minimum, maximum and count. Data files\n"
        "and other tools' tables alike; a file that cannot be read or gives no values is\n"
        "listed on standard error and the others go on. The files must share a band.");
}
QString matchDescription()
{
    return QStringLiteral(
        "Splits the units into K sets so that the worst in-set spread is smallest. A set's\n"
        "spread is the largest, over the --by parameters, of weight * (max - min) / sigma,\n"
        "sigma being the parameter's sample standard deviation over all units. Exact up to\n"
        "16 units; above, dealt in the order of each parameter and of seeded shuffles and\n"
        "improved by swaps, with the lower bound no split can go under.");
}
QString trendDescription()
{
    return QStringLiteral(
        "Prints Fs, Qts and Re of each file against its measurement date (the data file's\n"
        "own date and time in any form the program writes; for a table, the file's\n"
        "modification time) in date order, and whether the resonance has settled: the\n"
        "last two Fs differ by less than --settle percent (default 2).");
}
QString reAllHelp()
{
    return QStringLiteral("one Re in ohms for every unit");
}
QString reFileHelp()
{
    return QStringLiteral("each unit's Re from a two-column text 'file,Re', matched by file name");
}
QString reEstimateHelp()
{
    return QStringLiteral("estimate Re from each curve: the lowest |Z|*cos(phase) of the band "
                          "(lowest |Z| without phase); reads a little high");
}
QString setsHelp()
{
    return QStringLiteral("the number of sets");
}
QString setSizeHelp()
{
    return QStringLiteral("units per set, or one size per set ('4,4,2'); default: as equal as "
                          "possible, all units used");
}
QString byHelp()
{
    return QStringLiteral("the parameters to match, each optionally ':WEIGHT' (re, fs, qms, qes, "
                          "qts, zmax; default fs,qts)");
}
QString settleHelp()
{
    return QStringLiteral("settled when the last two Fs differ by less than this percentage "
                          "(default 2)");
}
QString givenOrderHelp()
{
    return QStringLiteral("keep the files in the order given instead of sorting them by date");
}
QString unitsReChoice()
{
    return QStringLiteral("give Re: --re OHMS, --re-file CSV or --re-estimate");
}
QString unitsReExclusive()
{
    return QStringLiteral("--re, --re-file and --re-estimate exclude each other");
}
QString reFileBad(int line)
{
    return QStringLiteral("line %1 is not 'file,Re' with Re a number above 0").arg(line);
}
QString reFileMissing(const QString &list)
{
    return QStringLiteral("not in the Re list %1").arg(list);
}
QString folderWithoutUnits()
{
    return QStringLiteral("holds no data file or table (*.DTA, *.zma, *.frd)");
}
QString reNotEstimated()
{
    return QStringLiteral("no measured point to estimate Re from");
}
QString unitsDbHelp()
{
    return QStringLiteral("also the saved measurements of the units in a results log (an SQLite "
                          "file or a postgresql:// URI), in the order they were checked");
}
QString unitsPassedHelp()
{
    return QStringLiteral("with --db: only units that passed");
}
QString unitsFailedHelp()
{
    return QStringLiteral("with --db: only units that failed");
}
QString unitsStationHelp()
{
    return QStringLiteral("with --db: only units of station NAME");
}
QString unitsNone()
{
    return QStringLiteral("no unit gave values");
}
QString unitsNoCommonBand()
{
    return QStringLiteral("shares no band with the files before it; compare units measured on a "
                          "common band");
}
QString unitsSkipped(int count, int total)
{
    return QStringLiteral("%1 of %2 file(s) left out (see above)").arg(count).arg(total);
}
QString unitsCommonBand(const QString &fromHz, const QString &toHz, int points)
{
    return QStringLiteral("common band %1 .. %2 Hz, %3 point(s)").arg(fromHz, toHz).arg(points);
}
QString unitsEstimatedNote()
{
    return QStringLiteral("* Re estimated from the curve");
}
QString matchBadSets(const QString &text)
{
    return QStringLiteral("--sets '%1': not a whole number of sets above 0").arg(text);
}
QString matchBadSize(const QString &text)
{
    return QStringLiteral("--size '%1': not a size above 0 or one size per set").arg(text);
}
QString matchBadBy(const QString &name)
{
    return QStringLiteral("--by '%1': not one of re, fs, qms, qes, qts, zmax (with an optional "
                          "':WEIGHT' of 0 or more)")
        .arg(name);
}
QString matchVasUnavailable()
{
    return QStringLiteral("--by vas: Vas needs each unit's Sd and an added mass or box, which "
                          "match does not take; match on fs, qts and the others");
}
QString matchProblem(MatchProblem problem, int units, int sets, int total)
{
    switch (problem) {
    case MatchProblem::FewerUnitsThanSets:
        return QStringLiteral("%1 unit(s) cannot make %2 sets").arg(units).arg(sets);
    case MatchProblem::SizesDoNotAdd:
        return QStringLiteral("the set sizes add up to %1 but there are %2 unit(s)")
            .arg(total)
            .arg(units);
    case MatchProblem::BadSize:
        return QStringLiteral("a set must hold at least one unit");
    case MatchProblem::NoUnits:
        return unitsNone();
    case MatchProblem::NoParameters:
    case MatchProblem::NotFinite:
    case MatchProblem::None:
        break;
    }
    return QStringLiteral("the units' values cannot be matched");
}
QString matchSetLine(int set, const QString &spread, const QString &files)
{
    return QStringLiteral("set %1  spread %2  %3").arg(set).arg(spread, files);
}
QString matchWorst(const QString &spread, bool exact, const QString &lowerBound)
{
    return exact ? QStringLiteral("worst spread %1 (exact: no split does better)").arg(spread)
                 : QStringLiteral("worst spread %1 (heuristic; no split can go under %2)")
                       .arg(spread, lowerBound);
}
QString trendBadSettle(const QString &text)
{
    return QStringLiteral("--settle '%1': not a percentage above 0").arg(text);
}
QString trendSettled(bool settled, const QString &pct)
{
    return settled ? QStringLiteral("settled: the last two Fs differ by less than %1 %").arg(pct)
                   : QStringLiteral("not settled: the last two Fs differ by %1 % or more (or "
                                    "fewer than two points)")
                         .arg(pct);
}
QString trendAmbiguousNote()
{
    return QStringLiteral("? day and month could be either way round; read month first");
}
QString trendModifiedNote()
{
    return QStringLiteral("~ no date in the file: its modification time");
}

// velo2-cli box

QString boxDescription()
{
    return QStringLiteral(
        "Reads a vented box from its impedance: the two |Z| peaks fL < fH and the minimum fM\n"
        "between them, each interpolated between the grid's points, then by the textbook\n"
        "relations Fb = fM, fs = fL fH / fM, alpha = (fH^2 - fM^2)(fM^2 - fL^2) / (fH^2 fL^2)\n"
        "and Vas = alpha Vb, exact for a lossless box only. Then fits a lossy box to the\n"
        "whole complex BOX curve: the driver's model fitted to FREE (the driver in free air,\n"
        "measured on the same band) with the box's compliance (Vas), the port's tuning Fb\n"
        "and the leakage QL (absorption QA and port loss QP where they improve the fit),\n"
        "each with its standard error.");
}
QString boxVbHelp()
{
    return QStringLiteral("the box's net volume in litres (required)");
}
QString boxBadVb(const QString &text)
{
    return QStringLiteral("--vb '%1': give the box's volume in litres, above 0").arg(text);
}
QString boxOtherBand(int freeBand, int boxBand)
{
    return QStringLiteral("the box curve is on band %1, the free-air curve on band %2: measure "
                          "both on one band")
        .arg(boxBand)
        .arg(freeBand);
}
QString boxRefused(VentedBoxOutcome outcome)
{
    switch (outcome) {
    case VentedBoxOutcome::Ok:
        return QString();
    case VentedBoxOutcome::NoData:
        return QStringLiteral("no vented box: the band holds no measured curve");
    case VentedBoxOutcome::BadVolume:
        return QStringLiteral("no vented box: the box's volume must be above 0 litres");
    case VentedBoxOutcome::OnePeak:
        return QStringLiteral("no vented box: the curve has one impedance peak, as a sealed box "
                              "or a blocked port has; for a sealed box use the sealed-box "
                              "analysis: velo2-cli ts FREE --re OHMS --box BOX:LITRES, or the "
                              "worksheet's box");
    }
    return QString();
}
QString boxLabel(int row)
{
    static const char *const kLabels[] = {
        "fL (lower peak)", "fM (minimum)", "fH (upper peak)", "Fb", "alpha", "fs", "Vas"};
    return QLatin1String(kLabels[row]);
}

// compensation networks: zobel
QString zobelDescription()
{
    return QStringLiteral(
        "Fits a Zobel (series R-C across the driver) to the measured complex impedance so\n"
        "that |Z| stays flattest over the band (the largest deviation from its mean, in %),\n"
        "snaps R and C to an E-series and prints the classic rules' values beside.");
}
QString zobelFromHelp()
{
    return QStringLiteral("the band's bottom (default 300 Hz)");
}
QString zobelToHelp()
{
    return QStringLiteral("the band's top (default 20000 Hz)");
}
QString zobelSeriesHelp()
{
    return QStringLiteral("the parts' series: E12, E24 (default) or exact");
}
QString zobelBadFrequency(const QString &option, const QString &text)
{
    return QStringLiteral("--%1 '%2': not a frequency above 0").arg(option, text);
}
QString zobelBadSeries(const QString &text)
{
    return QStringLiteral("--series '%1': not E12, E24 or exact").arg(text);
}
QString zobelRefused(ZobelOutcome outcome)
{
    switch (outcome) {
    case ZobelOutcome::Ok:
        return QString();
    case ZobelOutcome::BadBand:
        return QStringLiteral("no Zobel: the band's bottom must lie below its top");
    case ZobelOutcome::TooFewPoints:
        return QStringLiteral("no Zobel: fewer than %1 measured points in the band")
            .arg(kMinZobelPoints);
    case ZobelOutcome::NoPhase:
        return QStringLiteral("no Zobel: the curve has no phase, so no reactance to compensate");
    case ZobelOutcome::NoCoilRise:
        return QStringLiteral(
            "no Zobel: |Z| does not rise toward the band's top (no voice-coil inductance to "
            "compensate in this band)");
    }
    return QString();
}
QString zobelEstimates(const QString &re, const QString &leMh)
{
    return QStringLiteral("Re %1 ohm, Le %2 mH (from the curve)").arg(re, leMh);
}

QString notchDescription()
{
    return QStringLiteral(
        "Fits a notch (series R-L-C across the driver) that flattens the resonance peak\n"
        "over fs/3 to 3·fs, starting from the textbook values of the curve's fs, Qms and Qes.");
}
QString notchRefused(NotchOutcome outcome)
{
    switch (outcome) {
    case NotchOutcome::Ok:
        return QString();
    case NotchOutcome::NoPhase:
        return QStringLiteral("no notch: the curve has no phase, so no Re to start from");
    case NotchOutcome::NoResonance:
        return QStringLiteral("no notch: the curve has no resonance peak with its -3 dB points");
    }
    return QString();
}

// driver files
QString driverDescription()
{
    return QStringLiteral("The worksheet's driver for box and crossover simulators.\n"
                          "\n"
                          "  driver export FREE.DTA --re OHMS [...] --format json|hornresp -o OUT\n"
                          "  driver show DRIVER.json [--json]\n"
                          "\n"
                          "Run 'velo2-cli driver SUBCOMMAND --help' for its options.");
}
QString unknownDriverCommand(const QString &name)
{
    return QStringLiteral("unknown driver subcommand \"%1\"").arg(name);
}
QString driverExportDescription()
{
    return QStringLiteral(
        "Writes the driver the worksheet computes from the free-air curve (with the\n"
        "worksheet's options: Sd, added masses, a box, the air, a fit) as an open JSON\n"
        "driver file (the default; 'velo2-cli ts DRIVER.json' reads it back) or as a\n"
        "Hornresp parameter record (Sd, Bl, Cms, Rms, Mmd, Le, Re; needs Sd and a mass or\n"
        "a box). Mmd = Mms - 2*8/3*rho*a^3, a = sqrt(Sd/pi). Le comes from the --fit model,\n"
        "else from the classic model fitted to the curve.");
}
QString driverFormatHelp()
{
    return QStringLiteral("json (default) or hornresp");
}
QString driverShowDescription()
{
    return QStringLiteral("Prints the values of a driver file under the worksheet's key names.");
}

QString compensatedZmaHelp()
{
    return QStringLiteral("also write the measured curve with the network across it as a ZMA "
                          "table");
}

QString zobelSecondHelp()
{
    return QStringLiteral("fit a second R-C beside the first (fitted and snapped add R2_ohm and "
                          "C2_uF)");
}

// velo2-cli qc grr
QString qcGrrDescription()
{
    return QStringLiteral(
        "A crossed gauge study (every operator measures every part the same number of times)\n"
        "by the ANOVA method of the AIAG measurement systems manual: the two-way table with\n"
        "the part x operator interaction, pooled into repeatability when its p is above 0.25;\n"
        "EV, AV, GRR and PV as standard deviations and as a percentage of the total\n"
        "variation, ndc = floor(1.41 PV / GRR) and the verdict: %GRR up to 10 acceptable, up\n"
        "to 30 marginal, above that not acceptable.\n"
        "--csv reads rows of part, operator, trial, value (a header may name them in another\n"
        "order, with a parameter column); --db reads a study the QC station measured into the\n"
        "results log. --json gives the keys EV_pct, AV_pct, INT_pct, GRR_pct, PV_pct, ndc,\n"
        "verdict, EV, AV, INT, GRR, PV, TV, parts, operators, trials, interactionPooled,\n"
        "anova and (when pooled) anovaPooled, rows of source, df, SS, MS, F and p.\n"
        "A study with a cell missing or given twice is refused; nothing is changed.");
}
QString qcGrrCsvHelp()
{
    return QStringLiteral("the study's values: part, operator, trial, value rows");
}
QString qcGrrDbHelp()
{
    return QStringLiteral("the results log the station measured the study into (read only)");
}
QString qcGrrStudyHelp()
{
    return QStringLiteral("the study's name in the results log");
}
QString qcGrrParameterHelp()
{
    return QStringLiteral("the parameter to work out, when there is more than one (Fs, Qts...)");
}

// velo2-cli qc report: control charts, capability per period and the page
QString qcReportSpcDescription()
{
    return QStringLiteral(
        "\n\n--by, --charts or --html add, per parameter of the latest unit, the individuals\n"
        "and moving-range chart of every measured value in time order (limits centre +/-\n"
        "2.66 MR-bar, moving range up to 3.267 MR-bar), the points that break the four\n"
        "Western Electric rules, and Cpk (sigma = MR-bar / 1.128) and Ppk (sample sigma)\n"
        "against the latest unit's window, overall and per day, shift or station, with\n"
        "their trend (slope per period). --json gives them under spc; --charts adds the\n"
        "limits, rule counts and the points (at most 600 groups). --html writes one page\n"
        "without scripts or requests: yield, the charts, histograms with the window, Cpk\n"
        "and Ppk per period and the latest failed units.");
}
QString qcByHelp()
{
    return QStringLiteral("Cpk and Ppk per local day (default), shift or station");
}
QString qcShiftsHelp()
{
    return QStringLiteral("the shifts in local time, e.g. \"06:00-14:00,14:00-22:00,22:00-06:00\" "
                          "(the default); they must not overlap");
}
QString qcChartsHelp()
{
    return QStringLiteral("with --json: each parameter's I-MR chart (limits, rule counts, points)");
}
QString qcHtmlHelp()
{
    return QStringLiteral("write the report as one self-contained HTML page to FILE");
}
QString qcBadBy(const QString &text)
{
    return QStringLiteral("--by '%1': expected day, shift or station").arg(text);
}
QString qcShiftsNeedBy()
{
    return QStringLiteral("--shifts needs --by shift");
}
QString qcChartsNeedJson()
{
    return QStringLiteral("--charts needs --json");
}

// velo2-cli box: the lossy box's fit
QString boxReHelp()
{
    return QStringLiteral(
        "the voice coil's Re in ohms, held in the free-air fit (default: fitted)");
}
QString boxFitRefused(VentedBoxFitOutcome outcome, const QString &driverProblem)
{
    switch (outcome) {
    case VentedBoxFitOutcome::Ok:
    case VentedBoxFitOutcome::Textbook:
    case VentedBoxFitOutcome::OtherBand:
        return QString();
    case VentedBoxFitOutcome::FreeAirFailed:
        return QStringLiteral("no box fit: the free-air curve gives no driver model (%1)")
            .arg(driverProblem);
    case VentedBoxFitOutcome::NoConvergence:
        return QStringLiteral("no box fit: no lossy box follows the box curve");
    }
    return QString();
}
QString boxTextbookHeading()
{
    return QStringLiteral("textbook (exact for a lossless box)");
}
QString boxFitHeading(const QString &model, const QString &losses)
{
    return QStringLiteral("fit of a lossy box (driver: %1 model of FREE; losses: %2)")
        .arg(model, losses);
}
QString boxFitLabel(int row)
{
    static const char *const kLabels[] = {
        "Fb",        "Vas",           "QL (leakage)", "QA (absorption)",
        "QP (port)", "fs (free air)", "rms |Z| error"};
    return QLatin1String(kLabels[row]);
}
QString boxNoLoss()
{
    return QStringLiteral("none seen");
}

// sites and a centre: qc replicate
QString qcReplicateDescription()
{
    return QStringLiteral(
        "Replicates a site's results log to a centre through PostgreSQL's logical replication: "
        "a publication of the results tables on the site, a subscription named after the site "
        "on the centre. The site's server needs wal_level = logical and a role that may "
        "replicate; the centre's role must be a superuser. The site URL must reach the site "
        "from the centre's server. Nothing is changed when a check fails.\n"
        "--status shows each site the centre subscribes to and how far it has come; --remove "
        "drops a site's subscription (and, with --site, its publication and slot).");
}
QString qcReplicateSiteHelp()
{
    return QStringLiteral("the site's results log, a postgresql:// URI");
}
QString qcReplicateCentreHelp()
{
    return QStringLiteral("the centre's results log, a postgresql:// URI");
}
QString qcReplicateNameHelp()
{
    return QStringLiteral("the site's name: its subscription and slot, and the value of the "
                          "site column (default: the name it has, else host_database)");
}
QString qcReplicateReplaceHelp()
{
    return QStringLiteral("drop what an earlier run left (subscription, slot, publication, the "
                          "site's rows at the centre) and copy the site again");
}
QString qcReplicateStatusHelp()
{
    return QStringLiteral("show the sites the centre subscribes to (with --site: how many bytes "
                          "that site is ahead)");
}
QString qcReplicateRemoveHelp()
{
    return QStringLiteral("drop the subscription --name at the centre (with --site also the "
                          "publication and slot there); the rows stay");
}
QString qcReplicateJsonOnlyStatus()
{
    return QStringLiteral("--json goes with --status");
}
QStringList qcReplicateStatusHeader()
{
    return {QStringLiteral("site"),        QStringLiteral("state"),
            QStringLiteral("units"),       QStringLiteral("received"),
            QStringLiteral("applied"),     QStringLiteral("last message"),
            QStringLiteral("behind bytes")};
}

QString qcReplicateState(bool enabled, bool running, bool copying)
{
    if (!enabled)
        return QStringLiteral("disabled");
    if (!running)
        return QStringLiteral("stopped");
    return copying ? QStringLiteral("copying") : QStringLiteral("streaming");
}

// qc limits --from-db
namespace {
QString ofStation(const QString &station)
{
    return station.isEmpty() ? QString() : QStringLiteral(" at station %1").arg(station);
}
} // namespace
QString qcFromLogDescription()
{
    return QStringLiteral(
        "Proposes new parameter windows for a driver type from the last N units that passed\n"
        "in a results log (a unit tested again counts once, with its latest result), by the\n"
        "rule golden limits are made with: mean +- max(k * sigma, tolerance-pct % of the\n"
        "mean) of their logged values. Prints, per parameter, the current window, the new one\n"
        "and how it changed. With --limits the units are those checked as that file's type,\n"
        "k and tolerance-pct are its own, and -o writes it anew with the new windows and its\n"
        "revision raised (the band on |Z| and Re are kept: the log holds no curves). Without\n"
        "it the current windows are those the latest of the units was checked against.");
}
QString qcLastHelp()
{
    return QStringLiteral("how many of the latest units that passed, at least 10");
}
QString qcFromStationHelp()
{
    return QStringLiteral("only units checked at this station (default: every station)");
}
QString qcCurrentLimitsHelp()
{
    return QStringLiteral("the limits file in use: its type, rule and windows");
}
QString qcProposalOutputHelp()
{
    return QStringLiteral("write the proposed limits file (needs --limits)");
}
QString qcFromLogKHelp()
{
    return QStringLiteral("width of each window in standard deviations (default: the limits "
                          "file's, else 3)");
}
QString qcFromLogTolerancePctHelp()
{
    return QStringLiteral("smallest half width of each window in % of the mean (default: the "
                          "limits file's, else 5)");
}
QString qcBadLast(const QString &text, int least)
{
    return QStringLiteral("--last '%1': must be a whole number of units, at least %2 (sigma "
                          "needs them)")
        .arg(text)
        .arg(least);
}
QString qcOutputNeedsLimits()
{
    return QStringLiteral("-o needs --limits CURRENT: the new file keeps its band and Re");
}
QString qcNonePassed(const QString &log, const QString &type, const QString &station)
{
    if (type.isEmpty())
        return QStringLiteral("%1: no unit passed%2").arg(log, ofStation(station));
    return QStringLiteral("%1: no unit of %2 passed%3").arg(log, type, ofStation(station));
}
QString qcTooFewPassed(const QString &log, const QString &type, const QString &station, int found,
                       int asked)
{
    return QStringLiteral("%1: only %2 units of %3 passed%4, --last asks for %5")
        .arg(log)
        .arg(found)
        .arg(type, ofStation(station))
        .arg(asked);
}
QString qcProposalWritten(const QString &file, const QString &title)
{
    return QStringLiteral("%1: written as %2").arg(file, title);
}

QString formatHelp()
{
    return QStringLiteral("png, svg or pdf (default: from the -o suffix, else png)");
}
QString badFormat(const QString &text)
{
    return QStringLiteral("--format '%1': the format must be one of png, svg, pdf").arg(text);
}
QString darkHelp()
{
    return QStringLiteral("draw the plot as on a dark desktop (dark background, grid and labels)");
}
QString ratioHelp()
{
    return QStringLiteral(
        "PNG: device pixels per picture pixel, 1 to 4 (2 for a HiDPI screen; default 1)");
}
QString badRatio(const QString &text)
{
    return QStringLiteral("--ratio '%1': the ratio must be a number from 1 to 4").arg(text);
}

} // namespace CliMessages
