#include "ui/main/TFormDebug.h"

#include <QLineEdit>
#include <QPushButton>

TFormDebug::TFormDebug(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("FormDebug"));
    setWindowTitle(QStringLiteral("FormDebug"));
    resize(240, 360);
    QLineEdit **edits[] = {&Edit1, &Edit2, &Edit3, &Edit4, &Edit5};
    int top = 8;
    for (int i = 0; i < 5; ++i) {
        *edits[i] = new QLineEdit(this);
        (*edits[i])->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
        (*edits[i])->setAccessibleName((*edits[i])->objectName());
        (*edits[i])->setGeometry(8, top, 201, 21);
        top += 28;
    }
    Edit6 = new QLineEdit(this);
    Edit6->setObjectName(QStringLiteral("Edit6"));
    Edit6->setAccessibleName(Edit6->objectName());
    Edit6->setGeometry(8, top, 201, 145);
    ClearBtn = new QPushButton(QStringLiteral("Clear"), this);
    ClearBtn->setGeometry(8, top + 153, 75, 25);
    connect(ClearBtn, &QPushButton::clicked, Edit6, &QLineEdit::clear);
}
