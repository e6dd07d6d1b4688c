// The one way the disk tools report damaged data or a file they could not
// write: a line on standard error, in the tools' language (Shift-JIS), that
// names the disk, track, sector or file concerned. Formats come from the
// tools' message tables and are printf formats.
#pragma once

#include <cstdio>

namespace d88tools {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void warn(std::FILE* err, const char* format, ...);

}  // namespace d88tools
