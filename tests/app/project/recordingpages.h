#pragma once
// Page windows as the project's forms see them, with what they were asked written down: a
// page opened ("open i"), a selection ("select <text> x,y") and each renumbering. The pages
// opened and the current page are the program's page windows' when they are given.
#include "app/project/pagewindows.h"

#include <string>
#include <vector>

namespace kes::test {

class RecordingPages : public PageWindows {
public:
    explicit RecordingPages(PageWindows* real = nullptr) : real_(real) {}

    void LoadPageWindow(int index) override
    {
        calls.push_back("open " + std::to_string(index));
        if (real_)
            real_->LoadPageWindow(index);
    }
    void SelectOnCurrentPage(const std::string& text, int x, int y) override
    {
        calls.push_back("select " + text + " " + std::to_string(x) + "," + std::to_string(y));
    }
    const PageData* CurrentPage() const override { return real_ ? real_->CurrentPage() : nullptr; }
    PageData* CurrentPageForEdit() override { return real_ ? real_->CurrentPageForEdit() : nullptr; }
    int CurrentPageIndex() const override { return real_ ? real_->CurrentPageIndex() : -1; }
    void PagesRenumbered(const std::vector<int>& renumbering) override { maps.push_back(renumbering); }

    std::vector<std::string> calls;
    std::vector<std::vector<int>> maps;

private:
    PageWindows* real_;
};

} // namespace kes::test
