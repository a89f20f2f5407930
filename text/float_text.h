#pragma once

#include <string>
#include <version>  // __cpp_lib_to_chars, before it is asked for below

// A float as the fewest significant digits (up to nine) whose nearest float it
// is, bit for bit: "0.4", "-0", "1e-45", "3.4028235e38", "123456790". The
// digits are written out from 1e-5 to below 1e9, and with 'e' and the power
// of ten outside that. Where two decimals of the fewest digits read back, the
// nearer one. Finite values only: the others give "nan", "inf" or "-inf".
std::string FloatText(float value);
// The same text appended, for writers of many numbers.
void AppendFloatText(std::string& out, float value);

// The two ways the text is made. The standard library's shortest conversion
// is fast; the web build's library has none for floats, and takes the
// portable one, from the C library's exactly rounded printf and strtof, which
// never see a decimal point, so no locale can change the text. Both give the
// same text for every float.
#if defined(__cpp_lib_to_chars) && !defined(__EMSCRIPTEN__)
#define ORBIZA_NATIVE_FLOAT_TEXT 1
void AppendFloatTextNative(std::string& out, float value);
#endif
void AppendFloatTextPortable(std::string& out, float value);
