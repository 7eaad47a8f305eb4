#include "app/editor/editclip.h"

#include "decoder/morvik.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <algorithm>

namespace kes {

namespace {

constexpr std::size_t kCountBytes = 4;
constexpr std::uint16_t kFirstObjTag = 1;
constexpr std::uint16_t kLastObjTag = 21;

} // namespace

Bytes MakeClipBlock(ByteSpan records)
{
    // Sized once and filled in place: an insert after the count made the compiler see a
    // copy past the four bytes it had.
    Bytes block(kCountBytes + records.size());
    PutU32le(block, 0, static_cast<std::uint32_t>(records.size()));
    std::copy(records.begin(), records.end(), block.begin() + kCountBytes);
    return block;
}

std::optional<ByteSpan> ClipBlockRecords(ByteSpan block)
{
    const auto n = GetU32le(block, 0);
    if (!n || *n > block.size() - kCountBytes)
        return std::nullopt;
    const ByteSpan records = block.subspan(kCountBytes, *n);
    std::size_t pos = 0;
    while (pos < records.size()) {
        const auto tag = GetU16be(records, pos);
        const auto len = GetU16be(records, pos + 2);
        if (!tag || !len || *len < kRecHeadSize || *len > records.size() - pos)
            return std::nullopt;
        if (*tag >= kFirstObjTag && *tag <= kLastObjTag && *len < kObjRecMinSize)
            return std::nullopt;
        pos += *len;
    }
    return records;
}

void PutOnClipboard(const QString& format, const Bytes& block)
{
    auto* data = new QMimeData;
    data->setData(format,
                  QByteArray(reinterpret_cast<const char*>(block.data()), static_cast<qsizetype>(block.size())));
    QApplication::clipboard()->setMimeData(data);
}

Bytes ClipboardBlock(const QString& format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (!data || !data->hasFormat(format))
        return {};
    const QByteArray block = data->data(format);
    return Bytes(block.begin(), block.end());
}

bool ClipboardHas(const QString& format)
{
    const QMimeData* data = QApplication::clipboard()->mimeData();
    return data && data->hasFormat(format);
}

} // namespace kes
