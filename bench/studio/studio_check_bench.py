#!/usr/bin/env python3
"""A submission from the request to its verdict against building and checking the same program by
hand (g++ with `pkg-config tavro-render`, its render entry, tavro-check), the two taking turns;
then a class of 30 submitting within 10 s, each verdict timed from its own request.

  studio_check_bench.py STUDIO PREFIX [ROUNDS]
STUDIO: the tavro-studio program; PREFIX: the installed package (scripts/run-studio makes one in
build/studio-package). The server listens on 127.0.0.1 with the machine's cores as workers.
"""
import http.cookiejar
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

SCRIPT = "TAVRO_PERIODIC(3);\nTAVRO_MOUSE(10, -20);\nTAVRO_PERIODIC(5);\n"
START = 1700000000


def program(seed, sun="COLOUR_GOLD"):
    """A hundred lines on the package: a garden of flowers around a house. The seed makes the source
    new but not what it draws, so that the same sun passes."""
    lines = ["// A garden, seed %d." % seed, "#include <tavro/display.h>", "", "#include <vector>", "",
             "namespace {", "", "struct Flower {", "    int x;", "    int y;", "    int size;", "    int colour;",
             "};", "", "std::vector<Flower> garden(int count)", "{", "    std::vector<Flower> flowers;",
             "    for (int i = 0; i < count; ++i) {",
             "        flowers.push_back({(i * 47 + %d) %% 560 - 280, -200 + (i * 13) %% 60, 4 + i %% 5,"
             " 2 + i %% 6});" % (seed * 560), "    }", "    return flowers;", "}", ""]
    for part in range(6):
        lines += ["void draw_part_%d(Display& display, int tick)" % part, "{",
                  "    const int shift = (tick * %d) %% 40;" % (part + 1),
                  "    display.draw_line(-300, %d, 300, %d + shift, COLOUR_GRAY_50, 1);" % (-240 + part * 8,
                                                                                          -240 + part * 8),
                  "    display.draw_rectangle(%d, -240, %d, -230, COLOUR_FOREST_GREEN, 0);" % (-300 + part * 100,
                                                                                             -220 + part * 100),
                  "}", ""]
    lines += ["void draw_house(Display& display)", "{",
              "    display.draw_rectangle(-100, -100, 100, 50, COLOUR_BROWN, 0);",
              "    display.draw_triangle(-120, 50, 120, 50, 0, 150, COLOUR_RED, 0);",
              "    display.draw_rectangle(-30, -100, 30, -20, COLOUR_NAVY_BLUE, 0);", "}", "",
              "}  // namespace", "", "int application_main()", "{", "    Display display;",
              "    const std::vector<Flower> flowers = garden(%d);" % 12, "    int tick = 0;",
              "    int x = 0;", "    int y = 0;", "    char key = 0;", "    do {",
              "        display.clear(COLOUR_ICE_BLUE);", "        draw_house(display);",
              "        display.draw_circle(200, 160, 40, %s);" % sun]
    lines += ["        draw_part_%d(display, tick);" % part for part in range(6)]
    lines += ["        for (const Flower& flower : flowers) {",
              "            display.draw_circle(flower.x, flower.y, flower.size, flower.colour);", "        }",
              "        display.draw_text(-280, 220, \"Garden\", COLOUR_BLACK, 12);", "        ++tick;",
              "    } while (display.wait_for_event(x, y, key) != event_quit);", "    return 0;", "}"]
    return "\n".join(lines) + "\n"


class Client:
    def __init__(self, address):
        self.address = address
        self.opener = urllib.request.build_opener(urllib.request.HTTPCookieProcessor(http.cookiejar.CookieJar()))

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.address + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with self.opener.open(request, timeout=300) as response:
            return response.status, json.load(response)

    def answer(self, method, path, body=None):
        """The answer of a request, following a 202's job until it is done."""
        status, answer = self.call(method, path, body)
        while status == 202:
            status, answer = self.call("GET", "/api/jobs/" + answer["job"])
        return answer


def serve_class(studio, prefix, data):
    """A studio serving DATA on a free 127.0.0.1 port, a teacher's class of 30 and each student
    signed in: the server, its address, the teacher's client, the class and the students' clients."""
    password = subprocess.run([studio, "add-teacher", "tina", "--data", data], check=True, capture_output=True,
                              text=True).stdout.split()[-1]
    server = subprocess.Popen([studio, "serve", "--data", data, "--listen", "127.0.0.1:0", "--package", prefix],
                              stdout=subprocess.PIPE, text=True)
    address = server.stdout.readline().split()[1].rstrip("/")
    teacher = Client(address)
    teacher.call("POST", "/api/login", {"name": "tina", "password": password})
    class_id = teacher.call("POST", "/api/classes", {"name": "bench"})[1]["id"]
    students = teacher.call("POST", "/api/classes/%d/students" % class_id,
                            {"names": ["s%02d" % i for i in range(30)]})[1]["students"]
    clients = []
    for student in students:
        client = Client(address)
        client.call("POST", "/api/login", {"name": student["name"], "password": student["password"]})
        clients.append(client)
    return server, address, teacher, class_id, clients


def by_hand(folder, prefix, source):
    """g++ with the package's flags as a user would give them, the render entry, tavro-check."""
    environment = dict(os.environ, PKG_CONFIG_PATH=os.path.join(prefix, "lib/pkgconfig"))
    with open(os.path.join(folder, "program.cpp"), "w") as file:
        file.write(source)
    start = time.monotonic()
    flags = subprocess.run(["pkg-config", "--cflags", "--libs", "tavro-render"], env=environment, check=True,
                           capture_output=True, text=True).stdout.split()
    subprocess.run(["g++", "-std=c++17", "program.cpp", "-o", "program"] + flags, cwd=folder, check=True)
    subprocess.run(["./program", "--time", str(START), "--script", "script.scr", "--log", "run.log", "--png",
                    "run.png", "--max-log", str(64 << 20)], cwd=folder, check=True, capture_output=True)
    subprocess.run([os.path.join(prefix, "bin/tavro-check"), "--log", "reference.log", "run.log", "--png",
                    "reference.png", "run.png", "--difference", "difference.png"], cwd=folder, capture_output=True)
    return time.monotonic() - start


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    studio, prefix = sys.argv[1], os.path.abspath(sys.argv[2])
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 9
    data = tempfile.mkdtemp(prefix="studio-check-bench-")
    server = None
    try:
        server, _, teacher, class_id, clients = serve_class(studio, prefix, data)
        exercise = teacher.answer("POST", "/api/exercises", {"class": class_id, "title": "Garden",
                                                              "solution": program(0), "script": SCRIPT,
                                                              "time": START})
        submit = "/api/exercises/%d/submissions" % exercise["id"]

        folder = tempfile.mkdtemp(prefix="studio-check-by-hand-", dir=data)
        with open(os.path.join(folder, "script.scr"), "w") as file:
            file.write(SCRIPT)
        reference = os.path.join(folder, "reference")
        subprocess.run([studio, "--version"], check=True, capture_output=True)
        by_hand(folder, prefix, program(0))
        shutil.copy(os.path.join(folder, "run.log"), reference + ".log")
        shutil.copy(os.path.join(folder, "run.png"), reference + ".png")

        studio_times, hand_times = [], []
        for round_number in range(rounds):
            source = program(1000 + round_number, "COLOUR_ORANGE" if round_number % 2 else "COLOUR_GOLD")
            start = time.monotonic()
            verdict = clients[0].answer("POST", submit, {"source": source})
            studio_times.append(time.monotonic() - start)
            hand_times.append(by_hand(folder, prefix, source))
            assert verdict["verdict"] == ("fail" if round_number % 2 else "pass"), verdict
        studio_median, hand_median = statistics.median(studio_times), statistics.median(hand_times)
        print("one submission, request to verdict: median %.2f s (min %.2f, max %.2f) over %d"
              % (studio_median, min(studio_times), max(studio_times), rounds))
        print("by hand (g++, render entry, tavro-check): median %.2f s (min %.2f, max %.2f)"
              % (hand_median, min(hand_times), max(hand_times)))
        print("studio / by hand: %.2f" % (studio_median / hand_median))

        # A class of 30 within 10 s: student i submits at i/3 s, each a program of its own.
        latencies = [None] * len(clients)
        verdicts = [None] * len(clients)
        began = time.monotonic()

        def one(index):
            time.sleep(max(0.0, began + index / 3.0 - time.monotonic()))
            start = time.monotonic()
            verdicts[index] = clients[index].answer("POST", submit, {"source": program(2000 + index)})["verdict"]
            latencies[index] = time.monotonic() - start

        threads = [threading.Thread(target=one, args=(index,)) for index in range(len(clients))]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join(timeout=300)
        done = [latency for latency in latencies if latency is not None]
        print("a class of 30 submitting within 10 s: %d verdicts (%d pass), slowest %.1f s from its request,"
              " median %.1f s, all done %.1f s after the first request"
              % (len(done), verdicts.count("pass"), max(done), statistics.median(done), time.monotonic() - began))
    finally:
        if server:
            server.terminate()
            server.wait()
        shutil.rmtree(data, ignore_errors=True)


if __name__ == "__main__":
    main()
