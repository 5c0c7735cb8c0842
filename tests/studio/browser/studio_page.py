"""The studio's page as a user meets it in headless Chromium (tests/web/browser.py's set-up)."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../web"))
from browser import browser  # noqa: E402,F401
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.keys import Keys  # noqa: E402

EDITOR = "document.querySelector('.CodeMirror').CodeMirror"
# A first build with em++ on a busy 2-core machine can take minutes.
BUILD_SECONDS = 400


def laptop_screen(page, width=1366, height=768):
    page.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})


def sign_in(page, address, name, one_time_password, own_password):
    """Signs in with a one-time password, which asks for one of the user's own first."""
    laptop_screen(page)
    page.driver.get(address)
    page.wait_for("!document.querySelector('#signin-view').hidden")
    page.element("#signin-form [name=name]").send_keys(name)
    page.element("#signin-form [name=password]").send_keys(one_time_password, Keys.ENTER)
    page.wait_for("document.querySelector('#password-dialog').open")
    for field, text in (("old", one_time_password), ("new", own_password), ("again", own_password)):
        page.element("#password-form [name=%s]" % field).send_keys(text)
    page.element("#password-form [type=submit]").click()
    page.wait_for("!document.querySelector('#password-dialog').open")


def wait_for_editor(page, condition="%s.getValue() !== ''"):
    page.wait_for("document.querySelector('.CodeMirror') && " + condition % EDITOR)


def wait_status(page, status, timeout=30):
    page.wait_for("document.querySelector('#save-status').textContent === %r" % status, timeout)


def editor_text(page):
    return page.js("return %s.getValue();" % EDITOR)


def type_in_editor(page, *keys):
    page.element(".CodeMirror textarea").send_keys(*keys)


def run_program(page):
    ActionChains(page.driver).key_down(Keys.CONTROL).send_keys(Keys.ENTER).key_up(Keys.CONTROL).perform()


def wait_for_program(page):
    """Waits until the frame's program has drawn and waits for an event; leaves WebDriver in the frame."""
    page.wait_for("!document.querySelector('#program-frame').hidden || "
                  "/^(Not run|It did not build)/.test(document.querySelector('#run-report').textContent)", BUILD_SECONDS)
    report = page.element("#run-report").text
    if report != "Running.":
        raise AssertionError("the program did not run: " + report)
    page.driver.switch_to.frame(page.element("#program-frame"))
    page.wait_for("window.TavroPage && TavroPage.started() && TavroPage.sleeping()")


def wait_for_diagnostics(page):
    page.wait_for("document.querySelector('.studio-diagnostic')", BUILD_SECONDS)


def first_diagnostic(page):
    """The first message's line and text, read in one call: the messages may be shown anew, their
    elements replaced, between two calls."""
    read = ("(function () { const box = document.querySelector('.studio-diagnostic');"
            " return box && [box.dataset.line, box.textContent]; })()")
    page.wait_for(read)
    return page.js("return " + read + ";")
