#!/usr/bin/env python3
"""The studio of a district on this machine: a PostgreSQL of its own on 127.0.0.1, one
`serve --workers 0` and worker processes of one thread each. With one worker process and with
two, a class of 30 presses Run at once, every source different (the 100-line programs of
studio_check_bench.py): Runs per minute while the class is served, and the time from each request
to its page read. Then the queue's own cost per job (studio_queue_bench).

  studio_district_bench.py STUDIO PREFIX QUEUE_BENCH
STUDIO: the tavro-studio program; PREFIX: the installed package (scripts/run-studio makes one in
build/studio-package); QUEUE_BENCH: the studio_queue_bench program.
"""
import glob
import os
import pwd
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time

from studio_check_bench import Client, program

CLASS = 30


class Postgres:
    """initdb and pg_ctl in a scratch folder, as nobody when run as root."""

    def __init__(self):
        self.bin = sorted(glob.glob("/usr/lib/postgresql/*/bin"), key=lambda path: int(path.split("/")[-2]))[-1]
        self.folder = tempfile.mkdtemp(prefix="studio-district-bench-")
        self.as_user = []
        if os.geteuid() == 0:
            nobody = pwd.getpwnam("nobody")
            os.chown(self.folder, nobody.pw_uid, nobody.pw_gid)
            self.as_user = ["runuser", "-u", "nobody", "--"]
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            self.port = probe.getsockname()[1]
        subprocess.run(self.as_user + [self.bin + "/initdb", "-D", self.folder + "/data", "-A", "trust", "-U",
                                       "studio", "-E", "UTF8"], check=True, capture_output=True)
        # PostgreSQL as Debian configures it but for the port: fsync on, as a district runs it.
        subprocess.run(self.as_user + [self.bin + "/pg_ctl", "-D", self.folder + "/data", "-l", self.folder + "/log",
                                       "-w", "-o", "-p %d -k %s -c listen_addresses=127.0.0.1" % (self.port,
                                                                                                 self.folder),
                                       "start"], check=True, capture_output=True)
        self.made = 0

    def new_database(self):
        self.made += 1
        name = "bench%d" % self.made
        subprocess.run([self.bin + "/createdb", "-h", "127.0.0.1", "-p", str(self.port), "-U", "studio", name],
                       check=True)
        return "postgresql://studio@127.0.0.1:%d/%s" % (self.port, name)

    def stop(self):
        subprocess.run(self.as_user + [self.bin + "/pg_ctl", "-D", self.folder + "/data", "-m", "fast", "stop"],
                       capture_output=True)
        shutil.rmtree(self.folder, ignore_errors=True)


def started(arguments, first_words):
    process = subprocess.Popen(arguments, stdout=subprocess.PIPE, text=True)
    line = process.stdout.readline()
    if not line.startswith(first_words):
        process.kill()
        sys.exit("%s said: %s" % (arguments[1], line))
    return process, line


def percentile(values, fraction):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def class_presses_run(studio, prefix, url, workers, seed):
    password = subprocess.run([studio, "add-teacher", "tina", "--database", url], check=True, capture_output=True,
                              text=True).stdout.split()[-1]
    processes = []
    try:
        server, line = started([studio, "serve", "--database", url, "--listen", "127.0.0.1:0", "--workers", "0",
                                "--package", prefix], "serving http://")
        processes.append(server)
        for _ in range(workers):
            processes.append(started([studio, "worker", "--database", url, "--workers", "1", "--package", prefix],
                                     "taking jobs")[0])
        address = line.split()[1].rstrip("/")
        teacher = Client(address)
        teacher.call("POST", "/api/login", {"name": "tina", "password": password})
        class_id = teacher.call("POST", "/api/classes", {"name": "bench"})[1]["id"]
        students = teacher.call("POST", "/api/classes/%d/students" % class_id,
                                {"names": ["s%02d" % i for i in range(CLASS)]})[1]["students"]
        clients = []
        for student in students:
            client = Client(address)
            client.call("POST", "/api/login", {"name": student["name"], "password": student["password"]})
            clients.append(client)
        # The builder's one-time preparation, in each worker (the Runs asked at once, so that each
        # worker takes one), is not a student's.
        warm = [threading.Thread(target=clients[index].answer, args=("POST", "/api/run",
                                                                     {"source": program(seed + 900 + index)}))
                for index in range(workers)]
        for thread in warm:
            thread.start()
        for thread in warm:
            thread.join()

        latencies = [None] * CLASS
        statuses = [None] * CLASS

        def one(index):
            start = time.monotonic()
            answer = clients[index].answer("POST", "/api/run", {"source": program(seed + index)})
            statuses[index] = answer["status"]
            if answer["status"] == "built":
                clients[index].opener.open(address + answer["page"], timeout=60).read()
            latencies[index] = time.monotonic() - start

        began = time.monotonic()
        threads = [threading.Thread(target=one, args=(index,)) for index in range(CLASS)]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(timeout=600)
        elapsed = time.monotonic() - began
        done = [latency for latency in latencies if latency is not None]
        print("%d worker process(es) of one thread: %d of %d built in %.1f s, %.1f Runs a minute;"
              " request to page p50 %.1f s, p95 %.1f s"
              % (workers, statuses.count("built"), CLASS, elapsed, statuses.count("built") / elapsed * 60,
                 percentile(done, 0.5), percentile(done, 0.95)))
    finally:
        for process in processes:
            process.terminate()
            process.wait(timeout=60)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    studio, prefix, queue_bench = sys.argv[1], os.path.abspath(sys.argv[2]), sys.argv[3]
    postgres = Postgres()
    try:
        print("load average before: %.1f" % os.getloadavg()[0])
        for workers in (1, 2):
            class_presses_run(studio, prefix, postgres.new_database(), workers, 1000 * workers)
        subprocess.run([queue_bench, postgres.new_database(), "2000"], check=True)
        print("load average after: %.1f" % os.getloadavg()[0])
    finally:
        postgres.stop()


if __name__ == "__main__":
    main()
