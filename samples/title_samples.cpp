#include "samples.h"

// The layout samples come with the game-disk tool.
bool writeTitleSamples(const std::string&) {
    return true;
}
