#pragma once
// The picture area of the dialogs that keep one picture per state: a framed panel that shows
// the picture enlarged by whole pixels, or "[None]" when there is none, with its size below.
// Showing a picture makes it black and white first, as the panel will show it.
#include <QString>

class QComboBox;
class QFrame;
class QLabel;
class QWidget;
class TBitmap;

namespace kes {

struct DialogContext;

class PicturePanel {
public:
    // PanelPic, ImgPic and LabPic under their component names, children of parent.
    explicit PicturePanel(QWidget* parent);

    QFrame* PanelPic = nullptr;
    QLabel* ImgPic = nullptr;
    QLabel* LabPic = nullptr;

    // Shows picture (made black and white in place), or the empty panel for an empty one.
    void Show(TBitmap& picture);
    void ShowNone();
    // What the panel says when it shows no picture ("[None]"), empty while it shows one.
    QString Caption() const;

    // Two-colour threshold: colour values (0x00BBGGRR) above 0x7FFFFF become white.
    static void MakeMonochrome(TBitmap& picture);

private:
    QLabel* caption_ = nullptr;
};

// The built-in state pictures an object names by number (0..17, "BIT-1".."BIT-18"): box is
// refilled with one item per picture, drawn as the picture alone, the first selected.
constexpr int kBitPictures = 18;
void FillBitPictureBox(QComboBox* box);

// Asks for a picture file, starting in the main window's picture folder (which then takes the
// chosen file's folder), and loads it at its own size. False when none was chosen or the file
// holds no picture; picture is then unchanged.
bool ChooseStatePicture(DialogContext& ctx, QWidget* parent, TBitmap& picture);

} // namespace kes
