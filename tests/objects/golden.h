#pragma once
// Golden pictures: a picture is compared with tests/objects/golden/<name>.expected.txt,
// '#' black and '.' white rows under a column ruler, so a reviewer reads a change in the
// diff. Run a test with KES_REGEN_GOLDEN=1 to rewrite the files after an intended change.
#include "platform/fileio.h"
#include "platform/gdi.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace golden {

inline std::string Path(const std::string& name)
{
    return std::string(KES_SOURCE_DIR) + "/tests/objects/golden/" + name + ".expected.txt";
}

// "WxH" line, a ruler of column units, then each row with its number.
inline std::string Render(const TBitmap& bmp)
{
    std::string out = std::to_string(bmp.Width()) + "x" + std::to_string(bmp.Height()) + "\n    ";
    for (int x = 0; x < bmp.Width(); ++x)
        out += static_cast<char>('0' + x % 10);
    out += '\n';
    std::string rows = kes::PictureToText(bmp);
    int y = 0;
    std::size_t start = 0;
    while (start < rows.size()) {
        std::size_t nl = rows.find('\n', start);
        char num[16];
        std::snprintf(num, sizeof num, "%3d ", y++);
        out += num;
        out += rows.substr(start, nl - start + 1);
        start = nl + 1;
    }
    return out;
}

inline ::testing::AssertionResult Matches(const TBitmap& bmp, const std::string& name)
{
    std::string actual = Render(bmp);
    if (const char* regen = std::getenv("KES_REGEN_GOLDEN"); regen && *regen == '1') {
        kes::FileError err;
        if (!kes::WriteFileAtomic(Path(name), actual, &err))
            return ::testing::AssertionFailure() << err.Path << " not written, errno " << err.Errno;
        return ::testing::AssertionSuccess();
    }
    std::string expected;
    if (!kes::ReadFileText(Path(name), 1u << 30, expected, nullptr))
        return ::testing::AssertionFailure()
               << "no golden picture " << Path(name) << " (run with KES_REGEN_GOLDEN=1 to write it)\n"
               << actual;
    // Files may have been checked out with CR LF.
    std::string clean;
    for (char c : expected)
        if (c != '\r')
            clean += c;
    if (clean == actual)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "picture differs from " << Path(name) << "\nactual:\n"
                                         << actual << "expected:\n"
                                         << clean;
}

} // namespace golden
