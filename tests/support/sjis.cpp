#include "sjis.h"

#include <iconv.h>

#include <stdexcept>
#include <vector>

namespace d88test {

std::string sjis(std::string_view utf8) {
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error("iconv has no CP932");
    }
    std::string in(utf8);
    std::vector<char> out(in.size() * 2 + 16);
    char* inPtr = in.data();
    size_t inLeft = in.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1) || inLeft != 0) {
        throw std::runtime_error("text has no CP932 form");
    }
    return std::string(out.data(), out.size() - outLeft);
}

}  // namespace d88test
