"""The studio's page in headless Chromium at a laptop's size, against a real tavro-studio.

Run by CTest, one test per case: studio_browser_test.py TestClass.test_name. TAVRO_STUDIO is the
program, TAVRO_STUDIO_PACKAGE_PREFIX the installed web library its Runs build against.
"""
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../web"))
from browser import browser  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402
from studio_server import Studio  # noqa: E402

# A first build with em++ on a busy 2-core machine can take minutes.
BUILD_SECONDS = 400
EDITOR = "document.querySelector('.CodeMirror').CodeMirror"
FILE = "/api/files/first_program.cpp"
PROGRAM = """#include <tavro/display.h>
int application_main()
{
Display display;
int x = 0;
int y = 0;
char key = 0;
do {
display.clear(COLOUR_WHITE);
display.draw_rectangle(-100, -100, 100, 100, COLOUR_RED, 0);
} while (display.wait_for_event(x, y, key) != event_quit);
return 0;
}
"""


class StudioPage(unittest.TestCase):
    def setUp(self):
        self.studio = Studio()
        self.addCleanup(self.studio.close)
        self.studio.start()
        self.password = self.studio.class_of_students(["ada"])["ada"]

    def sign_in(self, page):
        """Signs in with the one-time password, which asks for one of the student's own first;
        answers when the first file is open and saved."""
        page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                    {"width": 1366, "height": 768, "deviceScaleFactor": 1, "mobile": False})
        page.driver.get(self.studio.address)
        page.wait_for("!document.querySelector('#signin-view').hidden")
        page.element("#signin-form [name=name]").send_keys("ada")
        page.element("#signin-form [name=password]").send_keys(self.password, Keys.ENTER)
        page.wait_for("document.querySelector('#password-dialog').open")
        own = "ada's own password"
        for field, text in (("old", self.password), ("new", own), ("again", own)):
            page.element("#password-form [name=%s]" % field).send_keys(text)
        page.element("#password-form [type=submit]").click()
        self.password = own
        page.wait_for("!document.querySelector('#password-dialog').open")
        page.wait_for("document.querySelector('.CodeMirror') && %s.getValue() !== ''" % EDITOR)
        self.wait_status(page, "Saved")

    def wait_status(self, page, status, timeout=30):
        page.wait_for("document.querySelector('#save-status').textContent === %r" % status, timeout)

    def editor_text(self, page):
        return page.js("return %s.getValue();" % EDITOR)

    def type_in_editor(self, page, *keys):
        page.element(".CodeMirror textarea").send_keys(*keys)

    def run_program(self, page):
        ActionChains(page.driver).key_down(Keys.CONTROL).send_keys(Keys.ENTER).key_up(Keys.CONTROL).perform()

    def frame_pixel(self, page, column, row):
        return page.js("""const canvas = document.getElementById('tavro-canvas');
            return Array.from(canvas.getContext('2d').getImageData(arguments[0], arguments[1], 1, 1).data.slice(0, 3));""",
                       column, row)

    def test_a_student_runs_a_program_sees_an_error_at_its_line_and_finds_the_text_after_a_reload(self):
        with browser() as page:
            self.sign_in(page)
            self.type_in_editor(page, Keys.CONTROL, "a")
            self.type_in_editor(page, PROGRAM)
            self.run_program(page)
            page.wait_for("!document.querySelector('#program-frame').hidden", BUILD_SECONDS)
            page.driver.switch_to.frame(page.element("#program-frame"))
            # Drawn, the program waits for an event: the red square at the centre, white around it.
            page.wait_for("window.TavroPage && TavroPage.started() && TavroPage.sleeping()")
            self.assertEqual(self.frame_pixel(page, 300, 250), [255, 0, 0])
            self.assertEqual(self.frame_pixel(page, 20, 20), [255, 255, 255])
            # The program has the keyboard: the frame's document is the focused one.
            self.assertTrue(page.js("return document.hasFocus();"))
            page.driver.switch_to.default_content()

            # A line that does not build, after line 3: its message at line 4.
            self.type_in_editor(page, Keys.CONTROL, Keys.HOME)
            self.type_in_editor(page, Keys.DOWN, Keys.DOWN, Keys.END, Keys.ENTER, "oops;")
            self.run_program(page)
            page.wait_for("document.querySelector('.studio-diagnostic')", BUILD_SECONDS)
            marked = page.js("const info = %s.lineInfo(3); return [info.bgClass, Object.keys(info.gutterMarkers || {})];"
                             % EDITOR)
            self.assertEqual(marked, ["studio-error-line", ["studio-diagnostics"]])
            diagnostic = page.element(".studio-diagnostic")
            self.assertEqual(diagnostic.get_attribute("data-line"), "4")
            self.assertIn("oops", diagnostic.text)

            typed = self.editor_text(page)
            self.wait_status(page, "Saved")
            page.driver.refresh()
            page.wait_for("document.querySelector('.CodeMirror') && %s.getValue().includes('oops;')" % EDITOR)
            self.assertEqual(self.editor_text(page), typed)

    def test_text_typed_while_the_server_is_stopped_is_sent_after_its_restart_and_a_version_restores(self):
        with browser() as page:
            self.sign_in(page)
            starter = self.editor_text(page)
            self.type_in_editor(page, Keys.CONTROL, Keys.END, "// saved\n")
            self.wait_status(page, "Saved")
            self.studio.stop()
            self.type_in_editor(page, "// typed while the server was stopped\n")
            self.wait_status(page, "Not saved yet: the server does not answer")
            typed = self.editor_text(page)
            # The tab closes too: only the browser's storage holds the text.
            page.driver.get("about:blank")
            self.studio.start()
            page.driver.get(self.studio.address)
            page.wait_for("document.querySelector('.CodeMirror') && %s.getValue().includes('stopped')" % EDITOR)
            self.wait_status(page, "Saved")
            student = self.studio.client("ada", self.password)
            self.assertEqual(student.call("GET", FILE)["source"], typed)

            # The oldest version, the starter, opens read-only and is restored as the newest.
            page.element("#history-open").click()
            page.wait_for("document.querySelectorAll('#history-list button').length === 3")
            page.elements("#history-list button")[-1].click()
            page.wait_for("!document.querySelector('#version-banner').hidden")
            self.assertEqual(page.js("return %s.getOption('readOnly');" % EDITOR), True)
            self.assertEqual(self.editor_text(page), starter)
            page.element("#version-restore").click()
            self.wait_status(page, "Saved")
            self.assertEqual(student.call("GET", FILE)["source"], starter)
            self.assertEqual(len(student.call("GET", FILE)["history"]), 4)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[1:], verbosity=2)
