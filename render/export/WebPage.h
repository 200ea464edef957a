#pragma once
// The page that shows a box's GLB in the <model-viewer> web component: its
// poster first, then the model, turned with the mouse or a finger, turning
// by itself until then, with AR on phones that have it. Everything it loads
// lies beside it: "box.glb", "poster.png" and "model-viewer.min.js".
#include <string>

constexpr const char* WebModelFile = "box.glb";
constexpr const char* WebPosterFile = "poster.png";
constexpr const char* WebPageFile = "index.html";

// The page, `title` (the box's name) as its title and the model's label.
std::string WebPage(const std::string& title);
