#include "numberarg.h"

#include <cstdint>

namespace d88title {

namespace {

bool isSpace(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of a digit in any base up to 16, or 16 for no digit at all.
int digitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 16;
}

}  // namespace

int parseNumber(const char* text) {
    const char* p = text;
    while (isSpace(*p)) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-') {
        ++p;
    }
    int base = 10;
    if (p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        base = 16;
        p += 2;
    } else if (p[0] == '0') {
        base = 8;
    }
    // Held at the bound once reached, so the sum can never overflow.
    const int64_t bound = negative ? -int64_t{INT32_MIN} : int64_t{INT32_MAX};
    int64_t magnitude = 0;
    for (int digit = digitValue(*p); digit < base; digit = digitValue(*++p)) {
        magnitude = magnitude * base + digit;
        if (magnitude > bound) {
            magnitude = bound;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace d88title
