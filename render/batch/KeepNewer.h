#pragma once
// --keep-newer: a picture whose file is newer than every file its box is
// made from is not drawn again. Decided with stat() alone, before anything
// is drawn.
#include "render/artwork/BoxArtwork.h"

#include <string>
#include <vector>

// The files the box's picture is made from: its cover file, if any, and the
// images its faces show. Empty when the box cannot be planned (its drawing
// then says why).
std::vector<std::string> BoxInputs(const TBoxArtwork& artwork);

// Whether output exists and was modified after each of inputs, which must all
// exist; false for no inputs.
bool IsNewerThanAll(const std::string& output, const std::vector<std::string>& inputs);
