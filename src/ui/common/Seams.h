#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

// Modal boxes and dialogs are reached through these small interfaces so that tests can
// replace them with scripted doubles. The program installs the real Qt dialogs.
class MessagePresenter
{
public:
    // Plain: no icon, OK button (the fixed boxes of the settings dialogs).
    enum class Icon { Error, Warning, Question, Plain };
    virtual ~MessagePresenter() = default;
    // Shows one modal box; returns true exactly when a question was answered Yes.
    virtual bool show(Icon icon, const QString &caption, const QString &text) = 0;
};

class FileChooser
{
public:
    virtual ~FileChooser() = default;
    // Each opens in folder (where the system puts it when empty) and returns the chosen
    // path(s), or nothing when the user cancelled.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter) = 0;
    virtual QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter, const QString &suggested) = 0;
    // A folder; the system's folder dialog unless a double scripts it.
    virtual QString openFolder(QWidget *parent, const QString &caption, const QString &folder);
};

class ColorChooser
{
public:
    virtual ~ColorChooser() = default;
    // Returns an invalid colour when the user cancelled.
    virtual QColor chooseColor(QWidget *parent, const QColor &initial) = 0;
};

class PrintChooser
{
public:
    virtual ~PrintChooser() = default;
    // Each returns false when the user cancelled.
    virtual bool printDialog(QWidget *parent, QPrinter *printer) = 0;
    virtual bool pageSetupDialog(QWidget *parent, QPrinter *printer) = 0;
};

class NumberChooser
{
public:
    virtual ~NumberChooser() = default;
    // A whole number from min to max, starting at value; false when the user cancelled.
    virtual bool chooseNumber(QWidget *parent, const QString &caption, const QString &label,
                              int min, int max, int &value) = 0;
};

// The installed seams. The program installs the Qt ones at start-up; tests install doubles.
namespace Seams {
MessagePresenter &messages();
FileChooser &files();
ColorChooser &colors();
PrintChooser &print();
NumberChooser &numbers();
// Null puts the Qt dialog back.
void installNumbers(NumberChooser *n);
void install(MessagePresenter *m, FileChooser *f = nullptr, ColorChooser *c = nullptr,
             PrintChooser *p = nullptr);
} // namespace Seams
