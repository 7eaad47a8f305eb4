#include "app/comm/portnames.h"

#include <QSerialPortInfo>

namespace kes {

QStringList SerialPortNames()
{
    QStringList names;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        names << info.portName();
    names.sort();
    return names;
}

int PortNumberOf(const std::string& name, const QStringList& ports)
{
    if (name.empty())
        return 0;
    return static_cast<int>(ports.indexOf(QString::fromStdString(name))) + 1;
}

std::string PortNameOf(int n, const QStringList& ports)
{
    if (ports.isEmpty())
        return {};
    const qsizetype index = n >= 1 && n <= ports.size() ? n - 1 : 0;
    return ports[index].toStdString();
}

std::string PortForNumber(int n, const std::string& current, const QStringList& ports)
{
    if (current.empty())
        return PortNameOf(n, ports);
    // A path the user typed is the user's choice, whatever a file says.
    if (PortNumberOf(current, ports) == 0)
        return current;
    return n >= 1 && n <= ports.size() ? PortNameOf(n, ports) : current;
}

} // namespace kes
