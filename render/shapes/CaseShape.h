#pragma once
// A keep case, as DVDs and Blu-ray discs come in: a slab of moulded plastic
// with rounded corners and rounded edges, the printed wrap under its clear
// glossy sleeve on the front, the spine (on the left of the front) and the
// back, and the bare plastic of the case showing as a rim on the three open
// edges.
#include "render/shapes/Shape.h"

// The case of these outer sizes in the plastic given.
TShape CaseShape(const char* name, const TBoxSize& size, const TMaterial& plastic);
