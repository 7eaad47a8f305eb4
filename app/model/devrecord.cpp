#include "app/model/devrecord.h"

namespace kes {

DevRecord MakeInternalDevRecord(int which)
{
    DevRecord r;
    const bool word = which == kInternalWord;
    r.Name = word ? "@V" : "@B";
    r.Kind = DevKindCode(word ? DevKind::InternalWord : DevKind::Bit);
    r.Radix = DevRadixCode(DevRadix::Decimal);
    r.SubRadix = DevRadixCode(DevRadix::Octal);
    r.SubLimit = 0;
    r.BitRadix = DevRadixCode(DevRadix::Octal);
    r.BitLimit = 0;
    r.BitsPerUnit = 1;
    r.Ranges.push_back(DevRange{0, kInternalUnits, 0, 1, word ? kInternalWordBase : 0});
    return r;
}

} // namespace kes
