// Number parsing and formatting shared by the settings, the calibration
// panel and the location fields.
#pragma once

#include <string>

namespace tolvik {

// The real number that `text` begins with (optional blanks, sign, digits with
// an optional point and fraction, optional exponent); 0 when it does not
// begin with one. Only the decimal form converts; values beyond the
// single-precision range become the largest finite value of their sign.
float ParseLeadingReal(const std::string& text);

// "%.2f" of a single-precision value.
std::string FormatFixed2(float value);

// "%.4f" of a single-precision value.
std::string FormatFixed4(float value);

// Milliseconds from `then` to `now` on a wrapping 32-bit tick counter.
inline unsigned TickDifference(unsigned now, unsigned then) { return now - then; }

}  // namespace tolvik
