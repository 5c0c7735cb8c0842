#!/usr/bin/env python3
"""A class of 30 pressing Run within 10 s, every source different, each page timed from its own
request; then a Run of a source built before; then the idle server's CPU and resident memory.

  studio_class_run_bench.py STUDIO PREFIX
STUDIO: the tavro-studio program; PREFIX: the installed package (scripts/run-studio makes one in
build/studio-package). The server listens on 127.0.0.1 with the machine's cores as workers.
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time

from studio_check_bench import program, serve_class

IDLE_SECONDS = 10


def process_ticks(pid):
    """User and system CPU time of a process, in clock ticks."""
    with open("/proc/%d/stat" % pid) as file:
        fields = file.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])


def resident_kib(pid):
    with open("/proc/%d/status" % pid) as file:
        for line in file:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    studio, prefix = sys.argv[1], os.path.abspath(sys.argv[2])
    data = tempfile.mkdtemp(prefix="studio-class-run-bench-")
    server = None
    try:
        server, _, _, _, clients = serve_class(studio, prefix, data)
        # The builder's one-time preparation happens at the first Run: it is not a student's.
        assert clients[0].answer("POST", "/api/run", {"source": program(1)})["status"] == "built"

        latencies = [None] * len(clients)
        statuses = [None] * len(clients)
        began = time.monotonic()

        def one(index):
            time.sleep(max(0.0, began + index / 3.0 - time.monotonic()))
            start = time.monotonic()
            statuses[index] = clients[index].answer("POST", "/api/run", {"source": program(3000 + index)})["status"]
            latencies[index] = time.monotonic() - start

        threads = [threading.Thread(target=one, args=(index,)) for index in range(len(clients))]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(timeout=300)
        done = [latency for latency in latencies if latency is not None]
        print("a class of 30 pressing Run within 10 s: %d of 30 built, slowest %.1f s from its request,"
              " median %.1f s, all built %.1f s after the first request"
              % (statuses.count("built"), max(done), statistics.median(done), time.monotonic() - began))

        again = []
        for index in range(10):
            start = time.monotonic()
            assert clients[index].answer("POST", "/api/run", {"source": program(3000 + index)})["status"] == "built"
            again.append(time.monotonic() - start)
        print("a Run of a source built before: median %.1f ms (max %.1f ms) over 10"
              % (statistics.median(again) * 1000, max(again) * 1000))

        ticks = process_ticks(server.pid)
        time.sleep(IDLE_SECONDS)
        idle = process_ticks(server.pid) - ticks
        print("idle for %d s: %d CPU ticks of %d a second, %.1f MB resident"
              % (IDLE_SECONDS, idle, os.sysconf("SC_CLK_TCK"), resident_kib(server.pid) / 1024))
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(data, ignore_errors=True)


if __name__ == "__main__":
    main()
