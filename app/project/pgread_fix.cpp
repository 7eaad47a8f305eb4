// Post-load fix-ups of the page record readers: addresses fitted to the current
// controller, decoded objects fitted into the page, function-key bindings noted.
#include "app/model/lxtypecore.h"
#include "app/project/objrefs.h"
#include "app/project/pgread.h"
#include "objects/lxdevref.h"
#include "objects/objkind.h"

#include <algorithm>

namespace kes {

namespace {

constexpr std::uint8_t kNoKey = 255;

// The text of an address for the current controller; while pasting, an address it lacks
// becomes its default bit (mode 0) or word address.
void FixAddress(const PageData& page, const PageEnv& env, std::int32_t& code, std::uint8_t mode, std::uint8_t access,
                std::uint8_t bitIndex, bool deviceForm, bool internalMem, std::string* text = nullptr)
{
    const std::string formatted = code == -1
                                      ? std::string()
                                      : env.LxType.FormatDeviceAddress(static_cast<std::uint32_t>(code), mode, access,
                                                                       bitIndex, deviceForm, internalMem);
    if (text)
        *text = formatted;
    // No address at all (-1) has nothing to fix.
    if (!page.Pasting || code == -1 || !formatted.empty())
        return;
    code = mode == 0 ? env.LxType.DefBitCode : env.LxType.DefWordCode;
    if (text)
        *text = mode == 0 ? env.LxType.DefBitText : env.LxType.DefWordText;
}

void FixRef(const PageData& page, const PageEnv& env, DevRefHead& ref, std::uint8_t mode, std::uint8_t access)
{
    FixAddress(page, env, ref.DevAddrCode, mode, access, ref.BitIndex, ref.Present != 0, ref.LinkFlag != 0);
}

void FixObjRef(const PageData& page, const PageEnv& env, TLxDevRef& ref, std::uint8_t mode, std::uint8_t access)
{
    FixAddress(page, env, ref.DevAddrCode, mode, access, ref.RefBitNo, ref.RefDevForm != 0, ref.RefIntMem != 0,
               &ref.DevText);
}

std::uint8_t ModeOf(std::uint8_t kind) { return kind >> 4; }
std::uint8_t AccessOf(std::uint8_t kind) { return kind & 0x0F; }

// Each device reference of an object with the codec's mode and access class of its kind.
// The object is of the kind its ObjType names, as the readers make them.
void RebuildObjAddresses(const PageData& page, const PageEnv& env, TLxObj& obj)
{
    ForEachObjRef(
        obj, [&](TLxDevRef& ref, std::uint8_t mode, std::uint8_t access) { FixObjRef(page, env, ref, mode, access); });
}

// A button's or value entry's function key; a pasted object gives up a key already taken.
void BindFunctionKey(PageData& page, std::uint8_t& key)
{
    if (key == kNoKey || key >= kFunKeyCount)
        return;
    if (page.Pasting && page.ObjFunKeyUsed[key]) {
        key = kNoKey;
        return;
    }
    page.ObjFunKeyUsed[key] = 1;
}

} // namespace

void PgJmpDevFix(const PageData& page, const PageEnv& env, PgJmpRec& rec)
{
    FixRef(page, env, rec.Ref, ModeOf(rec.Kind), AccessOf(rec.Kind));
}

void PgFunKeyDevFix(const PageData& page, const PageEnv& env, PgFunKeyRec& rec)
{
    FixRef(page, env, rec.Write, ModeOf(rec.Kind), AccessOf(rec.Kind));
    if (rec.ReadUsed)
        FixRef(page, env, rec.Read, ModeOf(rec.Kind), rec.Width);
    if (rec.NotifyUsed)
        FixRef(page, env, rec.Notify, 0, rec.Width);
}

void PgSysDevFix(const PageData& page, const PageEnv& env, PgSysRec& rec)
{
    FixRef(page, env, rec.Ref, ModeOf(rec.KindWidth), AccessOf(rec.KindWidth));
}

void ObjDevTxtRebuild(PageData& page, const PageEnv& env, TLxObj& obj)
{
    const int zoom = std::max(page.Zoom, 1);
    const int pageW = env.LxType.PanelWidth * zoom * env.State.GridWidth;
    const int pageH = env.LxType.PanelHeight * zoom * env.State.GridHeight;
    if (obj.Left + obj.OWidth >= pageW) {
        obj.SetWidth(pageW - obj.Left);
        obj.Picture.SetWidth(obj.Width / zoom);
    }
    if (obj.Top + obj.OHeight >= pageH) {
        obj.SetHeight(pageH - obj.Top);
        obj.Picture.SetHeight(obj.Height / zoom);
    }
    RebuildObjAddresses(page, env, obj);
    if (std::uint8_t* key = OperatorFieldsOf(obj).RefKey)
        BindFunctionKey(page, *key);
}

} // namespace kes
