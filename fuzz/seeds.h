#pragma once

#include <string>

#include "d88builder.h"

bool writeSeed(const std::string& dir, const std::string& target, const std::string& name,
               const d88test::Bytes& bytes);
// The seeds of the game-disk and decompression targets.
bool writeToolSeeds(const std::string& dir);
