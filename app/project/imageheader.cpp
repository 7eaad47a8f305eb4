#include "app/project/imageheader.h"

#include "decoder/pgsetwrite.h"
#include "decoder/setlayout.h"
#include "objects/addrmode.h"

namespace kes {

namespace {

constexpr std::size_t kRecHead = layout::RecHead::Size;

// The header stores a jump of any kind but bit in its long form, while the readers take
// the long form only for word and low-byte kinds: a kind the format does not know is
// written as a word condition so that both agree on the record's length.
PgJmpRec HeaderJump(const PgJmpRec& rec)
{
    PgJmpRec j = rec;
    if (j.Kind != kBitFlags && j.Kind != kWordFlags && j.Kind != kEitherFlags)
        j.Kind = kWordFlags;
    return j;
}

} // namespace

std::size_t WriteMacroSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    return static_cast<std::size_t>(MacPowerOnChx(o, start, s.PowerOnMacro));
}

std::size_t WriteParaDataSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    return static_cast<std::size_t>(ParaDataSetChx(o, start, s.ParaDataSet));
}

std::size_t WriteFunKeySection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    return static_cast<std::size_t>(PgFunKeysChx(o, start, s.SysFunKeys, SetRecForm::Header));
}

std::size_t WriteSysSlotSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    return static_cast<std::size_t>(PgSysPairChx(o, start, s.SysBuzzer, s.SysAlarmLamp));
}

std::size_t WritePgJumpSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    std::size_t pos = start;
    for (const PgJmpRec& rec : s.SysPgJumps)
        pos += static_cast<std::size_t>(PgJmpChx(o, pos, HeaderJump(rec)));
    return pos - start;
}

std::size_t WriteClockSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    RecOut o(out, kEncFile);
    return static_cast<std::size_t>(PLCValSetChx(o, start, s.SysClockWrite, kTagClockWrite));
}

std::size_t WriteHeaderSections(const ProjectState& s, Bytes& out, std::size_t start)
{
    std::size_t pos = start;
    for (auto* write : {WriteMacroSection, WriteParaDataSection, WriteFunKeySection, WriteSysSlotSection,
                        WritePgJumpSection, WriteClockSection})
        pos += write(s, out, pos);
    return pos;
}

std::size_t WriteKeySetSection(const ProjectState& s, Bytes& out, std::size_t start)
{
    namespace L = layout::KeySet;
    RecOut o(out, kEncFile);
    RecWriter w(o, start, kTagKeySet);
    const KeySetData& k = s.KeySetRec;
    w.U8(L::CommAddr, k.CommAddr);
    w.U8(L::Port, k.Port);
    w.U8(L::StartChar, k.StartChar);
    w.U8(L::EndChar, k.EndChar);
    w.Raw(L::KeyCodes, ByteSpan(k.KeyCodes.data(), k.KeyCodes.size()));
    w.Finish(kKeySetSectionSize);
    return start + kKeySetSectionSize;
}

Bytes BuildHeaderBytes(const ProjectState& s)
{
    Bytes out;
    const std::size_t end = s.IsKeypadType() ? WriteKeySetSection(s, out, 0) : WriteHeaderSections(s, out, 0);
    out.resize(end);
    return out;
}

std::size_t ReadHeaderSections(ProjectDoc& doc, ByteSpan image, std::size_t start, std::size_t end,
                               const HeaderDecoders& dec)
{
    doc.ResetHeaderRecords();
    if (end > image.size())
        end = image.size();
    if (!dec.Complete() || start >= end)
        return start;

    // A record that lies wholly inside [p, end); its stored length, or 0.
    const auto framed = [&](std::size_t p) -> std::size_t {
        if (end - p < kRecHead)
            return 0;
        const std::size_t len = *GetU16be(image, p + layout::RecHead::Length);
        return len >= kRecHead && len <= end - p ? len : 0;
    };
    const auto tagAt = [&](std::size_t p) { return std::uint16_t((image[p] << 8) | image[p + 1]); };

    std::size_t p = start;
    while (p < end) {
        const std::size_t len = framed(p);
        if (len == 0)
            break;
        const std::uint8_t* rec = image.data() + p;
        const int pos = static_cast<int>(p);
        int r = -1;
        switch (tagAt(p)) {
        case kTagMacPowerOn:
            r = dec.MacPowerOn(&doc.PowerOnMacro, rec, pos);
            break;
        case kTagPgJmp: {
            if (doc.SysPgJumps.size() >= static_cast<std::size_t>(kMaxPgJumps)) {
                r = static_cast<int>(len); // the list is full: the record is stepped over
                break;
            }
            PgJmpRec jump;
            doc.InitDevRef(jump.Ref);
            r = dec.PgJmp(&jump, rec, pos);
            if (r > 0)
                doc.SysPgJumps.push_back(jump);
            break;
        }
        case kTagParaDataSet:
            r = dec.ParaDataSet(&doc.ParaDataSet, rec, pos);
            break;
        case kTagPgFunKey: {
            const std::size_t keyAt = layout::PgFunKey::KeyIndex;
            const std::size_t key = len > keyAt ? rec[keyAt] : kFunKeyCount;
            if (key >= static_cast<std::size_t>(kFunKeyCount)) {
                r = static_cast<int>(len); // no such key: stepped over
                break;
            }
            PgFunKeyRec& k = doc.SysFunKeys[key];
            k.KeyIndex = static_cast<std::uint8_t>(key);
            r = dec.PgFunKey(&k, rec, pos);
            doc.SysFunKeyUsed[key] = k.ButtonType != BtnType::None ? 1 : 0;
            break;
        }
        case kTagPgSys: {
            // Slot 0 then slot 1, each taking the record at hand when it is its own.
            std::size_t q = p;
            PgSysRec* slots[2] = {&doc.SysBuzzer, &doc.SysAlarmLamp};
            for (int slot = 0; slot < 2; ++slot) {
                const std::size_t l = q < end ? framed(q) : 0;
                if (l == 0 || tagAt(q) != kTagPgSys)
                    break;
                const int n = dec.PgSys(slots[slot], slot, image.data() + q, static_cast<int>(q));
                if (n < 0)
                    break;
                q += static_cast<std::size_t>(n);
            }
            r = static_cast<int>(q - p);
            break;
        }
        case kTagClockWrite:
            r = dec.PLCValSet(&doc.SysClockWrite, rec, pos);
            break;
        default:
            break;
        }
        if (r <= 0)
            break;
        p += static_cast<std::size_t>(r);
    }
    return p;
}

long ReadKeySetSection(ProjectState& s, ByteSpan image, std::size_t pos)
{
    const auto tag = GetU16be(image, pos);
    if (!tag || *tag != kTagKeySet || !Has(image, pos, kKeySetSectionSize))
        return -1;
    namespace L = layout::KeySet;
    KeySetData& k = s.KeySetRec;
    k.CommAddr = image[pos + L::CommAddr];
    k.Port = image[pos + L::Port];
    k.StartChar = image[pos + L::StartChar];
    k.EndChar = image[pos + L::EndChar];
    for (std::size_t i = 0; i < k.KeyCodes.size(); ++i)
        k.KeyCodes[i] = image[pos + L::KeyCodes + i];
    return static_cast<long>(pos + kKeySetSectionSize);
}

} // namespace kes
