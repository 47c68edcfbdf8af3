"""launcher-check --format html in a real browser: Debian's headless
Chromium through Selenium. The page's matrix must say what the JSON reports
of the same tree say, for each family; a tree full of markup must show it as
text and run nothing; nothing may be fetched; and the page must fit 1280 and
400 pixels without sideways scrolling."""

import json
import re
import subprocess
import unittest

from selenium.common.exceptions import NoAlertPresentException
from selenium.webdriver.common.by import By

from launcher_tools import REPO, example_trees
from launcher_tools.browser import headless_chromium, requested_urls, screenshot, scrolls_sideways
from test_cli import CHECKER, SCRATCH, make_reference_tree, program, reference_trees, tree_with

FAMILIES = ["9x", "nt32", "nt64"]
SCRIPT = b"<script>alert(1)</script>"
ATTRIBUTE = b'"><img src=x onerror=alert(1)>'


def hostile_tree():
    """Markup and references in values, key names and file names."""
    profile = (b"[95]\r\nENGLISH=D:\\p\\setup.exe\r\nENGLISH_STARTUP=" + SCRIPT + b"\r\n"
               b"GERMAN=D:\\p\\" + ATTRIBUTE + b".exe\r\nGERMAN_STARTUP=&amp;\r\n"
               b"FRENCH=D:\\p\\&amp;.exe\r\n" + SCRIPT + b"=1\r\n")
    return tree_with(profile, [("p/setup.exe", program()), ("p/" + ATTRIBUTE.decode() + ".exe", program())])


def squeezed(text):
    return re.sub(r"\s+", " ", text).strip()


class HtmlReport(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.browser = headless_chromium()

    @classmethod
    def tearDownClass(cls):
        cls.browser.quit()

    def page(self, tree, name):
        """The page and the JSON report of each family, from the same tree."""
        html = SCRATCH / f"{name}.html"
        done = subprocess.run([str(CHECKER), "--format", "html", str(tree)], capture_output=True, timeout=120)
        self.assertIn(done.returncode, (0, 1), done.stderr)
        html.write_bytes(done.stdout)
        reports = {}
        for family in FAMILIES:
            done = subprocess.run([str(CHECKER), "--json", "--windows", family, str(tree)],
                                  capture_output=True, timeout=120)
            reports[family] = json.loads(done.stdout)
        requested_urls(self.browser)  # forget what came before
        self.browser.get(html.as_uri())
        return html, reports

    def assert_matrix_is(self, reports):
        rows = self.browser.find_elements(By.CSS_SELECTOR, "#matrix tr")[1:]
        expected_rows = len(reports["nt64"]["languages"]) + (1 if reports["nt64"]["unmatched_locale"] else 0)
        self.assertEqual(len(rows), expected_rows)
        for i, row in enumerate(rows):
            cells = row.find_elements(By.TAG_NAME, "td")
            self.assertEqual(len(cells), len(FAMILIES))
            for family, cell in zip(FAMILIES, cells):
                languages = reports[family]["languages"]
                launch = languages[i] if i < len(languages) else reports[family]["unmatched_locale"]
                where = f"row {i} ({launch['locale']}) on {family}"
                self.assertEqual(cell.get_attribute("class"), launch["outcome"], where)
                self.assertEqual(squeezed(cell.find_element(By.CLASS_NAME, "does").text),
                                 squeezed(launch["does"]), where)
                self.assertEqual(cell.find_element(By.CLASS_NAME, "exit").text,
                                 f"exit {launch['exit_status']}", where)
                shown = cell.find_elements(By.TAG_NAME, "summary")
                self.assertEqual(shown[0].text.split()[0] if shown else "0", str(len(launch["findings"])), where)

    def test_the_matrix_is_the_json_reports(self):
        for name, (profile, files, _) in reference_trees().items():
            with self.subTest(tree=name):
                make_reference_tree(name, profile, files)
                self.assert_matrix_is(self.page(SCRATCH / name, name)[1])

    def test_markup_from_the_tree_is_text_and_nothing_runs_or_loads(self):
        html, reports = self.page(hostile_tree(), "hostile")
        self.assert_matrix_is(reports)
        self.assertEqual(self.browser.execute_script("return document.scripts.length"), 0)
        self.assertEqual(self.browser.execute_script("return document.images.length"), 0)
        self.assertEqual(self.browser.execute_script("return document.querySelectorAll('[onerror]').length"), 0)
        with self.assertRaises(NoAlertPresentException):
            self.browser.switch_to.alert.text
        body = self.browser.find_element(By.TAG_NAME, "body").text
        for text in [SCRIPT.decode(), ATTRIBUTE.decode(), "&amp;"]:
            self.assertIn(text, body)
        self.assertEqual(requested_urls(self.browser), [html.as_uri()])
        self.assertEqual(self.browser.get_log("browser"), [])

    def test_fits_the_window_without_sideways_scrolling(self):
        deep = "q/" + "d" * 120
        tree = tree_with(b"[95]\r\nENGLISH=D:\\" + deep.replace("/", "\\").encode() + b"\\setup.exe\r\n"
                         b"GERMAN=D:\\" + b"x" * 200 + b".exe\r\n", [(deep + "/setup.exe", program())])
        for name, root in [("long paths", tree), ("hostile", hostile_tree())]:
            self.page(root, name.replace(" ", "-"))
            for width in (1280, 400):
                with self.subTest(tree=name, width=width):
                    self.assertFalse(scrolls_sideways(self.browser, width))

    def test_a_picture_of_the_example_trees_page(self):
        """Kept in build/ as the suite's record of the page."""
        tree = SCRATCH / "cd-mistakes"
        example_trees.stage("cd-mistakes", tree, REPO / "build/win32/tests/e2e/stand_in.exe")
        html, reports = self.page(tree, "example")
        self.assert_matrix_is(reports)
        picture = REPO / "build/html-report/cd-mistakes.png"
        picture.parent.mkdir(parents=True, exist_ok=True)
        screenshot(self.browser, html, picture)
        self.assertGreater(picture.stat().st_size, 10000)


if __name__ == "__main__":
    unittest.main(verbosity=2)
