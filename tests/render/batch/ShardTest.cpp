#include "render/batch/RenderPlan.h"
#include "render/batch/Shard.h"

#include <gtest/gtest.h>

namespace {

TShard Auto(int count, std::map<std::string, std::string> variables)
{
    return AutoShard(count, [&](const char* name) {
        const auto found = variables.find(name);
        return found == variables.end() ? nullptr : found->second.c_str();
    });
}

} // namespace

TEST(Shard, ShardsTogetherTakeEveryBoxOnce)
{
    for (const int count : {1, 3, 7}) {
        std::vector<int> taken(50, 0);
        for (int index = 0; index < count; ++index)
            for (size_t box = 0; box < taken.size(); ++box)
                taken[box] += InShard(box, {index, count});
        EXPECT_EQ(std::count(taken.begin(), taken.end(), 1), 50) << count;
    }
    EXPECT_TRUE(InShard(5, {2, 3}));
    EXPECT_FALSE(InShard(5, {0, 3}));
}

TEST(Shard, TheJobsEnvironmentGivesTheShard)
{
    EXPECT_EQ(Auto(4, {{"JOB_COMPLETION_INDEX", "3"}}), (TShard{3, 4}));
    EXPECT_EQ(Auto(0, {{"SLURM_ARRAY_TASK_ID", "12"}, {"SLURM_ARRAY_TASK_MIN", "10"}, {"SLURM_ARRAY_TASK_COUNT", "5"}}),
              (TShard{2, 5}));
    EXPECT_EQ(Auto(0, {{"SLURM_ARRAY_TASK_ID", "0"}, {"SLURM_ARRAY_TASK_COUNT", "2"}}), (TShard{0, 2}));
    const std::map<std::string, std::string> refused[] = {
        {},
        {{"JOB_COMPLETION_INDEX", "1"}},                                  // no --shard-count
        {{"SLURM_ARRAY_TASK_ID", "4"}, {"SLURM_ARRAY_TASK_COUNT", "4"}},  // past the count
        {{"SLURM_ARRAY_TASK_ID", "x"}, {"SLURM_ARRAY_TASK_COUNT", "4"}},
        {{"SLURM_ARRAY_TASK_ID", "1"}},
    };
    for (const auto& variables : refused)
        EXPECT_THROW(Auto(0, variables), TUsageError) << variables.size();
    EXPECT_THROW(Auto(2, {{"JOB_COMPLETION_INDEX", "2"}}), TUsageError);
}

TEST(Shard, EveryTaskOfASteppedOrOffsetSlurmArrayTakesItsOwnBoxes)
{
    struct TArray {
        const char* Spec;
        int First, Last, Step;
    };
    for (const TArray array : {TArray{"0-6:2", 0, 6, 2}, TArray{"3-9", 3, 9, 1}, TArray{"5", 5, 5, 1}}) {
        const int count = (array.Last - array.First) / array.Step + 1;
        std::vector<int> taken(40, 0);
        for (int id = array.First; id <= array.Last; id += array.Step) {
            const TShard shard = Auto(0, {{"SLURM_ARRAY_TASK_ID", std::to_string(id)},
                                          {"SLURM_ARRAY_TASK_MIN", std::to_string(array.First)},
                                          {"SLURM_ARRAY_TASK_MAX", std::to_string(array.Last)},
                                          {"SLURM_ARRAY_TASK_STEP", std::to_string(array.Step)},
                                          {"SLURM_ARRAY_TASK_COUNT", std::to_string(count)}});
            for (size_t box = 0; box < taken.size(); ++box)
                taken[box] += InShard(box, shard);
        }
        EXPECT_EQ(std::count(taken.begin(), taken.end(), 1), 40) << array.Spec;
    }
    // --array=1,3,8: ids not evenly spaced make no shards.
    EXPECT_THROW(Auto(0, {{"SLURM_ARRAY_TASK_ID", "3"},
                          {"SLURM_ARRAY_TASK_MIN", "1"},
                          {"SLURM_ARRAY_TASK_MAX", "8"},
                          {"SLURM_ARRAY_TASK_STEP", "1"},
                          {"SLURM_ARRAY_TASK_COUNT", "3"}}),
                 TUsageError);
}
