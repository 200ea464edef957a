#!/bin/bash
# Box shots of a whole list on a Slurm cluster: a job array of 8 tasks, each
# drawing every 8th row of the list from its own task (--shard auto reads
# SLURM_ARRAY_TASK_ID, SLURM_ARRAY_TASK_MIN and SLURM_ARRAY_TASK_COUNT), on
# the cores Slurm gives it, with --keep-newer so that a task run again only
# draws what is missing. The list, its artwork and the pictures live on a
# shared file system.
#
#   sbatch docs/box-shots-slurm.sh games.csv shots
#
#SBATCH --job-name=box-shots
#SBATCH --array=0-7
#SBATCH --cpus-per-task=4
#SBATCH --mem=2G
#SBATCH --time=01:00:00
#SBATCH --output=box-shots-%A-%a.log
set -euo pipefail
list=${1:?usage: sbatch box-shots-slurm.sh LIST.csv [OUT-DIR]}
out=${2:-shots}
exec plenamar-render --list "$list" --out-dir "$out" --name '{name}-{pose}.png' --preset all \
  --keep-newer --shard auto
