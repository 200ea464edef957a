#pragma once
// The picture an image control holds: empty, or a 24-bit bitmap. Whoever
// edits the bitmap's bytes in place raises Changed(), and the control that
// shows the picture repaints on OnChange.
#include "snapshot/Bitmap24.h"

#include <functional>
#include <optional>

class TBitmapPicture {
public:
    TBitmapPicture() = default;
    TBitmapPicture(const TBitmapPicture&) = delete;
    TBitmapPicture& operator=(const TBitmapPicture&) = delete;

    bool Empty() const { return !Bitmap_; }
    TBitmap24* Bitmap() { return Bitmap_ ? &*Bitmap_ : nullptr; }
    const TBitmap24* Bitmap() const { return Bitmap_ ? &*Bitmap_ : nullptr; }

    // Replaces the picture with bitmap and raises the change notification.
    void Assign(TBitmap24 bitmap)
    {
        Bitmap_ = std::move(bitmap);
        Changed();
    }
    void Changed() const
    {
        if (OnChange)
            OnChange();
    }

    std::function<void()> OnChange;

private:
    std::optional<TBitmap24> Bitmap_;
};
