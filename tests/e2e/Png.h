#pragma once
// A minimal PNG writer (stored deflate blocks): screenshots without a library.

#include <vector>

namespace yomorina::e2e {

std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb);

}  // namespace yomorina::e2e
