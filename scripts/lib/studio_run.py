"""Signs in to a serving studio as a browser would, sets a new password when the studio asks for
one, Runs a program and writes the page it built to PAGE_FILE.
Usage: studio_run.py ADDRESS NAME PASSWORD SOURCE_FILE PAGE_FILE"""
import os
import sys
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/studio/browser"))
from studio_server import Client  # noqa: E402


def main():
    if len(sys.argv) != 6:
        raise SystemExit(__doc__.splitlines()[-1])
    address, name, password, source_file, page_file = sys.argv[1:]
    client = Client(address)
    if client.call("POST", "/api/login", {"name": name, "password": password})["must_change_password"]:
        client.call("POST", "/api/password", {"old": password, "new": password + "-changed"})
    with open(source_file) as source:
        answer = client.call("POST", "/api/run", {"source": source.read()})
    while "job" in answer:
        answer = client.call("GET", "/api/jobs/" + answer["job"])
    if answer.get("status") != "built":
        raise SystemExit("studio_run.py: the Run was not built: %s" % answer)
    with client.opener.open(urllib.request.Request(client.address + answer["page"])) as response:
        policy = response.headers.get("Content-Security-Policy", "")
        if policy != "sandbox allow-scripts":
            raise SystemExit("studio_run.py: the page is served with Content-Security-Policy '%s'" % policy)
        with open(page_file, "wb") as page:
            page.write(response.read())


if __name__ == "__main__":
    main()
