#!/usr/bin/env python3
"""Reads docs/box-shots-indexed-job.yaml as Kubernetes would take it: one
batch/v1 Job, Indexed, whose pods each run plenamar-render on their shard,
with the fields the README names and values that agree with each other and
with the image tools/container-image.sh builds.

    python3 tests/cluster/indexed_job.py CHECKOUT
"""
import pathlib
import re
import sys

import yaml


def main(checkout):
    documents = list(yaml.safe_load_all((checkout / "docs/box-shots-indexed-job.yaml").read_text()))
    version = re.search(r"project\(Plenamar VERSION ([0-9.]+)", (checkout / "CMakeLists.txt").read_text())[1]
    problems = []

    def need(condition, what):
        if not condition:
            problems.append(what)

    need(len(documents) == 1, "one document")
    job = documents[0]
    need(job.get("apiVersion") == "batch/v1" and job.get("kind") == "Job", "a batch/v1 Job")
    spec = job.get("spec", {})
    need(spec.get("completionMode") == "Indexed", "completionMode: Indexed")
    completions = spec.get("completions")
    need(isinstance(completions, int) and completions > 0, "completions, a count")
    need(isinstance(spec.get("parallelism"), int), "parallelism, a count")
    need(isinstance(spec.get("backoffLimitPerIndex"), int), "backoffLimitPerIndex, a count")
    pod = spec.get("template", {}).get("spec", {})
    need(pod.get("restartPolicy") == "Never", "restartPolicy: Never, which backoffLimitPerIndex needs")
    containers = pod.get("containers", [])
    need(len(containers) == 1, "one container")
    container = containers[0] if containers else {}
    need(container.get("image", "").endswith("/plenamar:" + version), "the image plenamar:" + version)
    need("command" not in container, "no command: the image's entry point is plenamar-render")
    args = [str(arg) for arg in container.get("args", [])]
    shard = args.index("--shard") if "--shard" in args else -1
    need(0 <= shard < len(args) - 1 and args[shard + 1] == "auto", "--shard auto")
    count = args.index("--shard-count") if "--shard-count" in args else -1
    need(0 <= count < len(args) - 1 and args[count + 1] == str(completions), "--shard-count equal to completions")
    need("--keep-newer" in args and "--jobs" not in args, "--keep-newer, and the workers left to the CPU limit")
    resources = container.get("resources", {})
    cpu = resources.get("limits", {}).get("cpu")
    need(cpu is not None and cpu == resources.get("requests", {}).get("cpu"),
         "a CPU limit equal to the request: it sets the pod's workers")
    need("memory" in resources.get("limits", {}), "a memory limit")
    volumes = {volume.get("name") for volume in pod.get("volumes", [])}
    need(all(mount.get("name") in volumes for mount in container.get("volumeMounts", [])), "mounts of the pod's volumes")
    for problem in problems:
        print("docs/box-shots-indexed-job.yaml needs " + problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(pathlib.Path(sys.argv[1])))
