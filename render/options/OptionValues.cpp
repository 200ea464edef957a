#include "render/options/OptionValues.h"

#include "view/StylePresets.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& value)
{
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

// The shortest text that reads back as the same float: 31.5, -0.25, 40.
std::string ShortestText(float value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

int ParseShardPart(std::string_view text, int lowest, const std::string& whole)
{
    int value = 0;
    if (!ParseNumber(text, value) || value < lowest || value > MaxShards)
        Refuse("--shard takes K/N with 0 <= K < N <= " + std::to_string(MaxShards) + ", or auto, not \"" + whole +
               "\"");
    return value;
}

} // namespace

[[noreturn]] void Refuse(const std::string& message)
{
    throw TUsageError(message);
}

int ParseCount(const std::string& option, std::string_view text, int lowest, int highest)
{
    int value = 0;
    if (!ParseNumber(text, value) || value < lowest || value > highest)
        Refuse(option + " takes a whole number from " + std::to_string(lowest) + " to " + std::to_string(highest) +
               ", not \"" + std::string(text) + "\"");
    return value;
}

TPose AnglesPose(std::string_view text)
{
    const size_t comma = text.find(',');
    float x = 0.0f, y = 0.0f;
    if (comma == std::string_view::npos || !ParseNumber(text.substr(0, comma), x) ||
        !ParseNumber(text.substr(comma + 1), y) || !std::isfinite(x) || !std::isfinite(y))
        Refuse("--angles takes two numbers X,Y in degrees, not \"" + std::string(text) + "\"");
    return {"x" + ShortestText(x) + "_y" + ShortestText(y), x, y};
}

std::vector<TPose> PresetPoses(std::string_view text)
{
    const auto presets = StylePresetTable();
    auto pose = [&](int i) {
        return TPose{"preset" + std::to_string(i), presets[size_t(i)].XRotation, presets[size_t(i)].YRotation};
    };
    if (text == "all") {
        std::vector<TPose> poses;
        for (int i = 0; i < StylePresetCount; ++i)
            poses.push_back(pose(i));
        return poses;
    }
    return {pose(ParseCount("--preset", text, 0, StylePresetCount - 1))};
}

void ParseSize(std::string_view text, TRenderOptions& options)
{
    const size_t x = text.find_first_of("xX");
    int width = 0, height = 0;
    if (x == std::string_view::npos || !ParseNumber(text.substr(0, x), width) ||
        !ParseNumber(text.substr(x + 1), height) || width < 1 || height < 1 || width > MaxPictureSide ||
        height > MaxPictureSide)
        Refuse("--size takes WIDTHxHEIGHT, each from 1 to " + std::to_string(MaxPictureSide) + ", not \"" +
               std::string(text) + "\"");
    options.Width = width;
    options.Height = height;
}

double ParseShare(const std::string& option, std::string_view text, double highest)
{
    const bool percent = text.ends_with('%');
    double value = 0.0;
    const bool number = ParseNumber(percent ? text.substr(0, text.size() - 1) : text, value);
    if (percent)
        value /= 100.0;
    if (!number || !std::isfinite(value) || value < 0.0 || value > highest)
        Refuse(option + " takes a share from 0 to " + ShortestText(float(highest)) + " (or 0% to " +
               ShortestText(float(highest * 100.0)) + "%), not \"" + std::string(text) + "\"");
    return value;
}

TLook ParseLook(std::string_view text)
{
    if (text == "studio")
        return TLook::Studio;
    if (text == "window")
        return TLook::Window;
    Refuse("--look takes studio or window, not \"" + std::string(text) + "\"");
}

uint32_t ParseColour(std::string_view text)
{
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    uint32_t colour = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, colour, 16);
    if (text.size() != 6 || error != std::errc() || at != end)
        Refuse("--background takes a colour RRGGBB in hexadecimal, not \"" + std::string(text) + "\"");
    return colour;
}

void ParseBox(std::string_view text, TBoxArtwork& artwork)
{
    const std::string_view original = text;
    if (text == "auto") {
        artwork.AutoSize = true;
        return;
    }
    std::array<float, 3> sides{};
    bool read = true;
    for (size_t i = 0; i < sides.size() && read; ++i) {
        const size_t x = i + 1 < sides.size() ? text.find_first_of("xX") : text.size();
        read = x != std::string_view::npos && ParseNumber(text.substr(0, x), sides[i]) && sides[i] > 0.0f &&
               sides[i] <= MaxBoxSide;
        text.remove_prefix(std::min(text.size(), x + 1));
    }
    if (!read)
        Refuse("--box takes WIDTHxHEIGHTxDEPTH, each above 0 and at most " + ShortestText(MaxBoxSide) +
               ", or auto, not \"" + std::string(original) + "\"");
    artwork.Size = TBoxSize{sides[0], sides[1], sides[2]};
}

std::string PathValue(const std::string& option, const std::string& value)
{
    if (value.empty())
        Refuse(option + " needs a value");
    return value;
}

bool SwitchValue(const std::string& option, const std::string& value)
{
    std::string word;
    for (const char c : value)
        word += char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if (word.empty() || word == "1" || word == "yes" || word == "true" || word == "on")
        return true;
    if (word == "0" || word == "no" || word == "false" || word == "off")
        return false;
    Refuse(option + " takes 1, yes, true, on or 0, no, false, off, not \"" + value + "\"");
}

void ParseShard(const std::string& text, TRenderOptions& options)
{
    if (text == "auto") {
        options.ShardAuto = true;
        return;
    }
    const size_t slash = text.find('/');
    const std::string_view view = text;
    const int index = ParseShardPart(view.substr(0, std::min(slash, text.size())), 0, text);
    const int count = ParseShardPart(slash == std::string::npos ? std::string_view() : view.substr(slash + 1), 1, text);
    if (index >= count)
        ParseShardPart({}, 0, text);
    options.Shard = TShard{index, count};
}
