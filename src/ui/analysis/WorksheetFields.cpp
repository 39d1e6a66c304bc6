#include "ui/analysis/WorksheetFields.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>

Field readNumber(const QLineEdit *edit, double &value)
{
    QString text = edit->text().trimmed();
    if (text.isEmpty())
        return Field::Empty;
    text.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    value = QLocale::c().toDouble(text, &ok);
    return ok ? Field::Number : Field::Bad;
}

QLineEdit *numberEdit(QWidget *parent, const char *name, const QString &label, const QString &text)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAccessibleName(label);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

QLabel *caption(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setAccessibleName(text);
    return l;
}
