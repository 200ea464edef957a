#pragma once
// The shard of --shard auto, taken from the job that runs this process: a
// Kubernetes Indexed Job (JOB_COMPLETION_INDEX, the count from --shard-count)
// or a Slurm job array (the task's place in it, SlurmArray.h, of
// SLURM_ARRAY_TASK_COUNT).
#include "render/options/RenderOptions.h"

#include <functional>

// environment gives a variable's value, or null when it is not set. count is
// --shard-count's, 0 when not given. Raises TUsageError when neither job's
// variables are there, or they are not numbers that make a shard.
TShard AutoShard(int count, const std::function<const char*(const char*)>& environment);
