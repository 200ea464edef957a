#include "platform/UsableCpus.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <functional>
#include <map>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A made-up system: /proc/self's two files and the control groups' files.
struct TTree {
    const char* Name;
    std::string Cgroups;
    std::string MountInfo;
    std::map<std::string, std::string> Files;
    int Limit;
};

const std::string Unified = "41 31 0:38 / /sys/fs/cgroup rw,nosuid - cgroup2 cgroup2 rw\n";
const std::string CpuV1 = "32 31 0:29 / /sys/fs/cgroup/cpu,cpuacct rw - cgroup cgroup rw,cpu,cpuacct\n";

// What a child process forked to run setUp and then UsableCpus() counts, or
// -1 when setUp failed.
int CpusInChild(const std::function<bool()>& setUp)
{
    const pid_t child = fork();
    if (child == 0)
        _exit(setUp() ? UsableCpus() : 255);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

std::string ReadText(const std::string& path)
{
    std::ifstream file(path);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::ofstream file(path);
    file << text;
    file.close();
    return bool(file);
}

} // namespace

TEST(UsableCpus, TheTightestQuotaOfTheProcesssGroupsAndThoseAboveThem)
{
    const TTree trees[] = {
        {"v2 limit", "0::/kubepods/pod1/box\n", Unified,
         {{"/sys/fs/cgroup/kubepods/pod1/box/cpu.max", "200000 100000\n"}}, 2},
        {"v2 a share rounded up", "0::/job\n", Unified, {{"/sys/fs/cgroup/job/cpu.max", "150000 100000\n"}}, 2},
        {"v2 no limit", "0::/job\n", Unified, {{"/sys/fs/cgroup/job/cpu.max", "max 100000\n"}}, 0},
        {"v2 the parent's is tighter",
         "0::/a/b\n",
         Unified,
         {{"/sys/fs/cgroup/a/b/cpu.max", "max 100000\n"}, {"/sys/fs/cgroup/a/cpu.max", "50000 100000\n"}},
         1},
        // A container sees its own group at the mount's root, by the host's name.
        {"v2 in a container", "0::/docker/c1\n",
         "50 40 0:38 /docker/c1 /sys/fs/cgroup rw - cgroup2 cgroup2 rw\n",
         {{"/sys/fs/cgroup/cpu.max", "300000 100000\n"}}, 3},
        {"v1 cpu,cpuacct", "4:memory:/x\n3:cpu,cpuacct:/slurm/job7\n", CpuV1,
         {{"/sys/fs/cgroup/cpu,cpuacct/slurm/job7/cpu.cfs_quota_us", "400000\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/slurm/job7/cpu.cfs_period_us", "100000\n"}},
         4},
        {"v1 no quota", "3:cpu,cpuacct:/\n", CpuV1,
         {{"/sys/fs/cgroup/cpu,cpuacct/cpu.cfs_quota_us", "-1\n"},
          {"/sys/fs/cgroup/cpu,cpuacct/cpu.cfs_period_us", "100000\n"}},
         0},
        // Both hierarchies, as on a machine whose cpu controller stayed on v1.
        {"hybrid", "0::/u\n1:cpu:/g\n",
         Unified + "33 31 0:30 / /sys/fs/cgroup/my\\040cpu rw - cgroup cgroup rw,cpu\n",
         {{"/sys/fs/cgroup/u/cpu.max", "500000 100000"},
          {"/sys/fs/cgroup/my cpu/g/cpu.cfs_quota_us", "250000"},
          {"/sys/fs/cgroup/my cpu/g/cpu.cfs_period_us", "100000"}},
         3},
        {"the controller's hierarchy not mounted", "1:cpu:/g\n", Unified,
         {{"/sys/fs/cgroup/g/cpu.cfs_quota_us", "100000"}, {"/sys/fs/cgroup/g/cpu.cfs_period_us", "100000"}}, 0},
        {"damaged", "0::/j\n", Unified + "garbage\n", {{"/sys/fs/cgroup/j/cpu.max", "lots 0\n"}}, 0},
        {"nothing", "", "", {}, 0},
    };
    for (const TTree& tree : trees) {
        QTemporaryDir root;
        const std::string at = root.path().toStdString();
        std::map<std::string, std::string> files = tree.Files;
        files["/proc/self/cgroup"] = tree.Cgroups;
        files["/proc/self/mountinfo"] = tree.MountInfo;
        for (const auto& [path, text] : files) {
            QDir().mkpath(QString::fromStdString(at + path.substr(0, path.rfind('/'))));
            ASSERT_TRUE(WriteText(at + path, text)) << path;
        }
        EXPECT_EQ(CgroupCpuLimit(at), tree.Limit) << tree.Name;
    }
    EXPECT_EQ(SlurmCpusPerTask("3"), 3);
    EXPECT_EQ(SlurmCpusPerTask(nullptr), 0);
    EXPECT_EQ(SlurmCpusPerTask("two"), 0);
}

TEST(UsableCpus, TheAffinityMaskAndSlurmsCountAreHonoured)
{
    if (sysconf(_SC_NPROCESSORS_ONLN) < 2)
        GTEST_SKIP() << "one CPU: nothing to take away";
    EXPECT_EQ(CpusInChild([] {
                  cpu_set_t one;
                  CPU_ZERO(&one);
                  CPU_SET(sched_getcpu(), &one);
                  return sched_setaffinity(0, sizeof one, &one) == 0;
              }),
              1);
    EXPECT_EQ(CpusInChild([] { return setenv("SLURM_CPUS_PER_TASK", "1", 1) == 0; }), 1);
    EXPECT_GE(CpusInChild([] { return unsetenv("SLURM_CPUS_PER_TASK") == 0; }), 2);
}

// A group of this system's, made below the process's own with a quota of
// half a CPU, in whichever hierarchy holds the cpu controller.
TEST(UsableCpus, AControlGroupsQuotaIsHonoured)
{
    int tried = 0;
    for (const TCpuCgroup& group : CpuCgroups(ReadText("/proc/self/cgroup"), ReadText("/proc/self/mountinfo"))) {
        const std::string folder = group.Folder + "/plenamar-test-" + std::to_string(getpid());
        // v2 hands the controller down to the new group, and takes it back after.
        const std::string handDown = group.Folder + "/cgroup.subtree_control";
        const bool handedDown = group.Unified && ReadText(handDown).find("cpu") == std::string::npos;
        if (mkdir(folder.c_str(), 0755) != 0)
            continue;  // not ours to change
        const bool quota = group.Unified ? (!handedDown || WriteText(handDown, "+cpu")) &&
                                               WriteText(folder + "/cpu.max", "50000 100000")
                                         : WriteText(folder + "/cpu.cfs_period_us", "100000") &&
                                               WriteText(folder + "/cpu.cfs_quota_us", "50000");
        if (quota) {
            ++tried;
            EXPECT_EQ(CpusInChild([&] { return WriteText(folder + "/cgroup.procs", "0"); }), 1)
                << (group.Unified ? "cgroup v2 " : "cgroup v1 ") << folder;
        }
        rmdir(folder.c_str());
        if (handedDown)
            WriteText(handDown, "-cpu");
    }
    if (tried == 0)
        GTEST_SKIP() << "no control group with the cpu controller that this user may make";
}
