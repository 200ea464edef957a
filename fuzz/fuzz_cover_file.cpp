// The cover file reader and the integer reader over any bytes. The property
// that written states read back is fuzz_cover_round_trip's: it parses each
// input many times over, and would slow the reader's search down.
#include "cover/CoverFile.h"
#include "fuzz/FuzzCheck.h"
#include "platform/ProfileIniInteger.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

void CheckIntegers(std::string_view text)
{
    ReadProfileInteger(text, 10);
    int32_t n = 0;
    std::memcpy(&n, text.data(), std::min(text.size(), sizeof n));
    Check(ReadProfileInteger(std::to_string(n), 10) == n, "decimal round trip");
    char hex[16];
    std::snprintf(hex, sizeof hex, "$%X", static_cast<uint32_t>(n));
    Check(ReadProfileInteger(hex, 10) == n, "hexadecimal round trip");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckIntegers(text);
    ReadCoverState(text);
    return 0;
}
