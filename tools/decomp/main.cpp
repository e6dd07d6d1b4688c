// Entry point of decomp.
#include "decomp.h"

int main(int argc, char** argv) {
    return decomp::runDecomp(argc, argv);
}
