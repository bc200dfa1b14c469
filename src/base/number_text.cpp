#include "base/number_text.h"

#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tolvik {

float ParseLeadingReal(const std::string& text) {
    // Accept only the plain decimal form so that "inf", "nan" and hexadecimal
    // text read as 0 like any other text.
    size_t i = 0;
    const size_t n = text.size();
    while (i < n && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    const size_t start = i;
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    size_t digits = 0;
    while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && std::isdigit(static_cast<unsigned char>(text[i]))) ++i, ++digits;
    }
    if (digits == 0) return 0.0f;
    // A leading "0x" would make strtod read hexadecimal; stop at the 'x'.
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) {
            while (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) ++j;
            i = j;
        }
    }
    const std::string number = text.substr(start, i - start);
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value) || value > FLT_MAX) return value < 0 ? -FLT_MAX : FLT_MAX;
    if (value < -FLT_MAX) return -FLT_MAX;
    return static_cast<float>(value);
}

std::string FormatFixed2(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.2f", static_cast<double>(value));
    return buffer;
}

std::string FormatFixed4(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.4f", static_cast<double>(value));
    return buffer;
}

}  // namespace tolvik
