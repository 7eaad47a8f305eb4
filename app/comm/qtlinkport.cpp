#include "app/comm/qtlinkport.h"

namespace kes {

namespace {

QSerialPort::Parity ToQt(LinkParity p)
{
    switch (p) {
    case LinkParity::None:
        return QSerialPort::NoParity;
    case LinkParity::Even:
        return QSerialPort::EvenParity;
    case LinkParity::Odd:
        return QSerialPort::OddParity;
    case LinkParity::Mark:
        return QSerialPort::MarkParity;
    case LinkParity::Space:
        return QSerialPort::SpaceParity;
    }
    return QSerialPort::NoParity;
}

QSerialPort::DataBits ToQtDataBits(int bits)
{
    switch (bits) {
    case 5:
        return QSerialPort::Data5;
    case 6:
        return QSerialPort::Data6;
    case 7:
        return QSerialPort::Data7;
    default:
        return QSerialPort::Data8;
    }
}

} // namespace

QtLinkPort::QtLinkPort()
{
    QObject::connect(&port_, &QSerialPort::readyRead, [this] { NotifyReadyRead(); });
    // A line that is gone (a device unplugged, the far end of a pseudo-terminal closed) stays
    // readable with an error for good: left open, the port would wake the loop without end.
    // Closed, it is quiet, and whoever waits on it runs into its time-out.
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        if (e == QSerialPort::ReadError || e == QSerialPort::ResourceError)
            port_.close();
    });
}

QtLinkPort::~QtLinkPort() { port_.close(); }

bool QtLinkPort::Open()
{
    if (port_.isOpen())
        return true;
    port_.setPortName(QString::fromStdString(settings_.name));
    if (!port_.open(QIODevice::ReadWrite))
        return false;
    port_.setBaudRate(settings_.baud);
    port_.setDataBits(ToQtDataBits(settings_.dataBits));
    port_.setParity(ToQt(settings_.parity));
    port_.setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.clear(QSerialPort::Input);
    return true;
}

void QtLinkPort::Close()
{
    if (!port_.isOpen())
        return;
    // Push out what is still queued (the end request, a modem command) before the descriptor goes.
    port_.flush();
    port_.close();
}

bool QtLinkPort::SetBaud(int baud)
{
    settings_.baud = baud;
    return !port_.isOpen() || port_.setBaudRate(baud);
}

bool QtLinkPort::Write(std::string_view chars)
{
    if (!port_.isOpen())
        return false;
    const qint64 n = port_.write(chars.data(), static_cast<qint64>(chars.size()));
    if (n != static_cast<qint64>(chars.size()))
        return false;
    // Hand the frame to the driver now rather than on the next turn of the event loop.
    port_.flush();
    return true;
}

std::string QtLinkPort::ReadAll()
{
    const QByteArray data = port_.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
}

void QtLinkPort::ClearInput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

bool QtLinkPort::CarrierDetect()
{
    if (!port_.isOpen())
        return false;
    const auto pins = port_.pinoutSignals();
    if (port_.error() != QSerialPort::NoError) {
        port_.clearError();
        return false;
    }
    return pins.testFlag(QSerialPort::DataCarrierDetectSignal);
}

} // namespace kes
