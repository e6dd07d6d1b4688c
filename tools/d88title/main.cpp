// Entry point of d88title: everything but the streams lives in the library,
// so that the tests can run the same code in-process.
#include <cstdio>

#include "titletool.h"

int main(int argc, char** argv) {
    return d88title::runTitleTool(argc, argv, stdout, stderr);
}
