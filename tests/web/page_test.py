"""The web host in a real browser: the city's page and small test programs, as a user meets them.

Run by CTest, one test per case: page_test.py TestClass.test_name. The pages come from the
web build (TAVRO_WEB_BUILD); the references of the golden run from the source tree.
"""
import contextlib
import functools
import gzip
import http.server
import os
import sys
import tempfile
import threading
import time
import unittest

from browser import browser, page_url
import png_file

BUILD = os.environ.get("TAVRO_WEB_BUILD", "")
SOURCE = os.environ.get("TAVRO_SOURCE_DIR", "")
GOLDEN_TIME = 1700000100
COMMAND_ANIMATE, COMMAND_LOGGING, COMMAND_RECORD, COMMAND_PLAYBACK = 1, 4, 5, 6
# The pixels of a city frame where the page's text differs from the headless host's (measured: 996).
TEXT_PIXELS_OF_A_FRAME = 1500


def page_path(name):
    return os.path.join(BUILD, name + ".html")


@contextlib.contextmanager
def sandboxed_server(folder):
    """Serves the folder on 127.0.0.1 as the studio serves a page: an opaque origin."""
    class Handler(http.server.SimpleHTTPRequestHandler):
        def end_headers(self):
            self.send_header("Content-Security-Policy", "sandbox allow-scripts")
            super().end_headers()

        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    thread = threading.Thread(target=server.serve_forever)
    thread.start()
    try:
        yield "http://127.0.0.1:%d" % server.server_address[1]
    finally:
        server.shutdown()
        thread.join()
        server.server_close()


def differing_pixels(a, b):
    return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


class CityPage(unittest.TestCase):
    def test_loads_and_draws_its_first_frame_under_its_menu(self):
        with browser() as page:
            page.open(page_url(page_path("city")))
            # The first frame holds the boat and the duck; the town comes with the first tick.
            page.wait_for("TavroPage.periodicEvents() >= 2")
            self.assertEqual(page.driver.title, "TAVRO Graphics")
            pixels = page.pixels()
            colours = {pixels[i:i + 3] for i in range(0, len(pixels), 3 * 97)}
            self.assertGreater(len(colours), 5, "the city's scenery has many colours")
            self.assertEqual(page.element("#tavro-menubar button").text, "Run")
            page.open_menu()
            items = page.elements("#tavro-popup .tavro-item")
            self.assertEqual(len(items), 12)
            self.assertEqual(len(page.elements("#tavro-popup .tavro-separator")), 4)
            self.assertEqual(items[0].text.split("\n"), ["Animate", "Ctrl+A"])
            self.assertEqual(items[10].text, "WINDOWS: windows-help@tavro-city.example")
            self.assertIn("grayed", items[10].get_attribute("class"))
            # The picture of the page in docs/ is this one, logging on (scripts/make-pictures copies it there).
            page.choose("Logging")
            events = page.periodic_events()
            page.wait_for("TavroPage.periodicEvents() > %d" % (events + 1))
            self.assertGreater(len(page.text_panel()), 10)
            page.open_menu()
            page.driver.save_screenshot(os.path.join(BUILD, "city-page.png"))

    def test_a_scripted_run_gives_the_golden_transcript_and_picture(self):
        with open(os.path.join(SOURCE, "tests/golden/city_run.scr")) as file:
            script = file.read()
        with gzip.open(os.path.join(SOURCE, "tests/golden/city_run.log.gz"), "rt") as file:
            reference = file.read()
        width, height, reference_pixels = png_file.read_rgb(os.path.join(SOURCE, "tests/golden/city_run.png"))
        with browser() as page:
            transcript = page.run_script(page_path("city"), GOLDEN_TIME, script)
            self.assertEqual(transcript.count("\n"), reference.count("\n"))
            self.assertTrue(transcript == reference, "the first difference is at line %d" % next(
                (n for n, (a, b) in enumerate(zip(transcript.split("\n"), reference.split("\n")), 1) if a != b), 0))
            # Text is drawn with the same face without its hinting: a few pixels of each string differ.
            self.assertEqual((width, height), (601, 501))
            pixels = page.pixels()
            self.assertLessEqual(differing_pixels(pixels, reference_pixels), TEXT_PIXELS_OF_A_FRAME)
            # Nothing is antialiased: the page shows only colours the headless picture has.
            colours = lambda data: {data[i:i + 3] for i in range(0, len(data), 3)}
            self.assertLessEqual(colours(pixels), colours(reference_pixels))

    def test_menu_items_and_shortcuts_change_the_modes_and_check_marks(self):
        with browser() as page:
            page.open(page_url(page_path("city")))
            page.halt()
            halted = page.periodic_events()
            page.choose("Animate")
            page.wait_for("TavroPage.periodicEvents() > %d" % (halted + 2))
            page.ctrl("f")  # one more frame, then halt
            page.wait_for("TavroPage.sleeping()")
            stepped = page.periodic_events()
            page.ctrl("f")
            page.wait_for("TavroPage.sleeping()")
            self.assertEqual(page.periodic_events(), stepped + 1)
            page.open_menu()
            self.assertFalse(page.checked(COMMAND_LOGGING))
            page.close_menu()
            page.ctrl("l")
            page.open_menu()
            self.assertTrue(page.checked(COMMAND_LOGGING))
            page.choose("Logging")
            page.open_menu()
            self.assertFalse(page.checked(COMMAND_LOGGING))

    def test_timer_sleeps_while_halted_and_ticks_ten_times_a_second_while_animating(self):
        with browser() as page:
            page.open(page_url(page_path("city")))
            page.halt()
            ticks = page.timer_ticks()
            events = page.periodic_events()
            # No tick is queued while nothing waits for one: the program stays in one wait.
            page.wait_for("TavroPage.sleptFor() > 3000")
            self.assertEqual(page.periodic_events(), events)
            self.assertEqual(page.timer_ticks(), ticks)
            page.ctrl("a")
            page.wait_for("TavroPage.periodicEvents() > %d" % events)
            start, first = time.monotonic(), page.periodic_events()
            page.wait_for("TavroPage.periodicEvents() >= %d" % (first + 30))
            rate = (page.periodic_events() - first) / (time.monotonic() - start)
            self.assertGreaterEqual(rate, 9)
            self.assertLessEqual(rate, 11)

    def test_a_recording_is_kept_offered_and_played_back(self):
        with browser() as page:
            page.open(page_url(page_path("city")))
            page.halt()
            page.ctrl("r")
            page.click_canvas(300 + 100, 250 - 50)
            page.type("k")
            page.ctrl("r")
            page.wait_for("!document.getElementById('tavro-script-link').hidden")
            recorded = page.js("return fetch(document.getElementById('tavro-script-link').href).then(r => r.text());")
            self.assertEqual(recorded, "TAVRO_MOUSE(100, 50);\nTAVRO_KBD(107);\n")
            # Kept across a reload, and played back.
            page.open(page_url(page_path("city"), transcript=1))
            self.assertEqual(page.js("return localStorage.getItem('tavro:TAVRO.SCR');"), recorded)
            page.halt()
            page.ctrl("p")
            page.wait_for("TavroPage.transcript().includes('EOF encountered in script file TAVRO.SCR')")
            page.open_menu()
            self.assertFalse(page.checked(COMMAND_PLAYBACK))
            # A script the user picks replaces it; Ctrl+O plays its events one at a time. (A run whose
            # playback reached the end of the file meets that end again: the page is opened anew.)
            with tempfile.TemporaryDirectory() as folder:
                picked = os.path.join(folder, "three.scr")
                with open(picked, "w") as file:
                    file.write("TAVRO_PERIODIC(3);\n")
                page.open(page_url(page_path("city")))
                page.halt()
                page.element("#tavro-script-file").send_keys(picked)
                page.wait_for("localStorage.getItem('tavro:TAVRO.SCR') === 'TAVRO_PERIODIC(3);\\n'")
            events = page.periodic_events()
            for step in (1, 2):
                page.ctrl("o")
                page.wait_for("TavroPage.sleeping() && TavroPage.periodicEvents() === %d" % (events + step))


    def test_served_sandboxed_a_recording_is_kept_in_memory_offered_and_played_back(self):
        with sandboxed_server(BUILD) as address, browser() as page:
            page.open(address + "/city.html?transcript=1")
            self.assertEqual(page.js("return self.origin;"), "null")
            page.halt()
            page.ctrl("r")
            page.click_canvas(300 + 100, 250 - 50)
            page.ctrl("r")
            page.wait_for("!document.getElementById('tavro-script-link').hidden")
            recorded = page.js("return fetch(document.getElementById('tavro-script-link').href).then(r => r.text());")
            self.assertEqual(recorded, "TAVRO_MOUSE(100, 50);\n")
            page.ctrl("p")
            page.wait_for("TavroPage.transcript().includes('EOF encountered in script file TAVRO.SCR')")


class ExamplePages(unittest.TestCase):
    def test_each_example_gives_its_reviewed_transcript(self):
        examples = ["first_picture", "coordinates", "clicks", "keys", "animation", "colour_chart", "corrections",
                    "greeting"]
        with browser() as page:
            for example in examples:
                with open(os.path.join(SOURCE, "examples/scripts", example + ".scr")) as file:
                    script = file.read()
                with open(os.path.join(SOURCE, "examples/transcripts", example + ".log")) as file:
                    reference = file.read()
                # The dialog's replies, as the example's check gives them to the render entry.
                query = {}
                answers = os.path.join(SOURCE, "examples/answers", example + ".txt")
                if os.path.exists(answers):
                    with open(answers) as file:
                        query["answers"] = file.read()
                with self.subTest(example=example):
                    self.assertEqual(page.run_script(page_path(example), 1700000000, script, **query), reference)


class DialogPage(unittest.TestCase):
    def test_the_dialog_returns_the_typed_text_and_escape_leaves_it_open(self):
        with browser() as page:
            page.open(page_url(page_path("prompt_reply")))
            page.wait_for("document.getElementById('tavro-dialog').open")
            self.assertEqual(page.element("#tavro-dialog-message").text.strip(), "Type a reply")
            page.type("hello web")
            page.type("\ue00c")  # Escape
            self.assertTrue(page.js("return document.getElementById('tavro-dialog').open;"))
            page.type("\ue007")  # Enter
            page.wait_for("TavroPage.ended()")
            self.assertIn("1 [hello web]", page.text_panel())

    def test_a_second_display_shows_the_error_then_ends_with_minus_one(self):
        with browser() as page:
            page.open(page_url(page_path("second_display")))
            page.wait_for("document.getElementById('tavro-dialog').open")
            self.assertEqual(page.element("#tavro-dialog-message").text.strip(),
                             "Error: Attempted to instantiate multiple TAVRO displays")
            page.element("#tavro-dialog-okay").click()
            page.wait_for("TavroPage.ended()")
            self.assertIn("status -1", page.element("#tavro-status").text)

    def test_the_key_that_opens_it_and_a_click_outside_leave_its_field_as_it_was(self):
        with browser() as page:
            page.open(page_url(page_path("page_input")))
            page.type("n")
            page.wait_for("document.getElementById('tavro-dialog').open")
            self.assertEqual(page.js("return document.getElementById('tavro-dialog-input').value;"), "")
            # A press outside the modal dialog (on its backdrop, over the canvas) keeps the focus in the field.
            page.click_canvas(10, 10)
            self.assertTrue(page.js("return document.activeElement.id === 'tavro-dialog-input';"))
            page.type("Ada\ue007")
            page.wait_for("document.getElementById('tavro-text').textContent.includes('name [')")
            self.assertEqual(page.text_panel()[-1], "name [Ada]")

    def test_answers_in_the_address_answer_it_in_order_without_showing_it(self):
        with browser() as page:
            page.open(page_url(page_path("page_input"), answers="Ada\nBob Lee\n", transcript=1))
            page.type("nnn")
            page.wait_for("TavroPage.transcript().includes('name []')")
            lines = [line for line in page.transcript().split("\n") if line.startswith(("name", "TAVRO_gets"))]
            self.assertEqual(lines, ["name [Ada]", "name [Bob Lee]", "TAVRO_gets: no answer left, the reply is empty",
                                     "name []"])
            self.assertFalse(page.js("return document.getElementById('tavro-dialog').open;"))


class StudentPage(unittest.TestCase):
    """A program of one's own, as a student builds it: page_input.cpp."""

    def test_the_menu_keeps_the_escape_and_the_click_that_close_it_and_long_lines_wrap(self):
        with browser() as page:
            page.open(page_url(page_path("page_input"), transcript=1))
            page.open_menu()
            page.type("\ue00c")  # Escape
            page.wait_for("!document.getElementById('tavro-popup').classList.contains('open')")
            page.open_menu()
            page.click_canvas(10, 10)
            page.wait_for("!document.getElementById('tavro-popup').classList.contains('open')")
            page.type("kw")
            page.wait_for("TavroPage.transcript().includes('wwww')")
            self.assertEqual(page.transcript().split("\n")[:2], ["key 107", "w" * 300])
            # The graphics box keeps the canvas's width (and its 1-pixel border); nothing scrolls sideways.
            widths = page.js("""return [document.getElementById('tavro-graphics').offsetWidth,
                                        document.getElementById('tavro-text').offsetWidth,
                                        document.documentElement.scrollWidth, window.innerWidth];""")
            self.assertEqual(widths[:2], [603, 601])
            self.assertLessEqual(widths[2], widths[3])

    def test_bad_address_values_are_refused_and_the_clock_has_64_bits(self):
        refused = [
            ({"time": "-5"}, "time= must be 0 to 253402300799 seconds, not -5"),
            ({"time": "abc"}, "option time= takes a whole number, not 'abc'"),
            ({"time": "1e9"}, "option time= takes a whole number, not '1e9'"),
            ({"time": " 1700000000"}, "option time= takes a whole number, not ' 1700000000'"),
            ({"time": "253402300800"}, "time= must be 0 to 253402300799 seconds, not 253402300800"),
            ({"transcript": "yes"}, "transcript= takes 1 (or no value) to keep the transcript, or 0, not 'yes'"),
        ]
        with browser() as page:
            for query, problem in refused:
                with self.subTest(query=query):
                    page.open(page_url(page_path("page_input"), **query))
                    page.wait_for("TavroPage.ended()")
                    self.assertEqual(page.element("#tavro-status").text,
                                     "The page's address was refused: %s. The program did not start." % problem)
            for query, logging in (({"transcript": "0"}, False), ({"transcript": ""}, True)):
                with self.subTest(query=query):
                    page.open(page_url(page_path("page_input"), time=4102444800, **query))
                    page.type("t")
                    page.wait_for("document.querySelectorAll('#tavro-text div').length > 0")
                    self.assertEqual(page.text_panel()[-1], "time 4102444800")
                    page.open_menu()
                    self.assertEqual(page.checked(COMMAND_LOGGING), logging)

    def test_the_status_shown_is_the_one_application_main_returned(self):
        with browser() as page:
            page.open(page_url(page_path("page_input")))
            page.ctrl("q")
            page.wait_for("TavroPage.ended()")
            self.assertEqual(page.element("#tavro-status").text, "The program has ended with status 3.")
            # A program that makes no Display ends as cleanly.
            page.open(page_url(page_path("no_display")))
            page.wait_for("TavroPage.ended()")
            self.assertEqual(page.element("#tavro-status").text, "The program has ended with status 0.")
            # One that defines the names the package once kept at global scope links and runs as its own.
            page.open(page_url(page_path("own_names")))
            page.wait_for("TavroPage.ended()")
            self.assertEqual(page.element("#tavro-status").text, "The program has ended with status 0.")
            # One that throws an exception it does not catch ends with status 1, saying it failed.
            page.open(page_url(page_path("page_input")))
            page.type("x")
            page.wait_for("TavroPage.ended()")
            self.assertTrue(page.element("#tavro-status").text.startswith("The program has ended with status 1: it failed"),
                            page.element("#tavro-status").text)

    def test_a_program_that_never_waits_animates_and_quits_from_the_menu(self):
        with browser() as page:
            page.open(page_url(page_path("page_input")))
            page.type("b")
            page.wait_for("TavroPage.framesShown() > 10")
            page.choose("Quit")
            page.wait_for("TavroPage.ended()")
            self.assertEqual(page.element("#tavro-status").text, "The program has ended with status 0.")
            self.assertIn("TAVRO graphics package", page.element("#tavro-notices").text)


if __name__ == "__main__":
    if not BUILD or not SOURCE:
        sys.exit("page_test.py: set TAVRO_WEB_BUILD and TAVRO_SOURCE_DIR")
    unittest.main()
