#pragma once
// TFormFullScreen: the current page (or the start-up screen) filling a borderless window,
// with the device-address text of every object written over it when its Tag is 1. A click
// anywhere closes it.
#include <QDialog>
#include <QImage>

class QLabel;
class TEditPage;

class TFormFullScreen : public QDialog {
public:
    explicit TFormFullScreen(QWidget* owner);
    ~TFormFullScreen() override;

    QLabel* ImgPage = nullptr;

    // The picture shown: the window's objects at its zoom, top-left at the page's top-left.
    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }
    // With Tag 1: each object's device-address texts written at its top-left, kept inside the
    // page (a button's and a value entry's read and notify addresses on the lines below,
    // when used); 6-point text at zoom 1, 12-point above.
    void DrawIoPoints(const TEditPage& page);
    void FormClick() { close(); }

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    QImage picture_;
};

namespace kes {
// Where a text of w x h pixels written at (x, y) stands so that it stays inside a page of
// pageW x pageH: pulled up and left by what it would overhang.
QPoint KeepTextInside(int x, int y, int w, int h, int pageW, int pageH);
// The picture of a window's objects at its zoom, white where there are none.
QImage PagePicture(TEditPage& page);
} // namespace kes
