#include "app/project/pagelist.h"

#include <algorithm>
#include <numeric>

namespace kes {

namespace {

PageRenumbering Identity(std::size_t n)
{
    PageRenumbering map(n);
    std::iota(map.begin(), map.end(), 0);
    return map;
}

void Changed(ProjectDoc& doc)
{
    doc.Modified = 1;
    doc.Compiled = 0;
}

} // namespace

std::string PageItemText(int index, const std::string& title) { return std::to_string(index) + ":" + title; }

PageRenumbering InsertPage(ProjectDoc& doc, int at)
{
    const int n = static_cast<int>(doc.PgDataList.size());
    at = std::clamp(at, 0, n);
    PageRenumbering map = Identity(doc.PgDataList.size());
    for (int i = at; i < n; ++i)
        map[i] = i + 1;
    doc.PgDataList.insert(doc.PgDataList.begin() + at, std::make_unique<PgDataStr>());
    Changed(doc);
    return map;
}

PageRenumbering DeletePage(ProjectDoc& doc, int at)
{
    const int n = static_cast<int>(doc.PgDataList.size());
    PageRenumbering map = Identity(doc.PgDataList.size());
    if (at < 0 || at >= n)
        return map;
    map[at] = -1;
    for (int i = at + 1; i < n; ++i)
        map[i] = i - 1;
    doc.PgDataList.erase(doc.PgDataList.begin() + at);
    Changed(doc);
    return map;
}

PageRenumbering MovePage(ProjectDoc& doc, int from, int to)
{
    const int n = static_cast<int>(doc.PgDataList.size());
    PageRenumbering map = Identity(doc.PgDataList.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to)
        return map;
    auto page = std::move(doc.PgDataList[from]);
    doc.PgDataList.erase(doc.PgDataList.begin() + from);
    doc.PgDataList.insert(doc.PgDataList.begin() + to, std::move(page));
    map[from] = to;
    if (from > to)
        for (int i = to; i < from; ++i)
            map[i] = i + 1;
    else
        for (int i = from + 1; i <= to; ++i)
            map[i] = i - 1;
    Changed(doc);
    return map;
}

void RetitlePage(ProjectDoc& doc, int index, const std::string& title)
{
    if (index < 0 || index >= static_cast<int>(doc.PgDataList.size()))
        return;
    doc.PgDataList[index]->Title = title;
    Changed(doc);
}

} // namespace kes
