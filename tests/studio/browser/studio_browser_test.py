"""The studio's page in headless Chromium at a laptop's size, against a real tavro-studio.

Run by CTest, one test per case: studio_browser_test.py TestClass.test_name. TAVRO_STUDIO is the
program, TAVRO_STUDIO_PACKAGE_PREFIX the installed web library its Runs build against.
"""
import sys
import unittest

from studio_page import (EDITOR, Keys, browser, editor_text, first_diagnostic, run_program, sign_in,
                         type_in_editor, wait_for_diagnostics, wait_for_editor, wait_for_program, wait_status)
from studio_server import Studio

FILE = "/api/files/first_program.cpp"
OWN_PASSWORD = "ada's own password"
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

# A program that tries, from its page, what the viewer's own pages may do: read the studio's
# cookie, reach into the page around it, and call the API as the one who views it.
PROBE = """#include <tavro/display.h>
#include <emscripten.h>
int application_main()
{
// Within parentheses, the script's commas are not the macro's.
EM_ASM((function () {
const probe = {cookie: null, parent: null, api: null};
try { probe.cookie = document.cookie; } catch (error) { probe.cookie = 'refused'; }
try { probe.parent = String(window.parent.document.cookie); } catch (error) { probe.parent = 'refused'; }
fetch('/api/files', {credentials: 'include'}).then(
(answer) => { probe.api = 'status ' + answer.status; }, () => { probe.api = 'refused'; });
window.studioProbe = probe;
})());
Display display;
int x = 0;
int y = 0;
char key = 0;
do {
display.clear(COLOUR_WHITE);
} while (display.wait_for_event(x, y, key) != event_quit);
return 0;
}
"""


def frame_pixel(page, column, row):
    return page.js("""const canvas = document.getElementById('tavro-canvas');
        return Array.from(canvas.getContext('2d').getImageData(arguments[0], arguments[1], 1, 1).data.slice(0, 3));""",
                   column, row)


class StudioPage(unittest.TestCase):
    def setUp(self):
        self.studio = Studio()
        self.addCleanup(self.studio.close)
        self.studio.start()
        password = self.studio.class_of_students(["ada"])["ada"]
        self.page = self.enterContext(browser())
        sign_in(self.page, self.studio.address, "ada", password, OWN_PASSWORD)
        # A student with no file yet gets one, with a small first program.
        wait_for_editor(self.page)
        wait_status(self.page, "Saved")

    def test_a_student_runs_a_program_sees_an_error_at_its_line_and_finds_the_text_after_a_reload(self):
        page = self.page
        type_in_editor(page, Keys.CONTROL, "a")
        type_in_editor(page, PROGRAM)
        run_program(page)
        wait_for_program(page)
        # The red square at the centre of the 601 x 501 area, white around it.
        self.assertEqual(frame_pixel(page, 300, 250), [255, 0, 0])
        self.assertEqual(frame_pixel(page, 20, 20), [255, 255, 255])
        # The program has the keyboard: the frame's document is the focused one.
        self.assertTrue(page.js("return document.hasFocus();"))
        page.driver.switch_to.default_content()

        # A line that does not build, after line 3: its message at line 4.
        type_in_editor(page, Keys.CONTROL, Keys.HOME)
        type_in_editor(page, Keys.DOWN, Keys.DOWN, Keys.END, Keys.ENTER, "oops;")
        run_program(page)
        wait_for_diagnostics(page)
        marked = page.js("const info = %s.lineInfo(3); return [info.bgClass, Object.keys(info.gutterMarkers || {})];"
                         % EDITOR)
        self.assertEqual(marked, ["studio-error-line", ["studio-diagnostics"]])
        line, message = first_diagnostic(page)
        self.assertEqual(line, "4")
        self.assertIn("oops", message)

        typed = editor_text(page)
        wait_status(page, "Saved")
        page.driver.refresh()
        wait_for_editor(page, "%s.getValue().includes('oops;')")
        self.assertEqual(editor_text(page), typed)

    def test_text_typed_while_the_server_is_stopped_is_sent_after_its_restart_and_a_version_restores(self):
        page = self.page
        starter = editor_text(page)
        type_in_editor(page, Keys.CONTROL, Keys.END, "// saved\n")
        wait_status(page, "Saved")
        self.studio.stop()
        type_in_editor(page, "// typed while the server was stopped\n")
        wait_status(page, "Not saved yet: the server does not answer")
        typed = editor_text(page)
        # The tab closes too: only the browser's storage holds the text.
        page.driver.get("about:blank")
        self.studio.start()
        page.driver.get(self.studio.address)
        wait_for_editor(page, "%s.getValue().includes('stopped')")
        wait_status(page, "Saved")
        student = self.studio.client("ada", OWN_PASSWORD)
        self.assertEqual(student.call("GET", FILE)["source"], typed)

        # The oldest version, the first program, opens read-only and is restored as the newest.
        page.element("#history-open").click()
        page.wait_for("document.querySelectorAll('#history-list button').length >= 3")
        versions = page.elements("#history-list button")
        versions[-1].click()
        page.wait_for("!document.querySelector('#version-banner').hidden")
        self.assertEqual(page.js("return %s.getOption('readOnly');" % EDITOR), True)
        self.assertEqual(editor_text(page), starter)
        page.element("#version-restore").click()
        wait_status(page, "Saved")
        self.assertEqual(student.call("GET", FILE)["source"], starter)
        self.assertEqual(len(student.call("GET", FILE)["history"]), len(versions) + 1)

    def test_a_program_reads_no_cookie_reaches_no_page_around_it_and_calls_no_api_as_its_viewer(self):
        page = self.page
        type_in_editor(page, Keys.CONTROL, "a")
        type_in_editor(page, PROBE)
        run_program(page)
        wait_for_program(page)
        page.wait_for("window.studioProbe && window.studioProbe.api !== null")
        probe = page.js("return window.studioProbe;")
        self.assertEqual(probe["cookie"], "refused")
        self.assertEqual(probe["parent"], "refused")
        # Sent from an opaque origin, without the session: refused by the browser or unsigned.
        self.assertIn(probe["api"], ["refused", "status 401"])


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0]] + sys.argv[1:], verbosity=2)
