#include "ui/common/AccessibleNames.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLineEdit>

namespace {

QAccessibleInterface *ownControls(const QString &className, QObject *object)
{
    QWidget *widget = qobject_cast<QWidget *>(object);
    if (!widget)
        return nullptr;
    if (className == QLatin1String("TPaintBox"))
        return new QAccessibleWidget(widget, QAccessible::Chart);
    if (className == QLatin1String("TColorSwatch"))
        return new QAccessibleWidget(widget, QAccessible::Button);
    return nullptr;
}

} // namespace

void nameComboBox(QComboBox *box, const QString &name)
{
    box->setAccessibleName(name);
    box->view()->setAccessibleName(name);
    if (box->lineEdit())
        box->lineEdit()->setAccessibleName(name);
}

void installAccessibleRoles()
{
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(ownControls);
}
