#include "ui/analysis/WorksheetFields.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>

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

namespace {

// Inputs the user names: not a part of another control (a spin box's or list's own line
// edit) and not one of Qt's own.
bool isInput(const QWidget *w)
{
    const QString name = w->objectName();
    if (name.isEmpty() || name.startsWith(QLatin1String("qt_")))
        return false;
    for (const QWidget *p = w->parentWidget(); p; p = p->parentWidget())
        if (qobject_cast<const QAbstractSpinBox *>(p) || qobject_cast<const QComboBox *>(p))
            return false;
    if (const auto *edit = qobject_cast<const QLineEdit *>(w))
        return !edit->isReadOnly();
    if (const auto *group = qobject_cast<const QGroupBox *>(w))
        return group->isCheckable();
    if (const auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->isCheckable();
    return qobject_cast<const QComboBox *>(w) || qobject_cast<const QSpinBox *>(w) ||
           qobject_cast<const QDoubleSpinBox *>(w);
}

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

QMap<QString, QString> inputValues(const QWidget *form)
{
    QMap<QString, QString> values;
    for (const QWidget *w : form->findChildren<QWidget *>()) {
        if (!isInput(w))
            continue;
        const QString name = w->objectName();
        if (const auto *edit = qobject_cast<const QLineEdit *>(w))
            values.insert(name, edit->text());
        else if (const auto *combo = qobject_cast<const QComboBox *>(w))
            values.insert(name, QString::number(combo->currentIndex()));
        else if (const auto *group = qobject_cast<const QGroupBox *>(w))
            values.insert(name, flag(group->isChecked()));
        else if (const auto *spin = qobject_cast<const QSpinBox *>(w))
            values.insert(name, QString::number(spin->value()));
        else if (const auto *dspin = qobject_cast<const QDoubleSpinBox *>(w))
            values.insert(name, QString::number(dspin->value(), 'g', 17));
        else if (const auto *button = qobject_cast<const QAbstractButton *>(w);
                 button && button->isCheckable())
            values.insert(name, flag(button->isChecked()));
    }
    return values;
}

void setInputValues(QWidget *form, const QMap<QString, QString> &values)
{
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!isInput(w) || !values.contains(w->objectName()))
            continue;
        const QString value = values.value(w->objectName());
        if (auto *edit = qobject_cast<QLineEdit *>(w)) {
            if (edit->text() != value)
                edit->setText(value);
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            combo->setCurrentIndex(qBound(-1, value.toInt(), combo->count() - 1));
        } else if (auto *group = qobject_cast<QGroupBox *>(w)) {
            group->setChecked(value == QLatin1String("1"));
        } else if (auto *spin = qobject_cast<QSpinBox *>(w)) {
            spin->setValue(value.toInt());
        } else if (auto *dspin = qobject_cast<QDoubleSpinBox *>(w)) {
            dspin->setValue(value.toDouble());
        } else if (auto *button = qobject_cast<QAbstractButton *>(w);
                   button && button->isCheckable()) {
            button->setChecked(value == QLatin1String("1"));
        }
    }
}

void onInputEdited(QWidget *form, QObject *context, const std::function<void()> &edited)
{
    for (QWidget *w : form->findChildren<QWidget *>()) {
        if (!isInput(w))
            continue;
        // Only what the user does: a value set by the program is not an edit.
        if (auto *edit = qobject_cast<QLineEdit *>(w))
            QObject::connect(edit, &QLineEdit::editingFinished, context, edited);
        else if (auto *combo = qobject_cast<QComboBox *>(w))
            QObject::connect(combo, &QComboBox::activated, context, edited);
        else if (auto *group = qobject_cast<QGroupBox *>(w))
            QObject::connect(group, &QGroupBox::clicked, context, edited);
        else if (auto *spin = qobject_cast<QAbstractSpinBox *>(w))
            QObject::connect(spin, &QAbstractSpinBox::editingFinished, context, edited);
        else if (auto *button = qobject_cast<QAbstractButton *>(w))
            QObject::connect(button, &QAbstractButton::clicked, context, edited);
    }
}
