#include "warning.h"

#include <cstdarg>

namespace d88tools {

void warn(std::FILE* err, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vfprintf(err, format, args);
    va_end(args);
    std::fflush(err);
}

}  // namespace d88tools
