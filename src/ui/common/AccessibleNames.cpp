#include "ui/common/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpression>

namespace {

// A list box whose name is its label and whose value is the chosen item; the drop-down list
// is its one child, and "show menu" opens it.
class NamedComboAccessible : public QAccessibleWidget
{
public:
    explicit NamedComboAccessible(QComboBox *box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return box()->currentText();
        return QAccessibleWidget::text(t);
    }
    int childCount() const override { return 1; }
    QAccessibleInterface *child(int index) const override
    {
        return index == 0 ? QAccessible::queryAccessibleInterface(box()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child && child->object() == box()->view() ? 0 : -1;
    }
    QStringList actionNames() const override
    {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString &name) override
    {
        if (name == showMenuAction() || name == pressAction())
            box()->showPopup();
        else
            QAccessibleWidget::doAction(name);
    }

private:
    QComboBox *box() const { return static_cast<QComboBox *>(widget()); }
};

QAccessibleInterface *ownControls(const QString &className, QObject *object)
{
    QWidget *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("TPaintBox"))
        return new QAccessibleWidget(widget, QAccessible::Chart);
    if (className == QLatin1String("TColorSwatch"))
        return new QAccessibleWidget(widget, QAccessible::Button);
    // Plain widgets made windows: a reader would call them "filler".
    if (className == QLatin1String("TFormWorksheet") || className == QLatin1String("TFormQc") ||
        className == QLatin1String("TFormCompensation"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void nameComboBox(QComboBox *box, const QString &name)
{
    const QString plain = plainAccessibleName(name);
    box->setAccessibleName(plain);
    box->view()->setAccessibleName(plain);
    if (box->lineEdit())
        box->lineEdit()->setAccessibleName(plain);
    // Qt's factories come before the program's, so the box's interface is made here; the
    // cache hands it out from now on and deletes it with the box.
    QAccessible::registerAccessibleInterface(new NamedComboAccessible(box));
}

QString plainAccessibleName(const QString &caption)
{
    static const QRegularExpression trailingMark(QStringLiteral("\\(&[^&]\\)"));
    QString text = caption;
    text.remove(trailingMark);
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('&'))
                plain += text[++i];
            continue;
        }
        plain += text[i];
    }
    return plain.trimmed();
}

void installAccessibleRoles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(ownControls);
}
