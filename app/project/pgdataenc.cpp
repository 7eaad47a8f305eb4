#include "app/project/pgdataenc.h"

namespace kes {

int PgDataChx(PageData& page, Bytes& base, std::size_t start, int mode, const TObjList* objects,
              const RecEncodeEnv& env)
{
    page.EncMode = mode;
    const PgSettingsView settings{page.PgHide, page.PgJmpList, page.PgFunKeys, page.PgSysRecs, page.PgNumWrite};
    const bool withSettings = mode == kEncFile || objects != &page.SelList;
    std::span<TLxObj* const> objs;
    if (objects != nullptr)
        objs = *objects;
    return PgRecordsChx(base, start, mode, withSettings ? &settings : nullptr, objs, env);
}

} // namespace kes
