#pragma once

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QPushButton;

// The COM port dialog. Created once and reused. Call mPrepare with the port number to edit
// and a cancel flag, then exec(). The list offers "COM1" … "COMn" (n the current port, at
// least 10) with the current port selected; a typed "COMx" with x from 1 to 256 is accepted
// too (see ComPortName). "設定" stores the number and sets the flag to 0; "取り消し" and every
// other way of closing set it to 1 and leave the number alone. Under the list the dialog shows
// which device the chosen number resolves to, as the describer tells.
class TFormSetting : public QDialog
{
    Q_OBJECT
public:
    // The device a port number resolves to, as text; empty when unknown.
    using PortDescriber = std::function<QString(int port)>;

    explicit TFormSetting(QWidget *parent = nullptr);

    // Without a describer (the default) the device line stays empty.
    void setPortDescriber(PortDescriber describer);
    void mPrepare(qint32 *portNumber, quint8 *cancel);

    QComboBox *ComboBox1 = nullptr;
    QLabel *LabelDevice = nullptr;
    QPushButton *Button1 = nullptr; // "設定"
    QPushButton *Button2 = nullptr; // "取り消し"

    void Button1Click();
    void Button2Click();
    void reject() override;

private:
    // The entry's number when the shown text is an untouched list entry, else 0.
    int selectedEntryPort() const;
    void showDevice();

    PortDescriber m_describer;
    qint32 *m_port = nullptr;
    quint8 *m_cancel = nullptr;
};
