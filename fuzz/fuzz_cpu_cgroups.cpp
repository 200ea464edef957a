// Feeds arbitrary bytes to the readers of /proc/self/cgroup, mountinfo and the
// quota files, as a container may show them: the text before the first NUL
// is the cgroup file, the rest the mountinfo, and each is also read as a
// quota. Every input gives groups inside their mounts and quotas of no fewer
// than 0 CPUs, never a crash.
#include "fuzz/FuzzCheck.h"
#include "platform/UsableCpus.h"

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const size_t split = std::min(text.find('\0'), text.size());
    const std::string_view cgroups = text.substr(0, split), mountInfo = text.substr(std::min(split + 1, size));
    for (const TCpuCgroup& group : CpuCgroups(cgroups, mountInfo))
        Check(group.Folder.starts_with(group.Mount), "a group lies in its hierarchy's mount");
    Check(CpuMaxCpus(cgroups) >= 0 && CfsQuotaCpus(cgroups, mountInfo) >= 0, "a quota is no fewer than 0 CPUs");
    return 0;
}
