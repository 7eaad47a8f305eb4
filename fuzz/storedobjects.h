#pragma once
// What a page's stored stream holds, for the targets that store a page and read it back.
#include "app/project/pagedata.h"
#include "objects/objkind.h"

#include <cstddef>

namespace kes::fuzz {

// Objects a stored page keeps: a kind without a record (the page number marker) is left out.
inline std::size_t StoredObjects(const PageData& page)
{
    std::size_t n = 0;
    for (const TLxObj* obj : page.ObjList) {
        const ObjKindFacts* facts = KindFactsOf(*obj);
        n += facts && facts->Record != RecordForm::None;
    }
    return n;
}

} // namespace kes::fuzz
