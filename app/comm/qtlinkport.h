#pragma once
// LinkPort over QSerialPort: readyRead arrives through the Qt event loop of the main thread.
#include "app/comm/linkport.h"

#include <QSerialPort>

namespace kes {

class QtLinkPort final : public LinkPort {
public:
    QtLinkPort();
    ~QtLinkPort() override;

    LinkPortSettings& Settings() override { return settings_; }
    bool Open() override;
    void Close() override;
    bool IsOpen() const override { return port_.isOpen(); }
    bool SetBaud(int baud) override;
    bool Write(std::string_view chars) override;
    std::string ReadAll() override;
    void ClearInput() override;
    bool CarrierDetect() override;

private:
    QSerialPort port_;
    LinkPortSettings settings_;
};

} // namespace kes
