"""page_transcript.py PAGE TIME SCRIPT: prints the transcript of a page's run of SCRIPT from TIME, as
the render entry's --log would hold it. Used by scripts/check-install-web."""
import sys

from browser import browser

if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit("usage: page_transcript.py PAGE TIME SCRIPT")
    with open(sys.argv[3]) as file:
        script = file.read()
    with browser() as page:
        sys.stdout.write(page.run_script(sys.argv[1], int(sys.argv[2]), script))
