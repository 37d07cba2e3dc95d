// Palette PNG output for review pictures.
#pragma once
#include <string>

#include "canvas.h"

namespace assetgen {

// Writes an indexed PNG with the saver's palette; returns false when the file cannot be written.
bool WriteIndexedPng(const std::string& path, const IndexImage& image);

}  // namespace assetgen
