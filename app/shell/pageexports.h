#pragma once
// The page picture exports of the Edit and File menus: the page (or the screen being edited)
// as a picture on the clipboard, the page in a BMP file, and its bytes as lists of
// hexadecimal constants (the band format of the panel, or packed rows), each written where
// the user chooses.
class TEditPage;
class TKhm;
class QImage;

namespace kes {

// An editor's picture at its zoom and window size, one colour per pixel (black on white).
QImage PageWindowPicture(TEditPage& page);

void MmImageToClipBrdClick(TKhm& khm);
void MmImageToFileClick(TKhm& khm);
// The current object's picture bytes ("aa.txt" offered).
void MmObjBmpSaveClick(TKhm& khm);
// The page's picture bytes in bands ("Page.txt" offered).
void MmPageSaveClick(TKhm& khm);
// The page's picture as packed rows ("Page1.txt" offered), then opened in the desktop's
// program for it.
void MmPage1SaveClick(TKhm& khm);

void InstallPageExports(TKhm& khm);

} // namespace kes
