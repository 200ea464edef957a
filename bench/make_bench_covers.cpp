// Writes the boxes that bench/render_timing.sh draws in a batch: folders
// box001 ... boxNNN under a folder, each with its own front and back
// (1000 x 1500) and spine (150 x 1500) as JPEGs, and a cover
// file naming them. Every picture differs, with smooth colour, fine grain and
// sharp bands, so that decoding them costs what real artwork does; the same
// arguments always give the same files.
//
//   make_bench_covers FOLDER COUNT
#include "render/ImageFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A small deterministic generator (xorshift), seeded per picture.
struct TNoise {
    uint32_t State;
    uint8_t Next()
    {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return uint8_t(State);
    }
};

// A JPEG of width x height pixels, written as plenamar-render writes its
// pictures (quality 95).
void WriteJpeg(const std::filesystem::path& file, int width, int height, uint32_t seed)
{
    TNoise noise{seed * 2654435761u + 1};
    const double a = 40.0 + seed % 37, b = 55.0 + seed % 23, phase = seed * 0.7;
    std::vector<uint32_t> row(static_cast<size_t>(width));
    WriteImageFile(file, TImageFormat::Jpeg, width, height, false, [&](TPictureRows& rows) {
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool band = (y / 90 + x / 250) % 5 == 0;  // sharp-edged blocks, as lettering has
                uint32_t pixel = 0xFF000000u;
                for (int c = 0; c < 3; ++c) {
                    const double wave = std::sin(x / a + phase + c * 2.1) * std::cos(y / b - c * 1.3 + phase);
                    const int value = band ? 230 - 60 * c : int(128 + 90 * wave) + noise.Next() % 24 - 12;
                    pixel |= uint32_t(std::clamp(value, 0, 255)) << (16 - 8 * c);
                }
                row[size_t(x)] = pixel;
            }
            rows.Put(y, 1, row.data());
        }
    });
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3 || std::atoi(argv[2]) < 1) {
        std::fprintf(stderr, "usage: make_bench_covers FOLDER COUNT\n");
        return 2;
    }
    const std::filesystem::path root = argv[1];
    const int count = std::atoi(argv[2]);
    for (int i = 1; i <= count; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "box%03d", i);
        const std::filesystem::path folder = root / name;
        const auto seed = uint32_t(i) * 3;
        try {
            std::filesystem::create_directories(folder);
            WriteJpeg(folder / "front.jpg", 1000, 1500, seed);
            WriteJpeg(folder / "spine.jpg", 150, 1500, seed + 1);
            WriteJpeg(folder / "back.jpg", 1000, 1500, seed + 2);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "make_bench_covers: %s\n", e.what());
            return 1;
        }
        std::ofstream cover(folder / (std::string(name) + ".cov"));
        cover << "[Properties]\nCover=front.jpg\nSpine=spine.jpg\nBack=back.jpg\n"
                 "[Options]\nBook=0\nFloor=0\nBack=0\nOpen=0\n[Sizes]\nWidth=20\nHeight=30\nDepth=3\n";
        if (!cover.flush()) {
            std::fprintf(stderr, "make_bench_covers: cannot write the cover file of %s\n", folder.c_str());
            return 1;
        }
    }
    return 0;
}
