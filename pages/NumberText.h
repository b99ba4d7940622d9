#pragma once
// How a field's text becomes a number and a number becomes text. Both follow
// the C runtime's "C" locale, whatever the user's regional settings are.

#include <string>

using CString = std::u16string;

// The longest prefix that wcstod reads as a number (leading white space, sign,
// digits, point, exponent); 0 when there is none.
double ParseNumberText(const CString& text);

// "%f": fixed notation, six decimals, no grouping.
CString FormatValue(double value);

// "%d" of the value truncated toward zero; values out of int's range give
// INT_MIN, as the x86 conversion instruction does.
CString FormatTruncated(double value);
