#include "render/batch/Shard.h"

#include "platform/SlurmArray.h"

#include <charconv>
#include <cstring>

namespace {

int Variable(const char* name, const char* value)
{
    int number = 0;
    const char* end = value + std::strlen(value);
    const auto [at, error] = std::from_chars(value, end, number);
    if (error != std::errc() || at != end || number < 0 || number > MaxShards)
        throw TUsageError("--shard auto: " + std::string(name) + " is \"" + value + "\", not a number from 0 to " +
                          std::to_string(MaxShards));
    return number;
}

TShard Checked(TShard shard, const std::string& where)
{
    if (shard.Count < 1 || shard.Index >= shard.Count)
        throw TUsageError("--shard auto: " + where + " make shard " + std::to_string(shard.Index) + " of " +
                          std::to_string(shard.Count) + ", which is none");
    return shard;
}

} // namespace

TShard AutoShard(int count, const std::function<const char*(const char*)>& environment)
{
    if (const char* index = environment("JOB_COMPLETION_INDEX")) {
        if (count == 0)
            throw TUsageError("--shard auto in a Kubernetes Indexed Job needs --shard-count N, the Job's completions");
        return Checked({Variable("JOB_COMPLETION_INDEX", index), count}, "JOB_COMPLETION_INDEX and --shard-count");
    }
    const char* task = environment("SLURM_ARRAY_TASK_ID");
    const char* tasks = environment("SLURM_ARRAY_TASK_COUNT");
    if (task && tasks) {
        const auto given = [&](const char* name, long long otherwise) {
            const char* value = environment(name);
            return value ? Variable(name, value) : otherwise;
        };
        const int id = Variable("SLURM_ARRAY_TASK_ID", task), count = Variable("SLURM_ARRAY_TASK_COUNT", tasks);
        const long long first = given("SLURM_ARRAY_TASK_MIN", 0), step = given("SLURM_ARRAY_TASK_STEP", 1);
        const long long last = given("SLURM_ARRAY_TASK_MAX", first + step * (count - 1));
        const int place = SlurmArrayPlace(id, first, last, step, count);
        if (place < 0)
            throw TUsageError("--shard auto: task " + std::to_string(id) + " of a Slurm job array of " +
                              std::to_string(count) + " tasks from " + std::to_string(first) + " to " +
                              std::to_string(last) + " by " + std::to_string(step) +
                              " has no place in it; an array of ids not evenly spaced needs --shard K/N");
        return {place, count};
    }
    throw TUsageError("--shard auto needs a Kubernetes Indexed Job (JOB_COMPLETION_INDEX) or a Slurm job array "
                      "(SLURM_ARRAY_TASK_ID and SLURM_ARRAY_TASK_COUNT); elsewhere give --shard K/N");
}
