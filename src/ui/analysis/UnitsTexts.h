#pragma once

#include <QString>

// Every text of the units window.
namespace UnitsTexts {

QString title();
QString menuItem();

QString addFiles();
QString addFolder();
QString addFromLog();
QString logTitle();
QString logTarget();
QString logTargetHint();
QString logSince();
QString logVerdict();
QString logAll();
QString logPassed();
QString logFailed();
QString logStation();
QString logAllStations();
QString logNoUnits();
QString clearFiles();
QString compute();
QString chooseFiles();
QString chooseFolder();
QString chooseReList();
QString fileFilter();
QString reListFilter();
// the Re choice
QString reGroup();
QString reTyped();
QString reListed();
QString reEstimated();
QString reListButton();
QString noReList();
QString badRe();
QString reListUnreadable(const QString &file);
QString reListBadLine(int line);
QString estimatedMark(); // tooltip of the mark after an estimated Re

// the reasons a file is left out
QString notReadable();
QString folderWithoutUnits();
QString notInReList();
QString reNotEstimated();
QString skipped(int skipped, int total);
QString noUnits();
QString noCommonBand(const QString &file);
QString busy();

// the tabs and columns
QString tableTab();
QString setsTab();
QString trendTab();
QString fileColumn();
QString mean();
QString sigma();
QString minimum();
QString maximum();
QString envelopeShown();
QString envelopeSigmas();
QString edgesSigmas();
QString edgesMinMax();
QString histogramOf(const QString &column);

// matched sets
QString setsCount();
QString setSizes();
QString matchBy();
QString match();
QString setColumn();
QString spreadColumn();
QString filesColumn();
QString worstExact(const QString &spread);
QString worstHeuristic(const QString &spread, const QString &bound);
QString badSizes();
QString fewerUnitsThanSets(int units, int sets);
QString sizesDoNotAdd(int total, int units);
QString noParameters();
QString notFinite();

// the trend
QString dateColumn();
QString settlePct();
QString settled(bool settled);
QString ambiguousNote();
QString modifiedNote();

} // namespace UnitsTexts
