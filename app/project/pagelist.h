#pragma once
// Reordering the stored pages: insert, delete and move records of the page list. Each
// operation returns where every former page went (-1 for a deleted one), so the open page
// windows can follow, and marks the project modified and not compiled.
#include "app/project/projectdoc.h"

#include <string>
#include <vector>

namespace kes {

// old index -> new index, -1 when the page is gone.
using PageRenumbering = std::vector<int>;

// "i:title", as the page list and the page windows' captions show a page.
std::string PageItemText(int index, const std::string& title);

// A new empty page before position at (at the end when at is past it).
PageRenumbering InsertPage(ProjectDoc& doc, int at);
// Removes the page at position at; nothing (an identity) when there is none.
PageRenumbering DeletePage(ProjectDoc& doc, int at);
// Moves the page at from to position to; the pages between shift by one.
PageRenumbering MovePage(ProjectDoc& doc, int from, int to);
// A page's new title; the project counts as modified.
void RetitlePage(ProjectDoc& doc, int index, const std::string& title);

} // namespace kes
