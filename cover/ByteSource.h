#pragma once
// Random access to the bytes of an image, from memory or from an open file, so
// that the decoders read files and in-memory data through the same code.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

class TByteSource {
public:
    virtual ~TByteSource() = default;
    virtual uint64_t Size() const = 0;
    // Copies count bytes from offset into `into`; false when the data ends first.
    virtual bool ReadAt(uint64_t offset, void* into, size_t count) = 0;
};

class TMemorySource final : public TByteSource {
public:
    TMemorySource(const uint8_t* data, size_t size) : Data_(data), Size_(size) {}
    uint64_t Size() const override { return Size_; }
    bool ReadAt(uint64_t offset, void* into, size_t count) override;

private:
    const uint8_t* Data_;
    size_t Size_;
};

// A regular file opened for reading; closed by the destructor.
class TFileSource final : public TByteSource {
public:
    // Nothing when no regular file of that name exists. A file that exists but
    // cannot be opened raises TInOutError ("File access denied" when the
    // permission is missing).
    static std::unique_ptr<TFileSource> Open(const std::string& fileName);
    ~TFileSource() override;
    TFileSource(const TFileSource&) = delete;
    TFileSource& operator=(const TFileSource&) = delete;

    uint64_t Size() const override { return Size_; }
    // A failing read (other than the end of the file) raises TInOutError.
    bool ReadAt(uint64_t offset, void* into, size_t count) override;

private:
    TFileSource(int descriptor, uint64_t size) : Descriptor_(descriptor), Size_(size) {}
    int Descriptor_;
    uint64_t Size_;
};
