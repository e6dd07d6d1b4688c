// Tests write the tools' Japanese texts in UTF-8 and compare the Shift-JIS
// (CP932) bytes that the tools write with the iconv conversion of them.
#pragma once

#include <string>
#include <string_view>

namespace d88test {

// The CP932 bytes of a UTF-8 text; throws when the text has no CP932 form.
std::string sjis(std::string_view utf8);

}  // namespace d88test
