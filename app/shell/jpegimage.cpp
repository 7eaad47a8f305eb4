#include "app/shell/jpegimage.h"

#include "platform/fileio.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace kes {
namespace {

// The splash is 600 x 460: a picture that claims more is no splash, and would take its
// claim's memory before the first line decodes (a progressive one when decoding starts).
constexpr JDIMENSION kMaxSide = 4096;

// libjpeg reports a fatal error through error_exit, which must not return: it jumps back
// into the decoder, which gives up cleanly.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void ErrorExit(j_common_ptr cinfo)
{
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void OutputMessage(j_common_ptr) {}

struct Decoded {
    unsigned char* pixels; // malloc'd, width * height * 3 bytes
    JDIMENSION width;
    JDIMENSION height;
};

// Only plain data lives in this function, so the jump back skips no destructor.
bool Decode(const unsigned char* bytes, unsigned long size, Decoded* out, char* message)
{
    jpeg_decompress_struct cinfo;
    ErrorManager err;
    unsigned char* volatile pixels = nullptr;
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = ErrorExit;
    err.pub.output_message = OutputMessage;
    err.message[0] = '\0';
    if (setjmp(err.jump)) {
        std::strcpy(message, err.message);
        jpeg_destroy_decompress(&cinfo);
        std::free(pixels);
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, bytes, size);
    jpeg_read_header(&cinfo, TRUE);
    if (cinfo.image_width == 0 || cinfo.image_height == 0 || cinfo.image_width > kMaxSide ||
        cinfo.image_height > kMaxSide) {
        std::strcpy(message, "unsupported picture size or colour format");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    if (cinfo.output_width == 0 || cinfo.output_height == 0 || cinfo.output_width > kMaxSide ||
        cinfo.output_height > kMaxSide || cinfo.output_components != 3) {
        std::strcpy(message, "unsupported picture size or colour format");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;
    pixels = static_cast<unsigned char*>(std::malloc(stride * cinfo.output_height));
    if (!pixels) {
        std::strcpy(message, "out of memory");
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = pixels + stride * cinfo.output_scanline;
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    out->pixels = pixels;
    out->width = cinfo.output_width;
    out->height = cinfo.output_height;
    jpeg_destroy_decompress(&cinfo);
    return true;
}

} // namespace

QImage LoadJpeg(const std::string& path, std::string* error)
{
    // The splash picture is some 35 KiB.
    constexpr std::size_t kMaxJpegBytes = 16u << 20;
    std::vector<std::uint8_t> bytes;
    if (!ReadFileBytes(path, kMaxJpegBytes, bytes, nullptr)) {
        if (error)
            *error = path;
        return {};
    }
    Decoded d{nullptr, 0, 0};
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = Decode(bytes.data(), static_cast<unsigned long>(bytes.size()), &d, message);
    if (!ok) {
        if (error)
            *error = message;
        return {};
    }
    QImage image(static_cast<int>(d.width), static_cast<int>(d.height), QImage::Format_RGB888);
    const std::size_t stride = std::size_t(d.width) * 3;
    for (JDIMENSION y = 0; y < d.height; ++y)
        std::memcpy(image.scanLine(static_cast<int>(y)), d.pixels + stride * y, stride);
    std::free(d.pixels);
    return image;
}

} // namespace kes
