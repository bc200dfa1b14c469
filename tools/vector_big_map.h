// A generated big vector map for timing renders.
#pragma once

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>

namespace tolvik::testing {

// A zone of about 4000 by 3000 units: roads and walls as chains of short
// segments with four decimals, as the game's files write them, and labels
// of a few words spread over it. The same text for the same seed.
inline std::string BigVectorMap(unsigned seed, int lineCount, int labelCount) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> xs(-2000.0f, 2000.0f);
    std::uniform_real_distribution<float> ys(-1500.0f, 1500.0f);
    std::uniform_real_distribution<float> step(-60.0f, 60.0f);
    std::uniform_real_distribution<float> zs(-50.0f, 150.0f);
    std::uniform_int_distribution<int> colourPick(0, 5);
    std::uniform_int_distribution<int> chainLength(5, 60);
    std::uniform_int_distribution<int> wordCount(1, 3);
    std::uniform_int_distribution<int> letter(0, 25);
    std::uniform_int_distribution<int> wordLength(3, 8);
    std::uniform_int_distribution<int> sizes(1, 3);
    const int colours[6][3] = {{0, 0, 0}, {128, 64, 0}, {0, 0, 255}, {0, 128, 0}, {96, 96, 96}, {255, 0, 0}};
    std::string text;
    text.reserve(static_cast<std::size_t>(lineCount) * 90 + static_cast<std::size_t>(labelCount) * 80);
    char buffer[256];
    int made = 0;
    while (made < lineCount) {
        float x = xs(random);
        float y = ys(random);
        float z = zs(random);
        const int* c = colours[colourPick(random)];
        for (int n = chainLength(random); n > 0 && made < lineCount; --n, ++made) {
            const float nx = std::min(2000.0f, std::max(-2000.0f, x + step(random)));
            const float ny = std::min(1500.0f, std::max(-1500.0f, y + step(random)));
            const float nz = z + step(random) * 0.1f;
            std::snprintf(buffer, sizeof buffer, "L %.4f, %.4f, %.4f, %.4f, %.4f, %.4f, %d, %d, %d\r\n", x, y, z, nx,
                          ny, nz, c[0], c[1], c[2]);
            text += buffer;
            x = nx;
            y = ny;
            z = nz;
        }
    }
    for (int i = 0; i < labelCount; ++i) {
        std::string label;
        for (int w = wordCount(random); w > 0; --w) {
            if (!label.empty()) label += '_';
            label += static_cast<char>('A' + letter(random));
            for (int k = wordLength(random); k > 1; --k) label += static_cast<char>('a' + letter(random));
        }
        const int* c = colours[colourPick(random)];
        const float x = xs(random);
        const float y = ys(random);
        const float z = zs(random);
        const int size = sizes(random);
        std::snprintf(buffer, sizeof buffer, "P %.4f, %.4f, %.4f, %d, %d, %d, %d, %s\r\n", x, y, z, c[0], c[1], c[2],
                      size, label.c_str());
        text += buffer;
    }
    return text;
}

}  // namespace tolvik::testing
