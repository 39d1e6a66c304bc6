#pragma once

#include <QString>

enum class ZobelOutcome;
enum class NotchOutcome;

// Every text of the compensation networks window.
namespace CompensationTexts {

QString title();
QString menuItem();

// the inputs
QString fromHz();
QString toHz();
QString series();
QString seriesItem(int index); // E12, E24, the fitted values as they are
QString secondPair();
QString shown();
QString shownItem(int index); // Zobel, notch, both

// the results
QString zobelGroup();
QString notchGroup();
QString columnMethod();
QString columnR();
QString columnL();
QString columnC();
QString columnFlatness();
QString rowFitted();
QString rowSnapped(const QString &series);
QString rowTextbook();
QString zobelEstimates(const QString &re, const QString &leMh, const QString &from,
                       const QString &to);
QString notchEstimates(const QString &fs, const QString &qms, const QString &qes,
                       const QString &from, const QString &to);
QString zobelRefused(ZobelOutcome outcome, int minPoints);
QString notchRefused(NotchOutcome outcome);
QString computing();
QString noMeasurement();
QString notANumber(const QString &field);

// the graph and the buttons
QString graph();
QString measured();
QString compensated();
QString exportZma();
QString exportCaption();
QString zmaFilter();
QString writeFailed(const QString &path);
QString close();

} // namespace CompensationTexts
