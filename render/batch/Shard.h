#pragma once
// The shard of --shard auto, taken from the job that runs this process: a
// Kubernetes Indexed Job (JOB_COMPLETION_INDEX, the count from --shard-count)
// or a Slurm job array (SLURM_ARRAY_TASK_ID less SLURM_ARRAY_TASK_MIN when
// set, of SLURM_ARRAY_TASK_COUNT).
#include "render/options/RenderOptions.h"

#include <functional>

// environment gives a variable's value, or null when it is not set. count is
// --shard-count's, 0 when not given. Raises TUsageError when neither job's
// variables are there, or they are not numbers that make a shard.
TShard AutoShard(int count, const std::function<const char*(const char*)>& environment);
