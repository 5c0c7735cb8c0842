"""Headless Chromium driven through ChromeDriver, for the page tests.

Chromium starts with a fresh profile and without its background network traffic,
which a closed network would refuse. Pages are opened from file://.
"""
import base64
import contextlib
import shutil
import tempfile
import time
import urllib.parse

from selenium import webdriver
from selenium.webdriver.chrome.options import Options
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"


@contextlib.contextmanager
def browser():
    profile = tempfile.mkdtemp(prefix="tavro-chromium-")
    options = Options()
    options.binary_location = CHROMIUM
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update", "--disable-sync",
                 "--disable-background-timer-throttling", "--disable-renderer-backgrounding",
                 "--window-size=1100,1000", "--user-data-dir=" + profile):
        options.add_argument(flag)
    driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
    try:
        yield Page(driver)
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


def page_url(path, **query):
    url = "file://" + urllib.parse.quote(path)
    return url + ("?" + urllib.parse.urlencode(query) if query else "")


class Page:
    """One program's page, seen as a user and a test see it."""

    def __init__(self, driver):
        self.driver = driver

    def open(self, url, timeout=20):
        self.driver.get(url)
        self.wait_for("TavroPage.started()", timeout)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait_for(self, condition, timeout=20):
        """Waits until the JavaScript condition holds; fails naming it after timeout seconds."""
        deadline = time.monotonic() + timeout
        while not self.js("return !!(" + condition + ");"):
            if time.monotonic() > deadline:
                raise AssertionError("the page never met: " + condition)
            time.sleep(0.05)

    def run_script(self, path, start_time, script, timeout=120, **query):
        """Opens the page of path with logging, plays script from start_time, quits when the
        script has ended (as the render entry's run does) and returns the transcript. query adds
        to the address (answers=, say)."""
        self.open(page_url(path, time=start_time, script=script, transcript=1, **query))
        self.wait_for("TavroPage.transcript().includes('EOF encountered in script file TAVRO.SCR')", timeout)
        self.ctrl("q")
        self.wait_for("TavroPage.ended()")
        return self.transcript()

    def halt(self):
        """Ctrl+H, then waits until the program sleeps: halted, with no periodic event left waiting."""
        self.ctrl("h")
        self.wait_for("TavroPage.sleeping()")

    def element(self, css):
        return self.driver.find_element(By.CSS_SELECTOR, css)

    def elements(self, css):
        return self.driver.find_elements(By.CSS_SELECTOR, css)

    def pixels(self):
        """The graphics area's 601 x 501 pixels as bytes, RGB per pixel, row by row."""
        encoded = self.js("""
            const canvas = document.getElementById('tavro-canvas');
            const rgba = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
            const rgb = new Uint8Array(canvas.width * canvas.height * 3);
            for (let i = 0, j = 0; i < rgba.length; i += 4, j += 3) {
                rgb[j] = rgba[i]; rgb[j + 1] = rgba[i + 1]; rgb[j + 2] = rgba[i + 2];
            }
            let text = '';
            for (let i = 0; i < rgb.length; i += 0x8000) {
                text += String.fromCharCode.apply(null, rgb.subarray(i, i + 0x8000));
            }
            return btoa(text);""")
        return base64.b64decode(encoded)

    def click_canvas(self, column, row):
        canvas = self.element("#tavro-canvas")
        size = canvas.size
        ActionChains(self.driver).move_to_element_with_offset(
            canvas, round(column + 0.5 - size["width"] / 2), round(row + 0.5 - size["height"] / 2)).click().perform()

    def ctrl(self, letter):
        ActionChains(self.driver).key_down(Keys.CONTROL).send_keys(letter).key_up(Keys.CONTROL).perform()

    def type(self, text):
        ActionChains(self.driver).send_keys(text).perform()

    def open_menu(self):
        if "open" not in self.element("#tavro-popup").get_attribute("class"):
            self.element("#tavro-menubar button.tavro-title").click()

    def close_menu(self):
        if "open" in self.element("#tavro-popup").get_attribute("class"):
            self.element("#tavro-menubar button.tavro-title").click()

    def choose(self, label):
        """Opens the Run menu and clicks the item whose label (mnemonic removed) is label."""
        self.open_menu()
        for item in self.elements("#tavro-popup .tavro-item"):
            if item.find_element(By.CSS_SELECTOR, "span").text == label:
                item.click()
                return
        raise AssertionError("no menu item " + label)

    def checked(self, command):
        return "checked" in self.element('#tavro-popup [data-command="%d"]' % command).get_attribute("class")

    def text_panel(self):
        return self.js("return [...document.querySelectorAll('#tavro-text div')].map(row => row.textContent);")

    def transcript(self):
        return self.js("return TavroPage.transcript();")

    def periodic_events(self):
        return self.js("return TavroPage.periodicEvents();")

    def timer_ticks(self):
        return self.js("return TavroPage.timerTicks();")
