#pragma once
// A project on one of the shipped sample panel models, and pages of object records made as
// the editor makes them: objects placed by the object factory with their defaults, stored by
// the page record encoder. The benchmarks read these pages back, compile them and send them.
#include "app/model/lxtypecore.h"
#include "app/project/objfactory.h"
#include "app/project/pgdataenc.h"
#include "app/project/projectdoc.h"
#include "objects/objkind.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kes::bench {

// The kinds whose objects a page stores.
std::vector<ObjKind> StoredKinds();

class BenchProject {
public:
    // appDir: a program folder with the shipped HMI folder (the build's program directory
    // when empty). The model's memory map is variant `variant` ("_1" keys when 1).
    BenchProject(int modelIndex, int variant, std::int16_t machineId = 3, const std::string& appDir = {});

    // The sample model whose object memory (variant 0) is the largest.
    static int LargestModel(const std::string& appDir = {});

    ProjectDoc doc;
    std::unique_ptr<LxTypeCore> core;

    std::string ModelName() const;
    // The object data area in bytes.
    std::int64_t ObjectArea() const;
    // Room for one page's records: the object area less the image header.
    std::int64_t PageRoom();

    PageEnv Env() const;
    RecEncodeEnv EncodeEnv() const;

    // A page of objects of `kinds` in turn, placed over the panel as the editor places them:
    // `count` objects, or fewer when the records would pass `limit` bytes. The number placed
    // goes to *placed. Pages of different text sets share no text, and a set other than 0 draws
    // its boxes a little larger: a page of a set not read before finds neither its texts drawn
    // nor pictures of its sizes let go by the pages read before.
    Bytes Page(const std::vector<ObjKind>& kinds, int count, std::int64_t limit, int* placed = nullptr,
               int textSet = 0) const;
    // The typical page: one object of every kind a page stores, and a second static text
    // (20 objects).
    Bytes TypicalPage(int textSet = 0) const;
};

} // namespace kes::bench
