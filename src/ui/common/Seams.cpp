#include "ui/common/Seams.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

QString FileChooser::openFolder(QWidget *parent, const QString &caption, const QString &folder)
{
    return QFileDialog::getExistingDirectory(parent, caption, folder);
}

namespace {

class QtMessagePresenter : public MessagePresenter
{
public:
    bool show(Icon icon, const QString &caption, const QString &text) override
    {
        // Windows shows the stop icon for errors and the exclamation mark for warnings
        // and questions.
        const QMessageBox::Icon shown = icon == Icon::Error   ? QMessageBox::Critical
                                        : icon == Icon::Plain ? QMessageBox::NoIcon
                                                              : QMessageBox::Warning;
        QMessageBox box(shown, caption, text,
                        icon == Icon::Question ? (QMessageBox::Yes | QMessageBox::No)
                                               : QMessageBox::Ok);
        return box.exec() == QMessageBox::Yes;
    }
};

class QtFileChooser : public FileChooser
{
public:
    QString openFile(QWidget *parent, const QString &caption, const QString &folder,
                     const QString &filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, folder, filter);
    }
    QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder,
                          const QString &filter) override
    {
        return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    }
    QString saveFile(QWidget *parent, const QString &caption, const QString &folder,
                     const QString &filter, const QString &suggested) override
    {
        // A bare name would open the dialog in the working folder.
        const QString start = folder.isEmpty() ? suggested : QDir(folder).filePath(suggested);
        // The overwrite question is the program's own, so the dialog must not ask too.
        return QFileDialog::getSaveFileName(parent, caption, start, filter, nullptr,
                                            QFileDialog::DontConfirmOverwrite);
    }
};

class QtColorChooser : public ColorChooser
{
public:
    QColor chooseColor(QWidget *parent, const QColor &initial) override
    {
        return QColorDialog::getColor(initial, parent);
    }
};

class QtPrintChooser : public PrintChooser
{
public:
    bool printDialog(QWidget *parent, QPrinter *printer) override
    {
        QPrintDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
    bool pageSetupDialog(QWidget *parent, QPrinter *printer) override
    {
        QPageSetupDialog dialog(printer, parent);
        return dialog.exec() == QDialog::Accepted;
    }
};

class QtNumberChooser : public NumberChooser
{
public:
    bool chooseNumber(QWidget *parent, const QString &caption, const QString &label, int min,
                      int max, int &value) override
    {
        bool ok = false;
        const int chosen = QInputDialog::getInt(parent, caption, label, value, min, max, 1, &ok);
        if (ok)
            value = chosen;
        return ok;
    }
};

QtMessagePresenter g_qtMessages;
QtFileChooser g_qtFiles;
QtColorChooser g_qtColors;
QtPrintChooser g_qtPrint;
QtNumberChooser g_qtNumbers;

MessagePresenter *g_messages = &g_qtMessages;
FileChooser *g_files = &g_qtFiles;
ColorChooser *g_colors = &g_qtColors;
PrintChooser *g_print = &g_qtPrint;
NumberChooser *g_numbers = &g_qtNumbers;

} // namespace

namespace Seams {

MessagePresenter &messages()
{
    return *g_messages;
}
FileChooser &files()
{
    return *g_files;
}
ColorChooser &colors()
{
    return *g_colors;
}
PrintChooser &print()
{
    return *g_print;
}

NumberChooser &numbers()
{
    return *g_numbers;
}
void installNumbers(NumberChooser *n)
{
    g_numbers = n ? n : &g_qtNumbers;
}

void install(MessagePresenter *m, FileChooser *f, ColorChooser *c, PrintChooser *p)
{
    g_messages = m ? m : &g_qtMessages;
    g_files = f ? f : &g_qtFiles;
    g_colors = c ? c : &g_qtColors;
    g_print = p ? p : &g_qtPrint;
}

} // namespace Seams
