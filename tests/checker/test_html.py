# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""launcher-check --format html in a real browser: Debian's headless
Chromium through Selenium. The page's matrix must say what the JSON report
of the same tree says, for each release; a tree full of markup must show it as
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
from checker_support import CHECKER, SCRATCH, make_reference_tree, program, reference_trees, tree_with

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
        """The page and the JSON report of the same tree."""
        html = SCRATCH / f"{name}.html"
        done = subprocess.run([str(CHECKER), "--format", "html", str(tree)], capture_output=True, timeout=120)
        self.assertIn(done.returncode, (0, 1), done.stderr)
        html.write_bytes(done.stdout)
        done = subprocess.run([str(CHECKER), "--json", str(tree)], capture_output=True, timeout=120)
        report = json.loads(done.stdout)
        requested_urls(self.browser)  # forget what came before
        self.browser.get(html.as_uri())
        return html, report

    def assert_matrix_is(self, report):
        """Each column holds releases that agree, in order, every release
        once; each cell is their outcome and exit status, and in the
        predicted release's column also the sentence and the findings."""
        heads = [squeezed(th.text) for th in self.browser.find_elements(By.CSS_SELECTOR, "#matrix tr:first-child th")]
        columns = [head.removesuffix(" (predicted)") for head in heads[1:]]
        releases = report["releases"]
        in_column = [[name for name, r in releases.items() if r["column"] == label] for label in columns]
        self.assertEqual([name for names in in_column for name in names], list(releases))
        predicted = [head.endswith(" (predicted)") for head in heads[1:]]
        self.assertEqual(predicted, [report["release"] in names for names in in_column])
        rows = self.browser.find_elements(By.CSS_SELECTOR, "#matrix tr")[1:]
        launches = report["languages"] + ([report["unmatched_locale"]] if report["unmatched_locale"] else [])
        self.assertEqual(len(rows), len(launches))
        for launch, row in zip(launches, rows):
            cells = row.find_elements(By.TAG_NAME, "td")
            self.assertEqual(len(cells), len(columns))
            for names, cell in zip(in_column, cells):
                where = f"{launch['locale']} on {', '.join(names)}"
                outcomes = {(releases[n]["outcome"][launch["locale"]], releases[n]["exit_status"][launch["locale"]])
                            for n in names}
                self.assertEqual(len(outcomes), 1, where)
                outcome, exit_status = outcomes.pop()
                self.assertEqual(cell.get_attribute("class"), outcome, where)
                shown_exit = "?" if exit_status is None else exit_status
                self.assertEqual(cell.find_element(By.CLASS_NAME, "exit").text, f"exit {shown_exit}", where)
                shown = cell.find_elements(By.TAG_NAME, "summary")
                if report["release"] not in names:
                    self.assertEqual(shown, [], where)
                    continue
                self.assertEqual((outcome, exit_status), (launch["outcome"], launch["exit_status"]), where)
                self.assertEqual(squeezed(cell.find_element(By.CLASS_NAME, "does").text),
                                 squeezed(launch["does"]), where)
                self.assertEqual(shown[0].text.split()[0] if shown else "0", str(len(launch["findings"])), where)

    def test_the_matrix_is_the_json_reports(self):
        for name, (profile, files, _) in reference_trees().items():
            with self.subTest(tree=name):
                make_reference_tree(name, profile, files)
                self.assert_matrix_is(self.page(SCRATCH / name, name)[1])

    def test_markup_from_the_tree_is_text_and_nothing_runs_or_loads(self):
        html, report = self.page(hostile_tree(), "hostile")
        self.assert_matrix_is(report)
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
        html, report = self.page(tree, "example")
        self.assert_matrix_is(report)
        picture = REPO / "build/html-report/cd-mistakes.png"
        picture.parent.mkdir(parents=True, exist_ok=True)
        screenshot(self.browser, html, picture)
        self.assertGreater(picture.stat().st_size, 10000)


if __name__ == "__main__":
    unittest.main(verbosity=2)
