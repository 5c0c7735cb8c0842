"""A real tavro-studio serve on a free 127.0.0.1 port with a scratch data folder, and a client of
its API that signs in as a browser would (the session cookie kept)."""
import http.cookiejar
import json
import os
import shutil
import subprocess
import tempfile
import urllib.error
import urllib.request

PROGRAM = os.environ.get("TAVRO_STUDIO", "")
PACKAGE = os.environ.get("TAVRO_STUDIO_PACKAGE_PREFIX", "")


class Studio:
    def __init__(self):
        self.data = tempfile.mkdtemp(prefix="tavro-studio-browser-")
        # The sandbox's user must reach the builds' scratch folder inside it, as in a data folder
        # the studio makes itself.
        os.chmod(self.data, 0o755)
        self.process = None
        self.address = None

    def add_teacher(self, name):
        done = subprocess.run([PROGRAM, "add-teacher", name, "--data", self.data],
                              capture_output=True, text=True, check=True)
        return done.stdout.strip().splitlines()[-1]

    def start(self):
        """Serves; the first start takes any free port, a restart the same one."""
        listen = self.address[len("http://"):].rstrip("/") if self.address else "127.0.0.1:0"
        self.process = subprocess.Popen(
            [PROGRAM, "serve", "--data", self.data, "--listen", listen, "--workers", "1", "--package", PACKAGE],
            stdout=subprocess.PIPE, text=True)
        line = self.process.stdout.readline()
        if not line.startswith("serving "):
            raise AssertionError("the studio did not serve: " + line)
        self.address = line.split()[1]

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.process.stdout.close()

    def close(self):
        if self.process and self.process.poll() is None:
            self.stop()
        shutil.rmtree(self.data, ignore_errors=True)

    def client(self, name, password):
        client = Client(self.address)
        client.call("POST", "/api/login", {"name": name, "password": password})
        return client

    def class_of_students(self, names):
        """A teacher, a class and its students: their names and one-time passwords."""
        teacher = self.client("teacher", self.add_teacher("teacher"))
        class_id = teacher.call("POST", "/api/classes", {"name": "7B"})["id"]
        students = teacher.call("POST", "/api/classes/%s/students" % class_id, {"names": names})["students"]
        return {student["name"]: student["password"] for student in students}


class Client:
    def __init__(self, address):
        self.address = address.rstrip("/")
        self.opener = urllib.request.build_opener(urllib.request.HTTPCookieProcessor(http.cookiejar.CookieJar()))

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.address + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with self.opener.open(request) as response:
                return json.load(response)
        except urllib.error.HTTPError as error:
            raise AssertionError("%s %s: %d %s" % (method, path, error.code, error.read().decode())) from None
