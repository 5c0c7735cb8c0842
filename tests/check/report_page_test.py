"""The class report as a teacher sees it: tavro-check --report's page opened in headless Chromium.

Run by CTest: report_page_test.py TAVRO_CHECK SOURCE_DIR.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

TAVRO_CHECK, SOURCE = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(SOURCE, "tests", "web"))
from browser import browser, page_url  # noqa: E402

PICTURE = os.path.join(SOURCE, "tests", "check", "pictures", "rgb-none.png")
CHECKS = {
    # folder: (verdict file, pictures beside it)
    "anna": ("verdict: pass\nreason: matches the references\n", []),
    "ben": ("verdict: fail\nreason: the picture differs\ntavro-check: <img src=x> differs\n",
            ["house-difference.png", "house.png"]),
    "cleo": ("verdict: fail\nreason: the program crashed (signal 11)\n", []),
}


class ReportPage(unittest.TestCase):
    def test_the_page_shows_every_check_and_its_pictures(self):
        folder = tempfile.mkdtemp(prefix="tavro-report-")
        self.addCleanup(shutil.rmtree, folder)
        for student, (verdict, pictures) in CHECKS.items():
            os.makedirs(os.path.join(folder, student, "build"))
            with open(os.path.join(folder, student, "build", "house.verdict"), "w") as out:
                out.write(verdict)
            for name in pictures:
                shutil.copy(PICTURE, os.path.join(folder, student, "build", name))
        page_path = os.path.join(folder, "report.html")
        subprocess.run([TAVRO_CHECK, "--report", page_path, folder], check=True, timeout=30)

        with browser() as page:
            page.driver.get(page_url(page_path))
            page.wait_for("document.readyState === 'complete'")
            self.assertEqual(page.element("#summary").text, "3 checks, 1 passed, 2 failed")
            sections = page.js("""return [...document.querySelectorAll('section')].map(section => [
                section.querySelector('.name').textContent, section.querySelector('.verdict').textContent,
                getComputedStyle(section.querySelector('.verdict')).backgroundColor,
                section.querySelector('.reason').textContent,
                section.querySelector('.folder').textContent.split('/').slice(-2)[0],
                [...section.querySelectorAll('img')].map(image => image.naturalWidth)]);""")
            self.assertEqual([(name, verdict, student, widths) for name, verdict, _, _, student, widths in sections],
                             [("house", "pass", "anna", []), ("house", "fail", "ben", [24, 24]),
                              ("house", "fail", "cleo", [])])
            self.assertEqual(sections[2][3], "the program crashed (signal 11)")
            self.assertNotEqual(sections[0][2], sections[1][2])  # the verdicts coloured apart
            # Text from the files stays text: no element made of it.
            self.assertIn("<img src=x> differs", page.element("section:nth-of-type(2) pre").text)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
