"""Runs a systemd unit's ExecStart= command as systemd would expand it: its Environment= and then
its EnvironmentFile= (a leading '-': a missing file is no error), "${NAME}" as one word and a word
"$NAME" split at white space; under its UMask=. With --print it writes the command, one word a
line, instead.
Usage: unit_exec_start.py [--print] UNIT_FILE"""
import os
import re
import shlex
import sys

# systemd's own PATH for services.
SERVICE_PATH = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"


def unit_settings(path):
    """The [Service] section's settings, in order, as (key, value)."""
    settings = []
    section = None
    with open(path) as unit:
        for line in unit:
            line = line.strip()
            if not line or line[0] in "#;":
                continue
            if line.startswith("["):
                section = line
            elif section == "[Service]":
                key, _, value = line.partition("=")
                settings.append((key.strip(), value.strip()))
    return settings


def assignments(text):
    """NAME=VALUE words, quotes removed as systemd removes them."""
    variables = {}
    for word in shlex.split(text, comments=False):
        name, equals, value = word.partition("=")
        if equals:
            variables[name] = value
    return variables


def environment_file(path):
    variables = {}
    with open(path) as lines:
        for line in lines:
            line = line.strip()
            if line and line[0] not in "#;":
                name, equals, value = line.partition("=")
                if equals:
                    variables[name.strip()] = " ".join(shlex.split(value))
    return variables


def command(settings):
    environment = {"PATH": SERVICE_PATH, "HOME": "/"}
    files = []
    start = None
    for key, value in settings:
        if key == "Environment":
            environment.update(assignments(value))
        elif key == "EnvironmentFile":
            files.append(value)
        elif key == "ExecStart":
            start = value
        elif key == "StateDirectory":
            environment["STATE_DIRECTORY"] = "/var/lib/" + value
        elif key == "UMask":
            os.umask(int(value, 8))
    for name in files:
        optional = name.startswith("-")
        name = name.lstrip("-")
        if optional and not os.path.exists(name):
            continue
        environment.update(environment_file(name))
    if not start:
        raise SystemExit("unit_exec_start.py: the unit has no ExecStart=")
    argv = []
    for word in shlex.split(start):
        whole = re.fullmatch(r"\$([A-Za-z_][A-Za-z0-9_]*)", word)
        if whole:
            argv.extend(environment.get(whole.group(1), "").split())
        else:
            argv.append(re.sub(r"\$\{([A-Za-z_][A-Za-z0-9_]*)\}", lambda m: environment.get(m.group(1), ""), word))
    return argv, environment


def main():
    arguments = sys.argv[1:]
    printing = arguments[:1] == ["--print"]
    if printing:
        arguments = arguments[1:]
    if len(arguments) != 1:
        raise SystemExit(__doc__.splitlines()[-1])
    argv, environment = command(unit_settings(arguments[0]))
    if printing:
        print("\n".join(argv))
        return
    os.execve(argv[0], argv, environment)


if __name__ == "__main__":
    main()
