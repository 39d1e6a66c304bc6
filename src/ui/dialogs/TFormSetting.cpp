#include "ui/dialogs/TFormSetting.h"
#include "ui/common/AccessibleNames.h"

#include "core/measure/ComPortLink.h"
#include "core/measure/SerialPortTexts.h"
#include "core/model/ComPortName.h"
#include "ui/common/TH_Message.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kMinListedPorts = 10;

QFont dialogFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(12);
    return font;
}

} // namespace

TFormSetting::TFormSetting(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("FormSetting"));
    setWindowTitle(tr("COMポートの設定"));
    setFont(dialogFont());
    setModal(true);
    setFixedSize(210, 117);

    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->setGeometry(16, 16, 177, 21);
    ComboBox1->setEditable(true);
    // A typed name is checked by "設定", never added to the list or completed.
    ComboBox1->setInsertPolicy(QComboBox::NoInsert);
    ComboBox1->setCompleter(nullptr);
    nameComboBox(ComboBox1, windowTitle());
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this] { showDevice(); });
    connect(ComboBox1, &QComboBox::editTextChanged, this, [this] { showDevice(); });

    LabelDevice = new QLabel(this);
    LabelDevice->setObjectName(QStringLiteral("LabelDevice"));
    LabelDevice->setGeometry(16, 44, 177, 20);

    Button2 = new QPushButton(tr("取り消し"), this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(16, 76, 75, 25);
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });

    Button1 = new QPushButton(tr("設定"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(118, 76, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });

    LabelDevices = new QLabel(tr("接続されている機器："), this);
    LabelDevices->setObjectName(QStringLiteral("LabelDevices"));
    DeviceList = new QComboBox(this);
    DeviceList->setObjectName(QStringLiteral("DeviceList"));
    nameComboBox(DeviceList, tr("接続されている機器"));
    LabelDevices->setBuddy(DeviceList);
    connect(DeviceList, &QComboBox::currentIndexChanged, this, [this] { showDevice(); });
    DeviceInfo = new QLabel(this);
    DeviceInfo->setObjectName(QStringLiteral("DeviceInfo"));
    DeviceInfo->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    DeviceInfo->setWordWrap(true);
    DeviceInfo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The description lines up its captions in columns.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    fixed.setPixelSize(11);
    DeviceInfo->setFont(fixed);
    DeviceInfo->setAccessibleName(tr("機器の説明"));
    // The device section shows only with a discovery; without one the form is as it was.
    for (QWidget *w : {static_cast<QWidget *>(LabelDevices), static_cast<QWidget *>(DeviceList),
                       static_cast<QWidget *>(DeviceInfo)})
        w->hide();
}

void TFormSetting::setSerialPortDiscovery(const SerialPortDiscovery &discovery)
{
    m_discovery = discovery;
    constexpr int width = 560, inner = width - 32;
    setFixedSize(width, 346);
    LabelDevice->setGeometry(16, 44, inner, 20);
    LabelDevices->setGeometry(16, 70, inner, 16);
    DeviceList->setGeometry(16, 88, inner, 21);
    DeviceInfo->setGeometry(16, 116, inner, 180);
    Button2->move(16, 306);
    Button1->move(118, 306);
    for (QWidget *w : {static_cast<QWidget *>(LabelDevices), static_cast<QWidget *>(DeviceList),
                       static_cast<QWidget *>(DeviceInfo)})
        w->show();
}

void TFormSetting::readDevices()
{
    if (!m_discovery)
        return;
    const QSignalBlocker quiet(DeviceList);
    DeviceList->clear();
    DeviceList->addItem(tr("（変更しない）"));
    m_listed.clear();
    m_ports = m_discovery->ports();
    for (int i = 0; i < m_ports.size(); ++i) {
        if (m_ports[i].path.isEmpty())
            continue; // an adapter without a port cannot be linked
        m_listed.append(i);
        DeviceList->addItem(serialPortSummary(m_ports[i]));
    }
}

void TFormSetting::setPortDescriber(PortDescriber describer)
{
    m_describer = std::move(describer);
    showDevice();
}

void TFormSetting::mPrepare(qint32 *portNumber, quint8 *cancel)
{
    m_port = portNumber;
    m_cancel = cancel;
    if (m_cancel)
        *m_cancel = 1;
    const int current = m_port ? *m_port : 0;
    const int n = current > kMinListedPorts ? current : kMinListedPorts;
    QStringList entries;
    entries.reserve(n);
    for (int i = 1; i <= n; ++i)
        entries << ComPortName::nameOf(i);
    ComboBox1->clear();
    ComboBox1->addItems(entries);
    // A port outside the list (possible only from a damaged source) selects nothing.
    ComboBox1->setCurrentIndex(current >= 1 && current <= n ? current - 1 : -1);
    readDevices();
    showDevice();
}

int TFormSetting::selectedEntryPort() const
{
    // An editable list keeps its index while the user types, so an entry counts as
    // selected only while the shown text is still that entry's.
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && ComboBox1->currentText() == ComboBox1->itemText(index))
        return index + 1;
    return 0;
}

void TFormSetting::showDevice()
{
    int port = selectedEntryPort();
    if (port == 0) {
        const ComPortName typed = ComPortName::parse(ComboBox1->currentText());
        port = typed.kind == ComPortName::Kind::Valid ? typed.number : 0;
    }
    const QString device = port > 0 && m_describer ? m_describer(port) : QString();
    // A long path is shortened in the middle to fit; the tooltip keeps it whole.
    LabelDevice->setText(
        LabelDevice->fontMetrics().elidedText(device, Qt::ElideMiddle, LabelDevice->width()));
    LabelDevice->setToolTip(device);

    if (!m_discovery)
        return;
    const int listed = DeviceList->currentIndex() - 1;
    const int known = listed >= 0 ? m_listed.at(listed) : portIndexForNumber(m_ports, port);
    DeviceInfo->setText(known >= 0 ? describeSerialPort(m_ports.at(known)) : QString());
}

void TFormSetting::Button1Click()
{
    int port = selectedEntryPort();
    if (port == 0) {
        const ComPortName typed = ComPortName::parse(ComboBox1->currentText());
        switch (typed.kind) {
        case ComPortName::Kind::NotCom:
            TH_Message::msgComNameInvalid();
            return;
        case ComPortName::Kind::NoNumber:
        case ComPortName::Kind::OutOfRange:
            TH_Message::msgComNumberInvalid();
            return;
        case ComPortName::Kind::Valid:
            port = typed.number;
            break;
        }
    }
    const int chosen = m_discovery ? DeviceList->currentIndex() - 1 : -1;
    if (chosen >= 0) {
        QString error;
        const SerialPortInfo &device = m_ports.at(m_listed.at(chosen));
        if (!linkComPort(m_discovery->settingsDir(), port, device.linkTarget(), &error)) {
            TH_Message::msgComLinkFailed(error);
            return;
        }
    }
    if (m_port)
        *m_port = port;
    if (m_cancel)
        *m_cancel = 0;
    accept();
}

void TFormSetting::Button2Click()
{
    reject();
}

void TFormSetting::reject()
{
    if (m_cancel)
        *m_cancel = 1;
    QDialog::reject();
}
