#pragma once

#include <QString>

// Every text of the driver library window and of the worksheet's driver files.
namespace DriverTexts {

QString title();
QString menuItem();
QString folder();
QString chooseFolder();
QString rescan();
QString search();
QString open();
QString columnName();
QString columnFs();
QString columnQts();
QString columnVas();
QString columnRe();
QString columnFile();
QString unreadable();
QString count(int shown, int all);
QString scanning();
// the worksheet
QString exportDriver();
QString importDriver();
QString exportCaption();
QString importCaption();
QString exportFilter(); // JSON;;Hornresp
QString importFilter();
QString needsMechanics();
QString writeFailed(const QString &path);
QString readFailed(const QString &path);

} // namespace DriverTexts
