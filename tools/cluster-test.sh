#!/usr/bin/env bash
# Tries the README's ways past one machine for real, on this machine:
#
#   sudo tools/cluster-test.sh [BUILD]
#
# BUILD is a build folder holding render/plenamar-render and
# tools/make_box_list (default: build). Run by hand, as root: it installs
# what it needs (tools/install-deps.sh cluster), makes a list of 40 boxes with
# artwork of their own, draws it in one plain run, and then:
# - starts a one-node Slurm from Debian's packages: munged, slurmctld and
#   slurmd, listening on 127.0.0.1 only, their configuration, key, state and
#   logs in a temporary folder, stopped by their process ids on any exit;
# - submits docs/box-shots-slurm.sh as shipped (--array=0-7), which must fit
#   this machine's node, and as a stepped array (--array=0-6:2): each must
#   draw the plain run's pictures, byte for byte, each once;
# - kills a task outright (SIGKILL) while it draws, finds no temporary file,
#   and submits the array again: --keep-newer draws only what is missing;
# - gives a task one CPU (--cpus-per-task=1, no cgroup confinement) and
#   finds it drawing with no worker processes;
# - runs the GNU parallel recipe, which must draw the same pictures;
# - checks docs/box-shots-indexed-job.yaml with a Kubernetes schema validator
#   (npm's kubernetes-models; no cluster needed).
# Each check prints a line; the exit status is 0 when all passed.
set -euo pipefail

[ "$(id -u)" -eq 0 ] || { echo "$0: run as root (munged, slurmctld and slurmd run as root here)" >&2; exit 2; }
checkout=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$checkout/build}" && pwd)
for program in render/plenamar-render tools/make_box_list; do
  [ -x "$build/$program" ] || { echo "$0: no $build/$program: build first" >&2; exit 2; }
done
"$checkout/tools/install-deps.sh" cluster

scratch=$(mktemp -d /tmp/plenamar-cluster.XXXXXX)
chmod 755 "$scratch"  # munged wants its socket's folders open to all
# The daemons' process ids, in the order they started: stopped the other way
# round, once every job of this cluster is gone.
daemons=()
stop_daemons() {
  local i pid
  if [ -n "${SLURM_CONF:-}" ]; then
    scancel --full --signal=KILL --user=root 2>/dev/null || true
    for _ in $(seq 50); do [ -z "$(squeue -h -o %i 2>/dev/null)" ] && break; sleep 0.2; done
  fi
  for ((i = ${#daemons[@]} - 1; i >= 0; i--)); do
    pid=${daemons[i]}
    kill "$pid" 2>/dev/null || true
    while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done
  done
  rm -rf -- "$scratch"
}
trap stop_daemons EXIT

failures=0
started=$(date +%s)
say() { echo "== [$(( $(date +%s) - started )) s] $*"; }
pass() { echo "ok   $*"; }
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

export PATH="$build/render:$PATH"
work=$scratch/work
mkdir -p "$work"
cd "$work"

# The list, and its pictures from one plain run: what every other way must draw.
# Small pictures, to keep the runs short; the Slurm script passes them on.
picture=(--size 240x180 --samples 2)
naming=(--name '{name}-{pose}.png' --preset all)
say "a list of 40 boxes, drawn in one plain run"
"$build/tools/make_box_list" "$work/catalogue" 40 2>make_box_list.log
list=$work/catalogue/items.csv
plenamar-render --list "$list" --out-dir plain "${naming[@]}" "${picture[@]}" 2>plain.log
plain_count=$(find plain -type f | wc -l)
[ "$plain_count" -eq 200 ] && pass "the plain run drew 200 pictures" || fail "the plain run drew $plain_count pictures, not 200"

# Whether a folder holds exactly the plain run's pictures, byte for byte.
same_as_plain() {
  if diff -r plain "$1" >"$1.diff" 2>&1; then
    pass "$2: the plain run's 200 pictures, byte for byte"
  else
    fail "$2: not the plain run's pictures ($(wc -l <"$1.diff") differences, first: $(head -1 "$1.diff"))"
  fi
}

# Any file of a folder whose name is no finished picture's.
stray_files() {
  find "$1" -type f ! -name '*.png'
}

# --- a one-node Slurm -------------------------------------------------------
say "starting munged, slurmctld and slurmd"
# A port no one listens on, other than the one given.
free_port() {
  local port
  while :; do
    port=$(shuf -i 20000-40000 -n 1)
    [ "$port" != "${1:-}" ] && ! ss -Htln "sport = :$port" | grep -q . && { echo "$port"; return; }
  done
}
controller_port=$(free_port)
node_port=$(free_port "$controller_port")
slurm=$scratch/slurm
mkdir -p "$slurm/munge" "$slurm/run" "$slurm/state" "$slurm/spool"
chmod 700 "$slurm/munge"
chmod 755 "$slurm" "$slurm/run"
mungekey --create --keyfile="$slurm/munge/munge.key"
munged --foreground --socket="$slurm/run/munge.socket" --key-file="$slurm/munge/munge.key" \
  --log-file="$slurm/munge/munged.log" --pid-file="$slurm/run/munged.pid" \
  --seed-file="$slurm/munge/munged.seed" >"$slurm/munged.out" 2>&1 &
daemons+=($!)
host=$(hostname -s)
node=plenamar-test
memory=$(awk '/^MemTotal:/ { print int($2 / 1024 / 2) }' /proc/meminfo)
cat >"$slurm/slurm.conf" <<EOF
ClusterName=plenamar-test
SlurmctldHost=$host(127.0.0.1)
SlurmctldPort=$controller_port
SlurmdPort=$node_port
CommunicationParameters=NoInAddrAny,NoCtldInAddrAny
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
AuthInfo=socket=$slurm/run/munge.socket
CredType=cred/munge
StateSaveLocation=$slurm/state
SlurmdSpoolDir=$slurm/spool
SlurmctldPidFile=$slurm/run/slurmctld.pid
SlurmdPidFile=$slurm/run/slurmd.pid
SlurmctldLogFile=$slurm/slurmctld.log
SlurmdLogFile=$slurm/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU_Memory
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
ReturnToService=2
KillWait=5
MinJobAge=3600
NodeName=$node NodeHostname=$host NodeAddr=127.0.0.1 CPUs=$(nproc) RealMemory=$memory State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
export SLURM_CONF=$slurm/slurm.conf
for _ in $(seq 50); do [ -S "$slurm/run/munge.socket" ] && break; sleep 0.2; done
slurmctld -D -i >"$slurm/slurmctld.out" 2>&1 &
daemons+=($!)
slurmd -D -N "$node" >"$slurm/slurmd.out" 2>&1 &
daemons+=($!)
for _ in $(seq 60); do
  [ "$(sinfo -h -n "$node" -o %t 2>/dev/null)" = idle ] && break
  sleep 1
done
if [ "$(sinfo -h -n "$node" -o %t 2>/dev/null)" = idle ]; then
  pass "one-node Slurm $(sinfo -V | cut -d' ' -f2) up: $(sinfo -h -N -o '%N, %c CPUs, %m MB')"
else
  fail "Slurm did not come up"
  tail -5 "$slurm/slurmctld.log" "$slurm/slurmd.log" || true
  exit 1
fi

# Submits the shipped script over the list into the folder, with the sbatch
# options given and, after --jobs, that option for plenamar-render; prints
# the job's id.
submit() {
  local out=$1 options=()
  shift
  while [ $# -gt 0 ] && [ "$1" != --jobs ]; do
    options+=("$1")
    shift
  done
  sbatch --parsable "${options[@]}" "$checkout/docs/box-shots-slurm.sh" "$list" "$out" "${picture[@]}" "$@"
}

# Waits for the job's tasks to end, at most 20 minutes; a job that asks for
# more than the node has, and so would wait for ever, fails at once.
wait_for() {
  local deadline=$(( $(date +%s) + 1200 ))
  while [ -n "$(squeue -h -j "$1" -o %i 2>/dev/null)" ]; do
    if squeue -h -j "$1" -o %r | grep -q PartitionConfig; then
      fail "job $1 can never start on a node of $(nproc) CPUs: it asks for more (Reason=PartitionConfig)"
      scancel "$1"
      return
    fi
    [ "$(date +%s)" -lt "$deadline" ] || { fail "job $1 still running after 20 minutes"; scancel "$1"; return; }
    sleep 1
  done
}

# The states of a job's tasks, counted: "4 COMPLETED".
states() {
  scontrol -o show job "$1" | grep -o 'JobState=[A-Z_]*' | cut -d= -f2 | sort | uniq -c | xargs
}

# What the job's tasks say they drew, counted: "8 x 25 of 25 pictures: 25
# written, 0 skipped, 0 failed".
summaries() {
  grep -h -o '[0-9]* of [0-9]* pictures: [0-9]* written, [0-9]* skipped, [0-9]* failed' box-shots-"$1"-*.log |
    sort | uniq -c | sed 's/^ *\([0-9]*\) /\1 x /' | paste -sd ';' -
}

say "docs/box-shots-slurm.sh as shipped: --array=0-7"
job=$(submit array)
wait_for "$job"
[ "$(states "$job")" = "8 COMPLETED" ] && pass "array job $job: 8 tasks COMPLETED ($(summaries "$job"))" \
  || fail "array job $job: tasks $(states "$job")"
same_as_plain array "--array=0-7"

say "a stepped array: --array=0-6:2"
job=$(submit stepped --array=0-6:2)
wait_for "$job"
[ "$(states "$job")" = "4 COMPLETED" ] && pass "stepped job $job: 4 tasks COMPLETED ($(summaries "$job"))" \
  || fail "stepped job $job: tasks $(states "$job"); $(grep -h 'plenamar-render:' box-shots-"$job"-*.log | head -1)"
same_as_plain stepped "--array=0-6:2"

say "a task killed outright while it draws, then the array again"
# One worker, so that the task takes long enough to be caught halfway.
job=$(submit killed --array=0-1 --jobs 1)
for _ in $(seq 1200); do
  [ "$(find killed -type f 2>/dev/null | wc -l)" -ge 6 ] && break
  sleep 0.05
done
scancel --full --signal=KILL "${job}_0"
wait_for "$job"
drawn=$(find killed -type f -name '*.png' | wc -l)
strays=$(stray_files killed | wc -l)
[ "$(states "$job")" = "1 CANCELLED 1 COMPLETED" ] && [ "$drawn" -lt 200 ] \
  && pass "task ${job}_0 killed halfway; the array had drawn $drawn of its 200 pictures" \
  || fail "task ${job}_0 was not killed halfway: tasks $(states "$job"), $drawn pictures"
[ "$strays" -eq 0 ] && pass "the killed task left no temporary file" \
  || fail "the killed task left $(stray_files killed | head -3 | xargs)"
job=$(submit killed --array=0-1)
wait_for "$job"
if summaries "$job" | grep -q ' [1-9][0-9]* failed'; then
  fail "resubmitted as job $job: $(summaries "$job")"
else
  pass "resubmitted as job $job, --keep-newer drew what was missing: $(summaries "$job")"
fi
same_as_plain killed "killed and resubmitted"

say "a task given one CPU"
job=$(submit one-cpu --array=0 --cpus-per-task=1)
workers=-1
for _ in $(seq 600); do
  pid=$(pgrep -f -n -- "--out-dir one-cpu" || true)
  if [ -n "$pid" ] && [ "$(find one-cpu -type f 2>/dev/null | wc -l)" -ge 1 ]; then
    workers=$(wc -w <"/proc/$pid/task/$pid/children")
    break
  fi
  sleep 0.1
done
wait_for "$job"
[ "$workers" -eq 0 ] && pass "--cpus-per-task=1 on $(nproc) CPUs: drawn in the task's own process, no worker" \
  || fail "--cpus-per-task=1 on $(nproc) CPUs: $workers worker processes"

# --- GNU parallel -----------------------------------------------------------
say "the GNU parallel recipe"
parallel --will-cite plenamar-render --jobs 1 --shard {}/4 --list "$list" --out-dir parallel \
  "${naming[@]}" "${picture[@]}" ::: 0 1 2 3 2>parallel.log
same_as_plain parallel "parallel --shard {}/4"

# --- Kubernetes -------------------------------------------------------------
say "the Kubernetes Job against the schema"
mkdir -p "$scratch/k8s"
(cd "$scratch/k8s" && npm install --silent --no-audit --no-fund kubernetes-models@5 yaml@2 >/dev/null 2>&1)
cat >"$scratch/k8s/validate.mjs" <<'EOF'
import { readFileSync } from "node:fs";
import { parseAllDocuments } from "yaml";
import { Job } from "kubernetes-models/batch/v1";
for (const document of parseAllDocuments(readFileSync(process.argv[2], "utf8"))) {
  if (document.errors.length) throw document.errors[0];
  new Job(document.toJS()).validate();
}
EOF
if (cd "$scratch/k8s" && node validate.mjs "$checkout/docs/box-shots-indexed-job.yaml") >"$scratch/k8s.log" 2>&1; then
  pass "docs/box-shots-indexed-job.yaml is a valid batch/v1 Job (kubernetes-models $(cd "$scratch/k8s" && node -p 'require("./node_modules/kubernetes-models/package.json").version'))"
else
  fail "docs/box-shots-indexed-job.yaml: $(grep -m1 -i error "$scratch/k8s.log")"
fi
python3 "$checkout/tests/cluster/indexed_job.py" "$checkout" && pass "the Job has the fields the README names" \
  || fail "the Job lacks fields the README names"

say "done"
echo "$failures failed"
[ "$failures" -eq 0 ]
