#pragma once
// How many CPUs this process may really keep busy, which on a cluster is
// often fewer than the machine shows: the fewest of
// - the CPUs its affinity mask lets it run on (taskset, Slurm's task/affinity),
// - its control group's CPU quota, on its own group and every group above it:
//   cgroup v2's cpu.max, or v1's cpu.cfs_quota_us over cpu.cfs_period_us
//   (a pod's CPU limit, docker --cpus); 1.5 CPUs count as 2,
// - SLURM_CPUS_PER_TASK, where Slurm sets it (--cpus-per-task), which it does
//   even where it confines the task to nothing.
#include <string>
#include <string_view>
#include <vector>

// A CPU control group: the folder its hierarchy is mounted at and the group's
// folder below it; Unified for cgroup v2, else v1's cpu controller.
struct TCpuCgroup {
    std::string Mount;
    std::string Folder;
    bool Unified = false;
};

// The process's CPU control groups, found from the texts of /proc/self/cgroup
// and /proc/self/mountinfo; those whose hierarchy is not mounted are left out.
std::vector<TCpuCgroup> CpuCgroups(std::string_view cgroups, std::string_view mountInfo);

// The CPUs a quota allows, rounded up, from the text of a cpu.max ("max
// 100000", "150000 100000"), or from v1's quota and period; 0 for no quota or
// a text that is none.
int CpuMaxCpus(std::string_view cpuMax);
int CfsQuotaCpus(std::string_view quota, std::string_view period);

// The tightest CPU quota over the process's control groups and those above
// them, in CPUs; 0 for none. root is put before every path read ("" for this
// system), so that a test can give a made-up tree.
int CgroupCpuLimit(const std::string& root);

// The CPUs SLURM_CPUS_PER_TASK's value names; 0 for none or not a number.
int SlurmCpusPerTask(const char* value);

// The CPUs this process may use, at least 1.
int UsableCpus();
