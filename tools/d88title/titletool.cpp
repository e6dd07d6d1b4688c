#include "titletool.h"

#include "cutout.h"
#include "diskimage.h"
#include "layouts.h"
#include "titleentry.h"
#include "titlemessages.h"

namespace d88title {

namespace {

int extractLayout(DiskImage& image, const char* filter, std::FILE* out, std::FILE* err) {
    LayoutResult result = extract2HD(image, filter, out, err);
    if (result.code != 0) {
        result = extract2DD(image, filter, out, err);
    }
    if (result.code != 0) {
        std::fputs(kUnsupportedFormat, out);
        return 1;
    }
    return result.filesNotWritten == 0 ? 0 : 1;
}

int runWithImage(DiskImage& image, int argc, char** argv, std::FILE* out, std::FILE* err) {
    if (argc == 2) {
        return extractLayout(image, nullptr, out, err);
    }
    if (argc == 3) {
        upperCaseAscii(argv[2]);
        return extractLayout(image, argv[2], out, err);
    }
    if (argc >= 6) {
        return cutOutCommand(argc, argv, image, out, err);
    }
    std::fputs(kWrongArgumentCount, out);
    return 1;
}

}  // namespace

int runTitleTool(int argc, char** argv, std::FILE* out, std::FILE* err) {
    if (argc < 2) {
        // Some systems can start a program with no words at all, and Linux
        // then hands it an empty name instead: either way there is no name
        // to print.
        if (argc == 1 && argv[0] != nullptr && argv[0][0] != '\0') {
            std::fprintf(out, "%s\n", argv[0]);
        }
        std::fflush(out);
        return 0;
    }
    DiskImage image;
    if (!image.open(argv[1])) {
        std::fprintf(out, kOpenFailed, argv[1]);
        std::fflush(out);
        return 1;
    }
    const int status = runWithImage(image, argc, argv, out, err);
    image.close();
    std::fflush(out);
    return status;
}

}  // namespace d88title
