#pragma once
// The keypad and text panels (controllers 95 and 99): the checks of their key settings and
// the bench test protocol of the test display, which talks to the panel without the link's
// frames or checksums.
//
// Test request (bytes, sent as one block):
//   key scan (controller 99, "Key Scan" chosen):  'K', station
//   text (every other case):  [controller 99: 'A', station] 'F', font item (0..5),
//       the first n lines of the text, each followed by LF except the last, which is followed
//       by the terminating character; with no line only the terminating character follows.
// Reply: the bytes from the start character up to and including CR.
#include "app/comm/linkport.h"
#include "platform/bytes.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kes {

inline constexpr int kKeyCodeCount = 15; // F1..F10, UP, DOWN, LEFT, RIGHT, ENTER
inline constexpr int kFrameCharMax = 31; // start and terminating characters: 0..31

// The name shown beside a start or terminating character, 0..32 ("nul", "soh", ... "us", "''").
std::string ControlCharName(int value);

// A key code field: the leading hexadecimal digits of the trimmed text, accepted from 0x20 to
// 0xFF (no digits count as 0 and fail).
std::optional<std::uint8_t> KeyCodeOfText(std::string_view text);
// A start or terminating character field: the trimmed text as a decimal number 0..31.
std::optional<std::uint8_t> FrameCharOfText(std::string_view text);

// The lines a test request may carry for a panel font item (0..5) on a panel model.
int TestDisplayLineLimit(int fontItem, int panelModelIndex);

struct TestDisplayRequest {
    bool keyScan = false;   // controller 99 with "Key Scan" chosen
    bool multidrop = false; // controller 99: station before the text
    std::uint8_t station = 1;
    std::uint8_t terminator = 3;
    std::uint8_t fontItem = 0;
    std::vector<std::string> lines; // the text's lines in the code page
    int lineLimit = 8;              // lines past it are left out
};
Bytes BuildTestDisplayRequest(const TestDisplayRequest& r);

// A text's lines as a line list sees them: a final line end opens no new line, an empty text
// has none.
std::vector<std::string> TextLines(std::string_view text);

// The reply as shown: 0x30..0x5A and 0x61..0x7A as themselves, every other byte as "/x" and two
// lower-case hex digits.
std::string TestDisplayReplyText(ByteSpan reply);

// The test port's settings from the panel port's packed ComSetByte, on the given device.
LinkPortSettings TestDisplayPortSettings(std::uint8_t comSetByte, const std::string& name);

// Collects a test reply: a start character begins it again, CR ends it (when something is held),
// and more than 200 bytes before the CR overflow. Bytes before any start character are kept.
class TestDisplayReceiver {
public:
    static constexpr std::size_t kMaxReply = 200;
    enum class Event { None, Reply, Overflow };
    struct Result {
        Event event = Event::None;
        std::size_t consumed = 0;
    };

    explicit TestDisplayReceiver(std::uint8_t startChar) : start_(startChar) {}
    // Takes bytes up to the end of a reply or an overflow; the caller drops the rest of the batch.
    Result Feed(std::string_view chars);
    const Bytes& Reply() const { return buf_; }
    void Clear() { buf_.clear(); }

private:
    std::uint8_t start_;
    Bytes buf_;
};

} // namespace kes
