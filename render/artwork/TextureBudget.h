#pragma once
// Which face images a run keeps: those used most recently, up to a bound of
// bytes, and always every one the box being drawn uses, however many bytes
// they take. Plain bookkeeping of names, no GL: the texture cache lets go of
// what Evict names.
#include <cstddef>
#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>
#include <vector>

class TTextureBudget {
public:
    explicit TTextureBudget(size_t bytes) : Bound_(bytes) {}

    // The next box begins: what the boxes before it used may go.
    void BeginBox() { ++Box_; }
    // The image `key`, kept already or just added with its bytes, is used by
    // the current box.
    void Use(const std::string& key, size_t bytes);
    // The images to let go, least recently used first, until the rest fit
    // the bound or only the current box's remain; they are forgotten here.
    std::vector<std::string> Evict();
    // Forgets the image `key`, when it is kept, whichever box uses it.
    void Forget(const std::string& key);

    size_t Bytes() const { return Total_; }
    size_t Bound() const { return Bound_; }

private:
    struct TEntry {
        size_t Bytes = 0;
        uint64_t Box = 0;                      // the box that used it last
        std::list<std::string>::iterator Age;  // its place in Order
    };

    const size_t Bound_;
    uint64_t Box_ = 0;
    size_t Total_ = 0;
    std::list<std::string> Order_;  // least recently used first
    std::unordered_map<std::string, TEntry> Entries_;
};
