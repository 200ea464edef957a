#include "platform/UsableCpus.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <unistd.h>

namespace {

// Past any machine's CPUs: a quota beyond it is no limit worth counting.
constexpr long long MostCpus = 1 << 20;

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.remove_suffix(1);
    return text;
}

bool ParseWhole(std::string_view text, long long& value)
{
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    return !text.empty() && error == std::errc() && at == end;
}

int QuotaCpus(std::string_view quotaText, std::string_view periodText)
{
    long long quota = 0, period = 0;
    if (!ParseWhole(quotaText, quota) || !ParseWhole(periodText, period) || quota <= 0 || period <= 0)
        return 0;
    return int(std::min(MostCpus, quota / period + (quota % period != 0)));
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (size_t at = 0;;) {
        const size_t end = text.find(separator, at);
        parts.push_back(text.substr(at, end == std::string_view::npos ? end : end - at));
        if (end == std::string_view::npos)
            return parts;
        at = end + 1;
    }
}

bool Contains(const std::vector<std::string_view>& words, std::string_view word)
{
    return std::find(words.begin(), words.end(), word) != words.end();
}

// A path of mountinfo, whose spaces and such are written \040.
std::string Unescaped(std::string_view text)
{
    std::string path;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto octal = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '7'; };
        if (text[i] == '\\' && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            path += char((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
            i += 3;
        } else {
            path += text[i];
        }
    }
    return path;
}

// A mounted cgroup hierarchy: the group at its root, and where it is mounted.
struct TMount {
    std::string Root;
    std::string Point;
};

// The mount of the unified hierarchy, or of v1's with the cpu controller.
std::vector<TMount> CgroupMounts(std::string_view mountInfo, bool unified)
{
    std::vector<TMount> mounts;
    for (const std::string_view line : Split(mountInfo, '\n')) {
        const std::vector<std::string_view> fields = Split(line, ' ');
        const auto dash = std::find(fields.begin(), fields.end(), "-");
        if (fields.end() - dash < 4 || dash - fields.begin() < 6)
            continue;
        const std::string_view type = dash[1];
        if (unified ? type == "cgroup2" : type == "cgroup" && Contains(Split(Trimmed(dash[3]), ','), "cpu"))
            mounts.push_back({Unescaped(fields[3]), Unescaped(fields[4])});
    }
    return mounts;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

int AffinityCpus()
{
    cpu_set_t cpus;
    if (sched_getaffinity(0, sizeof cpus, &cpus) == 0)
        return CPU_COUNT(&cpus);
    return int(sysconf(_SC_NPROCESSORS_ONLN));
}

} // namespace

std::vector<TCpuCgroup> CpuCgroups(std::string_view cgroups, std::string_view mountInfo)
{
    std::vector<TCpuCgroup> found;
    for (const std::string_view line : Split(cgroups, '\n')) {
        const size_t first = line.find(':');
        const size_t second = line.find(':', first == std::string_view::npos ? first : first + 1);
        if (second == std::string_view::npos)
            continue;
        const bool unified = line.substr(0, second) == "0:";
        if (!unified && !Contains(Split(line.substr(first + 1, second - first - 1), ','), "cpu"))
            continue;
        const std::string_view group = Trimmed(line.substr(second + 1));
        // The group as seen from the mount's root: a container sees its own
        // group mounted, under the name the host gives it.
        for (const TMount& mount : CgroupMounts(mountInfo, unified)) {
            const std::string_view root = mount.Root == "/" ? std::string_view() : std::string_view(mount.Root);
            if (group.starts_with(root) && (group.size() == root.size() || group[root.size()] == '/')) {
                const std::string_view below = group.substr(root.size());
                found.push_back({mount.Point, mount.Point + std::string(below == "/" ? "" : below), unified});
                break;
            }
        }
    }
    return found;
}

int CpuMaxCpus(std::string_view cpuMax)
{
    const std::vector<std::string_view> parts = Split(Trimmed(cpuMax), ' ');
    return parts.size() == 2 ? QuotaCpus(parts[0], parts[1]) : 0;
}

int CfsQuotaCpus(std::string_view quota, std::string_view period)
{
    return QuotaCpus(Trimmed(quota), Trimmed(period));
}

int CgroupCpuLimit(const std::string& root)
{
    int limit = 0;
    const auto tighten = [&](int cpus) {
        if (cpus > 0 && (limit == 0 || cpus < limit))
            limit = cpus;
    };
    for (const TCpuCgroup& group :
         CpuCgroups(ReadFile(root + "/proc/self/cgroup"), ReadFile(root + "/proc/self/mountinfo"))) {
        // The group's own quota and those of the groups above it, up to the mount.
        for (std::string folder = group.Folder;; folder.erase(folder.rfind('/'))) {
            const std::string at = root + folder + "/";
            if (group.Unified)
                tighten(CpuMaxCpus(ReadFile(at + "cpu.max")));
            else
                tighten(CfsQuotaCpus(ReadFile(at + "cpu.cfs_quota_us"), ReadFile(at + "cpu.cfs_period_us")));
            if (folder.size() <= group.Mount.size())
                break;
        }
    }
    return limit;
}

int SlurmCpusPerTask(const char* value)
{
    long long cpus = 0;
    return value && ParseWhole(value, cpus) && cpus > 0 ? int(std::min(cpus, MostCpus)) : 0;
}

int UsableCpus()
{
    int cpus = AffinityCpus();
    for (const int limit : {CgroupCpuLimit(""), SlurmCpusPerTask(std::getenv("SLURM_CPUS_PER_TASK"))})
        if (limit > 0)
            cpus = std::min(cpus, limit);
    return std::max(1, cpus);
}
