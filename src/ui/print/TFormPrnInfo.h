#pragma once

#include "core/model/Settings.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The print information dialog: the three lines printed under the graph. Created once and
// reused. Call mPrepare, then exec(); afterwards the cancel flag says what happened
// (0 "印刷", 1 "取消し" or any other way of closing). Only "印刷" writes the edited lines
// back into Settings.printInfo.
class TFormPrnInfo : public QDialog
{
    Q_OBJECT
public:
    explicit TFormPrnInfo(QWidget *parent = nullptr);

    // settings: the record whose printInfo is edited; cancel: the caller's flag, set to 1
    // here so that a dialog closed without a button counts as cancelled.
    void mPrepare(Settings *settings, quint8 *cancel);

    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QLineEdit *Edit2 = nullptr;
    QLineEdit *Edit3 = nullptr;
    QPushButton *Button1 = nullptr; // "印刷"
    QPushButton *Button2 = nullptr; // "取消し"

    void FormShow();
    void Button1Click();
    void Button2Click();

    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *edit(int line) const;

    Settings *m_settings = nullptr;
    quint8 *m_cancel = nullptr;
};
