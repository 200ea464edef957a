// Writes the boxes that bench/render_timing.sh draws in a batch: folders
// box001 ... boxNNN under a folder, each with its own front and back
// (1000 x 1500) and spine (150 x 1500) as JPEGs of quality 90, and a cover
// file naming them. Every picture differs, with smooth colour, fine grain and
// sharp bands, so that decoding them costs what real artwork does; the same
// arguments always give the same files.
//
//   make_bench_covers FOLDER COUNT
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <jpeglib.h>
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

bool WriteJpeg(const std::filesystem::path& file, int width, int height, uint32_t seed)
{
    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return false;
    jpeg_compress_struct info = {};
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, out);
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 90, TRUE);
    jpeg_start_compress(&info, TRUE);
    TNoise noise{seed * 2654435761u + 1};
    const double a = 40.0 + seed % 37, b = 55.0 + seed % 23, phase = seed * 0.7;
    std::vector<uint8_t> row(size_t(width) * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool band = (y / 90 + x / 250) % 5 == 0;  // sharp-edged blocks, as lettering has
            for (int c = 0; c < 3; ++c) {
                const double wave = std::sin(x / a + phase + c * 2.1) * std::cos(y / b - c * 1.3 + phase);
                const int value = band ? 230 - 60 * c : int(128 + 90 * wave) + noise.Next() % 24 - 12;
                row[size_t(x) * 3 + size_t(c)] = uint8_t(std::clamp(value, 0, 255));
            }
        }
        JSAMPROW next = row.data();
        jpeg_write_scanlines(&info, &next, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return std::fclose(out) == 0;
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
        std::filesystem::create_directories(folder);
        const auto seed = uint32_t(i) * 3;
        if (!WriteJpeg(folder / "front.jpg", 1000, 1500, seed) || !WriteJpeg(folder / "spine.jpg", 150, 1500, seed + 1) ||
            !WriteJpeg(folder / "back.jpg", 1000, 1500, seed + 2)) {
            std::fprintf(stderr, "make_bench_covers: cannot write the pictures of %s\n", folder.c_str());
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
