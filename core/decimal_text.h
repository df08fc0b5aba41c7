#pragma once

#include <string>

namespace kestrova {

// An integer in decimal, for error messages. Written out by hand because
// std::to_string pulls the C library's whole printf into a static build.
inline std::string DecimalText(long long value) {
    const bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative) digits.insert(digits.begin(), '-');
    return digits;
}

}  // namespace kestrova
