#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

// Modal entry of the voice-coil DC resistance Re. The caller hands over where to put the
// value and a cancel flag (0 confirmed, 1 cancelled) before each exec(); the text typed last
// stays in the field for the next time.
class TForm_Re : public QDialog
{
    Q_OBJECT
public:
    explicit TForm_Re(QWidget *parent = nullptr);

    void setTarget(float *re, quint8 *cancelFlag);

    QLineEdit *Edit1;
    QPushButton *Button1; // "入力"
    QPushButton *Button2; // "取消し"

public slots:
    void Button1Click();
    void Button2Click();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override; // Escape counts as cancel

private:
    float *re_ = nullptr;
    quint8 *cancelFlag_ = nullptr;
};
