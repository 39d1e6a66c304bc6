#pragma once

#include <QString>

// The window's texts of the graph's export and copy.
namespace GraphExportTexts {
QString exportMenuItem();
QString copyMenuItem();
QString exportCaption();
QString exportFilter();
QString widthLabel();
QString heightLabel();
// The file named has none of the suffixes .svg, .pdf, .png.
QString unknownFormat(const QString &path);
// The file could not be written; nothing was changed.
QString notWritten(const QString &path, const QString &reason);
QString notDrawn();
// Reasons for notWritten.
QString noSuchFolder();
QString noPermission();
QString cannotWrite();
} // namespace GraphExportTexts
