#!/bin/bash
# Box shots of a whole list on a Slurm cluster: a job array of 8 tasks, each
# drawing its share of the list's rows (--shard auto reads the task's place
# in the array from SLURM_ARRAY_TASK_ID, _MIN, _MAX, _STEP and _COUNT), with
# --keep-newer so that a task run again only draws what is missing. The list,
# its artwork and the pictures live on a shared file system. Any further
# arguments go to plenamar-render.
#
#   sbatch docs/box-shots-slurm.sh games.csv shots
#   sbatch --array=0-31 --cpus-per-task=8 docs/box-shots-slurm.sh games.csv shots --size 2300x1760
#
# Sizing: each task draws with one worker process per CPU Slurm gives it
# (SLURM_CPUS_PER_TASK), and a worker at the default picture size needs about
# 200 MB, more for larger pictures. Ask for no more CPUs or memory than one
# node has (sinfo -N -o '%N %c %m' lists them): a task that asks for more
# waits for ever, shown as Reason=PartitionConfig by squeue -o '%i %T %r'.
# Any evenly spaced array works (--array=0-6:2, --array=3-9, a % throttle);
# one of ids not evenly spaced (--array=1,3,8) is refused.
#
#SBATCH --job-name=box-shots
#SBATCH --array=0-7
#SBATCH --cpus-per-task=2
#SBATCH --mem=1G
#SBATCH --time=01:00:00
#SBATCH --output=box-shots-%A-%a.log
set -euo pipefail
list=${1:?usage: sbatch box-shots-slurm.sh LIST.csv [OUT-DIR [plenamar-render options...]]}
out=${2:-shots}
shift $(($# < 2 ? $# : 2))
exec plenamar-render --list "$list" --out-dir "$out" --name '{name}-{pose}.png' --preset all \
  --keep-newer --shard auto "$@"
