#pragma once
// A task's place in a Slurm job array. Slurm numbers the tasks by the ids the
// array names (--array=0-6:2 gives 0, 2, 4 and 6; --array=3-9 gives 3 to 9)
// and tells each task its id, the first and last ids, the step between them
// and the count (SLURM_ARRAY_TASK_ID, _MIN, _MAX, _STEP and _COUNT): the
// place of id 4 in 0-6:2 is 2 of 4.

// The place, from 0 to count - 1, or -1 when id is not one of count ids from
// first to last by step: an array of ids not evenly spaced (--array=1,3,8).
int SlurmArrayPlace(long long id, long long first, long long last, long long step, int count);
