#pragma once

#include <QWidget>

class QLineEdit;
class QPushButton;

// A debug window with six edit fields; nothing in the program shows it.
class TFormDebug : public QWidget
{
    Q_OBJECT
public:
    explicit TFormDebug(QWidget *parent = nullptr);
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4, *Edit5, *Edit6;
    QPushButton *ClearBtn;
};
