#pragma once

#include <QString>

// Names of data files and text exports, as the file dialogs propose and settle them.
// Paths use "/" as the folder separator; extensions are compared case-sensitively.

extern const QString kDataFileExtension;   // ".DTA"
extern const QString kExportFileExtension; // ".txt"

// The name a save dialog proposes: "*" + extension while no file is known, else the file
// name of dataFileName up to its first "." + extension ("/x/a.b.DTA" -> "a.DTA").
QString proposedFileName(const QString &dataFileName, const QString &extension);

// The path a data file is saved under: ".DTA" is appended unless the name already ends
// in exactly ".DTA" (spk -> spk.DTA, spk.dta -> spk.dta.DTA, spk.txt -> spk.txt.DTA).
QString dataFileSavePath(const QString &chosen);

// The path a text export is written to: a file name without "." gets ".txt"; one not
// ending in exactly ".txt" loses everything from its first "." and gets ".txt"
// (report.csv -> report.txt, a.b.csv -> a.txt, x.TXT -> x.txt). Folder names are never
// changed.
QString exportFilePath(const QString &chosen);

// The path a ZMA table is written to: ".zma" is appended unless the name already ends in it,
// in any case (spk -> spk.zma, spk.ZMA -> spk.ZMA, spk.txt -> spk.txt.zma).
QString zmaFilePath(const QString &chosen);

// The path with its file name cut at its first "."; folder names are kept.
QString pathWithoutExtension(const QString &path);

// The grams of an added mass as a file name holds them: the shortest plain decimal that reads
// back as the same number, with a "." whatever the locale and never an exponent
// (8.017 -> "8.017", 20.0 -> "20", 0.5 -> "0.5").
QString massGramsText(double grams);

// Where a curve measured with an added mass is saved: beside the free-air file, named after
// it without its last extension, "_m" + massGramsText + "g.DTA"
// ("/d/woofer.DTA", 8.017 -> "/d/woofer_m8.017g.DTA").
QString massCurvePath(const QString &freeAirPath, double grams);

// Where a curve measured in a sealed box is saved, the same way: "_box" + the litres as
// massGramsText writes a number + "L.DTA" ("/d/woofer.DTA", 20 -> "/d/woofer_box20L.DTA").
QString boxCurvePath(const QString &freeAirPath, double litres);

// Where the repeat file of a mean's data file is kept: beside it, named after it without its
// last extension, + "_repeats.txt" ("/d/woofer.DTA" -> "/d/woofer_repeats.txt").
QString repeatFilePath(const QString &meanDataPath);
