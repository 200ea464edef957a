#pragma once
// The one bound on the size of a raster picture, shared by the picture store's
// readers and the texture object: its pixels, four bytes each, fill at most
// 1 GiB. A picture past it is refused before anything is allocated, with the
// reader's own "... is not valid" text and the size.
#include <cstdint>
#include <string>

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// A fuzzer makes headers claim large pictures all the time; decoding each
// would take it most of its time. The same checks run at a smaller bound.
constexpr uint64_t kMaxPictureBytes = uint64_t(1) << 18;
#else
constexpr uint64_t kMaxPictureBytes = uint64_t(1) << 30;
#endif
constexpr uint64_t kMaxPicturePixels = kMaxPictureBytes / 4;

constexpr const char* kBitmapNotValid = "Bitmap image is not valid";
constexpr const char* kJpegNotValid = "JPEG image is not valid";

// Throws TError "<notValid> (W x H pixels is too large)" when a picture of
// width x height pixels holds more than kMaxPicturePixels.
void CheckPictureSize(const char* notValid, uint64_t width, uint64_t height);

// Sets Qt's image readers' own bound (128 MB unless told, which would refuse
// ordinary large photos) to follow this one, which the callers apply first.
void FollowPictureBoundInQtReaders();
