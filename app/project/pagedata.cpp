#include "app/project/pagedata.h"

#include "objects/objkind.h"

#include <algorithm>

namespace kes {

void InitFunKeyRec(const ProjectState& state, PgFunKeyRec& key)
{
    const std::uint8_t index = key.KeyIndex;
    key = PgFunKeyRec{};
    key.KeyIndex = index;
    for (DevRefHead* ref : {&key.Write, &key.Read, &key.Notify})
        state.InitDevRef(*ref);
}

PageData::PageData()
{
    for (int i = 0; i < kFunKeyCount; ++i)
        PgFunKeys[i].KeyIndex = static_cast<std::uint8_t>(i);
}

PageData::~PageData() { FreeObjects(); }

TLxObj* PageData::AppendObj(std::unique_ptr<TLxObj> obj)
{
    if (!obj)
        return nullptr;
    ObjList.push_back(obj.get());
    return obj.release();
}

std::unique_ptr<TLxObj> PageData::TakeObj(TLxObj* obj)
{
    const auto it = std::find(ObjList.begin(), ObjList.end(), obj);
    if (obj == nullptr || it == ObjList.end())
        return nullptr;
    ObjList.erase(it);
    std::erase(SelList, obj);
    if (CurObj == obj)
        CurObj = nullptr;
    return std::unique_ptr<TLxObj>(obj);
}

void PageData::DeleteObj(TLxObj* obj) { TakeObj(obj); }

void PageData::FreeObjects()
{
    SelList.clear();
    CurObj = nullptr;
    // Emptied before the deletes so that nothing can reach a freed object through it.
    TObjList objs;
    objs.swap(ObjList);
    for (TLxObj* obj : objs)
        delete obj;
}

void PageData::RecountBtnKeys()
{
    ObjFunKeyUsed.fill(0);
    for (TLxObj* obj : ObjList) {
        const OperatorFields f = OperatorFieldsOf(*obj);
        if (f.RefKey && *f.RefKey < kFunKeyCount)
            ObjFunKeyUsed[*f.RefKey] = 1;
    }
}

PgJmpRec* PageData::AddPgJump(const ProjectState& state)
{
    if (PgJmpList.size() >= static_cast<std::size_t>(kMaxPgJumps))
        return nullptr;
    PgJmpRec rec;
    state.InitDevRef(rec.Ref);
    PgJmpList.push_back(rec);
    return &PgJmpList.back();
}

void PageData::PgFunKeyDefaults(const ProjectState& state)
{
    for (int i = 0; i < kFunKeyCount; ++i) {
        PgFunKeys[i].KeyIndex = static_cast<std::uint8_t>(i);
        InitFunKeyRec(state, PgFunKeys[i]);
        PgFunKeyUsed[i] = 0;
    }
}

void PageData::PgAlarmDefaults(const ProjectState& state)
{
    for (PgSysRec& rec : PgSysRecs) {
        rec = PgSysRec{};
        state.InitDevRef(rec.Ref);
    }
}

void PageData::ResetPgSettings(const ProjectState& state)
{
    ClearPgJumps();
    PgFunKeyDefaults(state);
    PgAlarmDefaults(state);
    PgHide = PgHideRec{};
    state.InitDevRef(PgNumWrite.Ref);
}

} // namespace kes
