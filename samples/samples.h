// Each tool's samples for the demo, written into the given directory.
#pragma once

#include <string>

bool writeDirectorySamples(const std::string& dir);
bool writeDecompSamples(const std::string& dir);
bool writeTitleSamples(const std::string& dir);
