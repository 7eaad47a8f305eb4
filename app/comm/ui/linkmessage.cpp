#include "app/comm/ui/linkmessage.h"

#include "app/ui/msgtable.h"

namespace kes {

namespace {

constexpr int kMsgOverMemory = 26;
constexpr int kMsgOverRange = 29;
constexpr int kMsgCommError = 30;
constexpr int kMsgNoConnect = 62;
constexpr int kMsgFinished = 68;
constexpr int kMsgMachineType = 95;
constexpr int kMsgFirmware = 98;

} // namespace

int LinkMessageNumber(LinkError error)
{
    switch (error) {
    case LinkError::None:
        return kMsgFinished;
    case LinkError::PanelRefused:
    case LinkError::BadLrc:
    case LinkError::BadUpload:
        return kMsgCommError;
    case LinkError::RxOverflow:
        return kMsgOverRange;
    case LinkError::NoReply:
        return kMsgNoConnect;
    case LinkError::NoRoom:
        return kMsgOverMemory;
    case LinkError::WrongModel:
        return kMsgMachineType;
    case LinkError::OldFirmware:
        return kMsgFirmware;
    case LinkError::Stopped:
    case LinkError::BaudRefused:
    case LinkError::FirmwareMissing:
        break;
    }
    return -1;
}

QString LinkMessageText(const TransferOutcome& outcome)
{
    if (const int number = LinkMessageNumber(outcome.error); number >= 0)
        return Msg(number);
    switch (outcome.error) {
    case LinkError::BaudRefused:
        return QStringLiteral("Set Baud Rate Fail!!");
    case LinkError::FirmwareMissing:
        return QStringLiteral("File ") + QString::fromStdString(outcome.file) + QStringLiteral(" not found !!");
    default:
        return {};
    }
}

} // namespace kes
