#pragma once
// The about box: product name, notice, description and a link to the product's web page.
#include <QDialog>

class QLabel;
class QPushButton;

namespace kes {
class FileOpener;
} // namespace kes

class TAboutBox : public QDialog {
public:
    // Captions in the language langIndex; the link opens through opener.
    TAboutBox(QWidget* owner, int langIndex, kes::FileOpener& opener);

    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Copyright = nullptr;
    QLabel* Label3 = nullptr; // description
    QLabel* Label1 = nullptr; // link to the product page
    QPushButton* OKButton = nullptr;

    void FormShow();
    void Label1Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    int langIndex_;
    kes::FileOpener& opener_;
};

namespace kes {
// The product page the about box links to.
extern const char* const kProductPageUrl;
} // namespace kes
