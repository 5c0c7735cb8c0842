"""A teacher publishes an exercise in headless Chromium, a student submits a wrong program beside
the editor, and the teacher's class table shows the failed verdict and its difference picture.

Run by CTest: exercises_browser_test.py. TAVRO_STUDIO is the program, TAVRO_STUDIO_PACKAGE_PREFIX
the installed package it builds against; with TAVRO_STUDIO_SCREENSHOTS=DIR the pages are also
saved there as PNG at 1366 x 768.
"""
import os
import unittest

from studio_page import browser, sign_in
from studio_server import Studio

CHECK_SECONDS = 120
SOLUTION = """#include <tavro/display.h>

int application_main()
{
    Display display;
    int x = 0, y = 0;
    char key = 0;
    do {
        display.clear(COLOUR_ICE_BLUE);
        display.draw_rectangle(-100, -100, 100, 50, COLOUR_BROWN, 0);
        display.draw_triangle(-120, 50, 120, 50, 0, 150, COLOUR_RED, 0);
        display.draw_circle(200, 160, 40, COLOUR_GOLD);
    } while (display.wait_for_event(x, y, key) != event_quit);
    return 0;
}
"""
SHOTS = os.environ.get("TAVRO_STUDIO_SCREENSHOTS", "")


def shot(page, name):
    if SHOTS:
        page.driver.save_screenshot(os.path.join(SHOTS, name))


def picture_loaded(selector):
    return "(() => { const i = document.querySelector(%r); return i && i.complete && i.naturalWidth > 0; })()" % selector


class Exercises(unittest.TestCase):
    def setUp(self):
        self.studio = Studio()
        self.addCleanup(self.studio.close)
        self.studio.start()
        self.teacher_password = self.studio.add_teacher("tina")
        teacher = self.studio.client("tina", self.teacher_password)
        self.class_id = teacher.call("POST", "/api/classes", {"name": "7B"})["id"]
        made = teacher.call("POST", "/api/classes/%s/students" % self.class_id, {"names": ["ada"]})
        self.student_password = made["students"][0]["password"]

    def test_a_teacher_publishes_and_sees_a_students_failed_submission_with_its_difference(self):
        with browser() as page:
            sign_in(page, self.studio.address, "tina", self.teacher_password, "tina's own password")
            page.wait_for("document.querySelector('#class-list button')")
            page.element("#class-list button").click()
            page.wait_for("document.querySelector('#exercise-new')")
            page.element("#exercise-new").click()
            page.js("""const form = document.querySelector('#exercise-editor');
                       form.elements.title.value = 'A house';
                       form.elements.text.value = 'Draw a house with a red roof.\\n\\nThe sun is gold.';
                       form.elements.solution.value = arguments[0];
                       form.elements.script.value = 'TAVRO_PERIODIC(3);\\nTAVRO_MOUSE(10, -20);\\n';""", SOLUTION)
            page.element("#exercise-preview-button").click()
            page.wait_for(picture_loaded("#exercise-preview img"), CHECK_SECONDS)
            self.assertIn("gold circle at (200,160), radius 40", page.element("#exercise-preview pre").text)
            page.element("#exercise-publish").click()
            page.wait_for("document.querySelector('#exercise-preview').textContent.includes('Published')",
                          CHECK_SECONDS)
            page.wait_for(picture_loaded("#exercise-preview img"))
            page.js("document.querySelector('#exercise-preview').scrollIntoView({block: 'end'})")
            shot(page, "studio-exercise-editor.png")

            with browser() as student:
                sign_in(student, self.studio.address, "ada", self.student_password, "ada's own password")
                student.wait_for("document.querySelector('#exercise-list button')")
                student.element("#exercise-list button").click()
                student.wait_for("!document.querySelector('#submit').hidden")
                self.assertIn("The sun is gold.", student.element("#exercise-panel").text)
                student.js("document.querySelector('.CodeMirror').CodeMirror.setValue(arguments[0])",
                           SOLUTION.replace("COLOUR_GOLD", "COLOUR_ORANGE"))
                student.element("#submit").click()
                student.wait_for("document.querySelector('#exercise-verdict .verdict')", CHECK_SECONDS)
                self.assertEqual(student.element("#exercise-verdict .verdict").text,
                                 "Failed: the transcript and the picture differ from the references")
                self.assertIn("orange circle at (200,160), radius 40", student.element(".differences").text)
                student.wait_for(picture_loaded("#exercise-verdict figure.difference img"))
                shot(student, "studio-exercise-student.png")

            # The table polls: the cell turns to the failed verdict without a reload.
            page.wait_for("document.querySelector('#class-table td.verdict-fail button')", 30)
            cell = page.element("#class-table td.verdict-fail")
            self.assertIn("Failed", cell.text)
            self.assertIn("1 try", cell.text)
            cell.find_element("css selector", "button").click()
            page.wait_for(picture_loaded("#submission-viewer figure.difference img"))
            self.assertIn("COLOUR_ORANGE", page.element("#submission-viewer .submitted-code").text)
            self.assertEqual(page.element("#submission-viewer iframe").get_attribute("sandbox"), "allow-scripts")
            links = [a.get_attribute("href") for a in page.elements("#exercises-area a")]
            self.assertTrue(links[0].endswith("/results.csv") and links[1].endswith("/results.xml"), links)
            csv = page.js("return fetch(arguments[0]).then((r) => r.text())", links[0])
            self.assertIn('"ada","fail",1,', csv)
            page.js("document.querySelector('#class-table').scrollIntoView()")
            shot(page, "studio-class-table.png")


if __name__ == "__main__":
    unittest.main()
