#include "app/comm/ui/linkmessage.h"

#include "app/ui/errortext.h"
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
constexpr int kMsgPanelEmpty = 760;
constexpr int kMsgUploadRefused = 761;
constexpr int kMsgUnknownModel = 762;
constexpr int kMsgUnknownController = 763;
constexpr int kMsgBadLayout = 764;
constexpr int kMsgBadHeader = 765;
constexpr int kMsgBadPage = 766;
constexpr int kMsgBaudRefused = 978; // "Set Baud Rate Fail!!"

// The second line of a refused upload: what was found wrong.
QString UploadProblemText(const UploadProblem& p)
{
    using Kind = UploadProblem::Kind;
    QString text;
    switch (p.kind) {
    case Kind::None:
        return {};
    case Kind::UnknownModel:
        return Msg(kMsgUnknownModel).arg(p.number);
    case Kind::UnknownController:
        return Msg(kMsgUnknownController).arg(p.number);
    case Kind::BadLayout:
        return Msg(kMsgBadLayout);
    case Kind::BadHeader:
        text = Msg(kMsgBadHeader).arg(p.position);
        break;
    case Kind::BadPage:
        text = Msg(kMsgBadPage).arg(p.number).arg(p.position);
        break;
    }
    if (p.read != DecodeError::None)
        text += QStringLiteral(" ") + DecodeErrorText(p.read);
    return text;
}

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
    case LinkError::PanelEmpty:
        return kMsgPanelEmpty;
    case LinkError::BaudRefused:
        return kMsgBaudRefused;
    case LinkError::BadProject:
        return kMsgUploadRefused;
    case LinkError::Stopped:
    case LinkError::FirmwareMissing:
        break;
    }
    return -1;
}

QString LinkMessageText(const TransferOutcome& outcome)
{
    if (const int number = LinkMessageNumber(outcome.error); number >= 0) {
        QString text = Msg(number);
        // A connect failure names the port it tried.
        if (outcome.error == LinkError::NoReply && !outcome.port.empty())
            text += QStringLiteral(" (") + QString::fromStdString(outcome.port) + QStringLiteral(")");
        if (outcome.error == LinkError::BadProject && outcome.upload)
            text += QStringLiteral("\n") + UploadProblemText(outcome.upload);
        return text;
    }
    // The firmware file's problem is the file's own.
    if (outcome.error == LinkError::FirmwareMissing)
        return FileErrorText(outcome.file);
    return {};
}

} // namespace kes
