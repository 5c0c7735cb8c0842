"""Uses a serving studio as a teacher and a student would: signs in as the teacher NAME (setting a
new password when the studio asks for one), Runs SOURCE_FILE and writes the page it built to
PAGE_FILE; then makes a class, an exercise with SOURCE_FILE as its solution and SCRIPT_FILE as its
script, and a student, who submits the same source, which must pass.
Usage: studio_run.py ADDRESS NAME PASSWORD SOURCE_FILE SCRIPT_FILE PAGE_FILE"""
import os
import sys
import urllib.request

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../tests/studio/browser"))
from studio_server import Client  # noqa: E402


def signed_in(address, name, password):
    client = Client(address)
    if client.call("POST", "/api/login", {"name": name, "password": password})["must_change_password"]:
        client.call("POST", "/api/password", {"old": password, "new": password + "-changed"})
    return client


def finished(client, answer):
    """The answer of a request that may have become a job."""
    while "job" in answer:
        answer = client.call("GET", "/api/jobs/" + answer["job"])
    return answer


def main():
    if len(sys.argv) != 7:
        raise SystemExit(__doc__.splitlines()[-1])
    address, name, password, source_file, script_file, page_file = sys.argv[1:]
    with open(source_file) as source:
        source = source.read()
    with open(script_file) as script:
        script = script.read()
    teacher = signed_in(address, name, password)
    answer = finished(teacher, teacher.call("POST", "/api/run", {"source": source}))
    if answer.get("status") != "built":
        raise SystemExit("studio_run.py: the Run was not built: %s" % answer)
    with teacher.opener.open(urllib.request.Request(teacher.address + answer["page"])) as response:
        policy = response.headers.get("Content-Security-Policy", "")
        if policy != "sandbox allow-scripts":
            raise SystemExit("studio_run.py: the page is served with Content-Security-Policy '%s'" % policy)
        with open(page_file, "wb") as page:
            page.write(response.read())

    class_id = teacher.call("POST", "/api/classes", {"name": "release"})["id"]
    exercise = teacher.call("POST", "/api/exercises",
                            {"class": class_id, "title": "The first picture", "solution": source, "script": script})
    student = teacher.call("POST", "/api/classes/%s/students" % class_id, {"names": ["student"]})["students"][0]
    pupil = signed_in(address, student["name"], student["password"])
    verdict = finished(pupil, pupil.call("POST", "/api/exercises/%s/submissions" % exercise["id"], {"source": source}))
    if verdict.get("verdict") != "pass":
        raise SystemExit("studio_run.py: the exercise's own solution does not pass: %s" % verdict)


if __name__ == "__main__":
    main()
