#pragma once
// The range test of typed numbers, shared by the inspector's number rows and the settings
// dialogs: does the text name a number of the value format that fits the width?
#include <string_view>

// format: 0 unsigned decimal, 1 signed decimal, 2 hexadecimal, 3 BCD (decimal digits,
// stored as their hexadecimal pattern). width: 0 16 bits, any other 32 bits. Blanks around
// the number are allowed; an empty text and any other format are refused.
bool ValRangeTest(std::string_view text, int format, int width);
