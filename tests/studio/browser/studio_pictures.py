"""Takes docs/studio-*.png: the studio at a laptop's size in headless Chromium, against a real
tavro-studio with a class of three.

Usage: TAVRO_STUDIO=PROGRAM TAVRO_STUDIO_PACKAGE_PREFIX=PREFIX studio_pictures.py DOCS_FOLDER
"""
import os
import sys

from studio_page import (Keys, browser, laptop_screen, run_program, sign_in, type_in_editor,
                         wait_for_diagnostics, wait_for_editor, wait_for_program, wait_status)
from studio_server import Studio


def main(folder):
    studio = Studio()
    try:
        studio.start()
        with browser() as page:
            sign_in(page, studio.address, "teacher", studio.add_teacher("teacher"), "the teacher's own")
            page.wait_for("!document.querySelector('#teacher-view').hidden")
            page.element("#new-class-form [name=name]").send_keys("7B", Keys.ENTER)
            page.wait_for("!document.querySelector('#class-panel').hidden")
            page.element("#students-form textarea").send_keys("anna\nben\ncarla")
            page.element("#students-form [type=submit]").click()
            page.wait_for("document.querySelectorAll('#sheet-rows tr').length === 3")
            passwords = dict(page.js("return [...document.querySelectorAll('#sheet-rows tr')]"
                                     ".map(row => [row.cells[0].textContent, row.cells[1].textContent]);"))
            page.driver.save_screenshot(os.path.join(folder, "studio-class.png"))
        with browser() as page:
            sign_in(page, studio.address, "anna", passwords["anna"], "anna's own password")
            wait_for_editor(page)
            page.element("#example-form select").send_keys("first_picture")
            page.element("#example-form [type=submit]").click()
            wait_for_editor(page, "%s.getValue().includes('My first TAVRO picture')")
            wait_status(page, "Saved")
            run_program(page)
            wait_for_program(page)
            page.driver.switch_to.default_content()
            page.driver.save_screenshot(os.path.join(folder, "studio-editor.png"))
            type_in_editor(page, Keys.CONTROL, Keys.HOME)
            type_in_editor(page, Keys.DOWN, Keys.DOWN, Keys.DOWN, Keys.END, Keys.ENTER, "int answer = \"forty-two\";")
            run_program(page)
            wait_for_diagnostics(page)
            page.driver.save_screenshot(os.path.join(folder, "studio-error.png"))
            laptop_screen(page, 1024, 768)
            page.driver.save_screenshot(os.path.join(folder, "studio-tablet.png"))
    finally:
        studio.close()


if __name__ == "__main__":
    main(sys.argv[1])
