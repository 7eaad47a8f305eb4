#pragma once
// JPEG pictures decoded with libjpeg.
#include <QImage>
#include <string>

namespace kes {

// The picture of a JPEG file as 24-bit RGB; a null image when the file is missing or is not a
// JPEG libjpeg can decode (the reason in *error when given, for logs: libjpeg's words, or the
// path of a file that could not be read; the splash shows nothing). Pictures larger than
// 4096 x 4096, and files larger than 16 MiB, are refused.
QImage LoadJpeg(const std::string& path, std::string* error = nullptr);

} // namespace kes
