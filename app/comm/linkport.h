#pragma once
// The transport under the panel link: a serial port that opens, closes, writes, reports that
// characters are ready and empties its receive side. The transfer engine knows frames only and
// talks to the port through this interface, so tests and other transports can stand in.
#include <functional>
#include <string>
#include <string_view>

namespace kes {

enum class LinkParity { None, Even, Odd, Mark, Space };

struct LinkPortSettings {
    std::string name; // device name or path, e.g. "ttyUSB0" or "/dev/pts/3"
    int baud = 9600;
    int dataBits = 7;
    LinkParity parity = LinkParity::Even;
    int stopBits = 1; // 1 or 2
};

class LinkPort {
public:
    virtual ~LinkPort() = default;

    virtual LinkPortSettings& Settings() = 0;
    // Opens with the current settings and empties the receive side (a pseudo-terminal or a
    // driver may hold characters from before).
    virtual bool Open() = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Changes the rate of the open port (and the setting used by the next Open).
    virtual bool SetBaud(int baud) = 0;
    virtual bool Write(std::string_view chars) = 0;
    virtual std::string ReadAll() = 0;
    virtual void ClearInput() = 0;
    // Carrier detect; false when the line cannot tell.
    virtual bool CarrierDetect() = 0;

    // Called on the main thread whenever characters are ready; one reader at a time sets it.
    void SetReadyRead(std::function<void()> handler) { readyRead_ = std::move(handler); }

protected:
    void NotifyReadyRead()
    {
        if (readyRead_)
            readyRead_();
    }

private:
    std::function<void()> readyRead_;
};

} // namespace kes
