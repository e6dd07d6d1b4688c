// The numbers of the cut-out's command line, read the way C's strtol reads
// them with base 0, but held to 32 bits.
#pragma once

namespace d88title {

// Optional white space and sign, then base 16 after 0x or 0X, base 8 after a
// leading 0, base 10 otherwise; reading stops at the first character that is
// no digit of the base, and no digit at all reads as 0. Values beyond the
// signed 32-bit range saturate at its bounds.
int parseNumber(const char* text);

}  // namespace d88title
