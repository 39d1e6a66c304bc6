#include "CliIo.h"
#include "CliJson.h"
#include "CliMessages.h"
#include "CommandLine.h"
#include "Commands.h"
#include "core/measure/SerialPortDiscovery.h"
#include "core/measure/SerialPortTexts.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace {

QJsonValue textOrNull(const QString &text)
{
    return text.isEmpty() ? QJsonValue() : QJsonValue(text);
}

QJsonObject portJson(const SerialPortInfo &p)
{
    QJsonArray holders;
    for (const SerialHolder &h : p.holders)
        holders.append(QJsonObject{{QStringLiteral("pid"), h.pid},
                                   {QStringLiteral("name"), textOrNull(h.name)}});
    QJsonArray hints;
    for (const SerialHint &h : p.hints)
        hints.append(QJsonObject{{QStringLiteral("code"), serialHintCode(h.code)},
                                 {QStringLiteral("text"), serialHintText(h.code, p)}});
    const QJsonValue usb =
        p.isUsb()
            ? QJsonValue(QJsonObject{{QStringLiteral("vendorId"), p.vendorId},
                                     {QStringLiteral("productId"), p.productId},
                                     {QStringLiteral("manufacturer"), textOrNull(p.manufacturer)},
                                     {QStringLiteral("product"), textOrNull(p.product)},
                                     {QStringLiteral("serial"), textOrNull(p.serialNumber)}})
            : QJsonValue();
    const char *origin[] = {nullptr, "link", "machine"};
    return QJsonObject{
        {QStringLiteral("path"), textOrNull(p.path)},
        {QStringLiteral("byId"), textOrNull(p.byId)},
        {QStringLiteral("usb"), usb},
        {QStringLiteral("driver"), textOrNull(p.driver)},
        {QStringLiteral("com"), p.comNumber > 0 ? QJsonValue(p.comNumber) : QJsonValue()},
        {QStringLiteral("comFrom"),
         origin[p.comOrigin] ? QJsonValue(QLatin1String(origin[p.comOrigin])) : QJsonValue()},
        {QStringLiteral("mayOpen"), p.path.isEmpty() ? QJsonValue() : QJsonValue(p.mayOpen)},
        {QStringLiteral("owner"), textOrNull(p.owner)},
        {QStringLiteral("mode"), textOrNull(p.mode)},
        {QStringLiteral("heldBy"), holders},
        {QStringLiteral("hints"), hints}};
}

} // namespace

int runPorts(const QStringList &args)
{
    CommandLine cl(QStringLiteral("ports"), QStringLiteral("[--json] [--root DIR]"),
                   CliMessages::portsDescription());
    cl.addFlag(QStringLiteral("json"), CliMessages::jsonHelp());
    cl.addValue({QStringLiteral("root")}, QStringLiteral("DIR"), CliMessages::rootHelp());
    if (const int code = cl.parse(args); code >= 0)
        return code;
    if (const int code = cl.expectPositional(0, 0, QString()); code >= 0)
        return code;

    const QString root =
        cl.isSet(QStringLiteral("root")) ? cl.value(QStringLiteral("root")) : QStringLiteral("/");
    const QList<SerialPortInfo> ports = SerialPortDiscovery(root).ports();
    if (cl.isSet(QStringLiteral("json"))) {
        QJsonArray list;
        for (const SerialPortInfo &p : ports)
            list.append(portJson(p));
        printJson(list);
    } else {
        QStringList blocks;
        for (const SerialPortInfo &p : ports)
            blocks << describeSerialPort(p);
        printOut(blocks.isEmpty() ? noSerialPortsText() : blocks.join(QStringLiteral("\n\n")));
    }
    return finishOutput() ? ExitOk : ExitFailed;
}
