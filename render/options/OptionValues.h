#pragma once
// The values options take, each read from its text with the message the user
// sees when it cannot be: numbers, sizes, shares, colours, poses, switches.
// Each raises TUsageError naming the option.
#include "render/options/RenderOptions.h"

#include <string>
#include <string_view>
#include <vector>

[[noreturn]] void Refuse(const std::string& message);

// A whole number from lowest to highest.
int ParseCount(const std::string& option, std::string_view text, int lowest, int highest);
// "X,Y" in degrees: the pose named "x31.5_y-45".
TPose AnglesPose(std::string_view text);
// "N" (0 to 4) or "all": the style presets' poses.
std::vector<TPose> PresetPoses(std::string_view text);
// "WxH" in pixels.
void ParseSize(std::string_view text, TRenderOptions& options);
// A share written as a number (0.05) or as a percentage (5%), from 0 to highest.
double ParseShare(const std::string& option, std::string_view text, double highest);
TLook ParseLook(std::string_view text);
// "RRGGBB" or "#RRGGBB".
uint32_t ParseColour(std::string_view text);
// "WxHxD" or "auto".
void ParseBox(std::string_view text, TBoxArtwork& artwork);
// "K/N" or "auto".
void ParseShard(const std::string& text, TRenderOptions& options);
// A file or folder: anything but nothing.
std::string PathValue(const std::string& option, const std::string& value);
// A switch is on when given on the command line (value empty); a list's cell
// says which: 1, yes, true, on or 0, no, false, off.
bool SwitchValue(const std::string& option, const std::string& value);
