#pragma once

#include "core/measure/SerialPortDiscovery.h"

#include <QDialog>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

// The COM port dialog. Created once and reused. Call mPrepare with the port number to edit
// and a cancel flag, then exec(). The list offers "COM1" … "COMn" (n the current port, at
// least 10) with the current port selected; a typed "COMx" with x from 1 to 256 is accepted
// too (see ComPortName). "設定" stores the number and sets the flag to 0; "取り消し" and every
// other way of closing set it to 1 and leave the number alone. Under the list the dialog shows
// which device the chosen number resolves to, as the describer tells. With a serial-port
// discovery the dialog grows a list of the plugged-in devices and describes the number's
// device; a device chosen in the list gets the number on "設定": COMn in the settings directory
// becomes a link to the device's stable name.
class TFormSetting : public QDialog
{
    Q_OBJECT
public:
    // The device a port number resolves to, as text; empty when unknown.
    using PortDescriber = std::function<QString(int port)>;

    explicit TFormSetting(QWidget *parent = nullptr);

    // Without a describer (the default) the device line stays empty.
    void setPortDescriber(PortDescriber describer);
    // Shows the plugged-in devices as `discovery` finds them each time the dialog opens.
    void setSerialPortDiscovery(const SerialPortDiscovery &discovery);
    void mPrepare(qint32 *portNumber, quint8 *cancel);

    QComboBox *ComboBox1 = nullptr;
    QLabel *LabelDevice = nullptr;
    QLabel *LabelDevices = nullptr;  // caption of the device list
    QComboBox *DeviceList = nullptr; // "（変更しない）", then the plugged-in devices
    QLabel *DeviceInfo = nullptr;    // what is known about the number's (or chosen) device
    QPushButton *Button1 = nullptr;  // "設定"
    QPushButton *Button2 = nullptr;  // "取り消し"

    void Button1Click();
    void Button2Click();
    void reject() override;

private:
    // The entry's number when the shown text is an untouched list entry, else 0.
    int selectedEntryPort() const;
    void showDevice();
    void readDevices();

    PortDescriber m_describer;
    std::optional<SerialPortDiscovery> m_discovery;
    QList<SerialPortInfo> m_ports; // as found when the dialog opened
    QList<int> m_listed;           // the ports with a path, in DeviceList's order after its first
    qint32 *m_port = nullptr;
    quint8 *m_cancel = nullptr;
};
