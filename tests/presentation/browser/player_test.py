"""The browser player of an exported presentation, driven in headless
Chromium from file://: exports a training with marbelo-tool, opens NAME.html
and checks which slide is shown after each key.

usage: player_test.py MARBELO_TOOL BIN_DIR"""
import os
import shutil
import sys
import tempfile
import unittest

from selenium import webdriver
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import make_training  # noqa: E402
from chromium import headless_chromium  # noqa: E402

TOOL, BIN_DIR = sys.argv[1], sys.argv[2]
TITLE = 'Szkolenie <b>BHP</b> & „żółć”'


class PlayerTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="marbelo-player-")
        data = os.path.join(cls.work, "data")
        make_training.make(BIN_DIR, data, TITLE)
        cls.page = os.path.join(cls.work, "out", "Moje szkolenie.html")
        status = os.spawnv(os.P_WAIT, TOOL, [TOOL, "export", data, "0", cls.page[:-5] + ".pnn"])
        if status != 0:
            raise RuntimeError("marbelo-tool export failed: %d" % status)
        cls.driver = headless_chromium(cls.work, 800, 600)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        shutil.rmtree(cls.work, ignore_errors=True)

    def setUp(self):
        self.driver.get("file://" + self.page)
        self.wait_for_slide(1)

    def shown(self):
        """The numbers of the slide images a user can see."""
        return [int(img.get_attribute("data-slide"))
                for img in self.driver.find_elements(By.CSS_SELECTOR, "#stage img") if img.is_displayed()]

    def wait_for_slide(self, n):
        WebDriverWait(self.driver, 10).until(lambda d: self.shown() == [n])
        img = self.driver.find_element(By.CSS_SELECTOR, "#stage img.shown")
        # The picture itself is loaded, not just its element.
        WebDriverWait(self.driver, 10).until(
            lambda d: d.execute_script("return arguments[0].complete && arguments[0].naturalWidth > 0", img))
        self.assertEqual(self.driver.find_element(By.ID, "status").get_attribute("textContent"),
                         "Slajd %d z 7" % n)

    def keys(self, *keys):
        webdriver.ActionChains(self.driver).send_keys(*keys).perform()

    def test_title_and_slide_files(self):
        self.assertEqual(self.driver.title, TITLE)
        img = self.driver.find_element(By.CSS_SELECTOR, "#stage img.shown")
        self.assertTrue(img.get_attribute("src").endswith("/Moje%20szkolenie-slajdy/0001.jpg"))
        self.assertEqual(self.driver.find_element(By.ID, "status").get_attribute("aria-live"), "polite")

    def test_keys_move_between_slides_without_wrapping(self):
        steps = [((Keys.END,), 7), ((Keys.ARROW_RIGHT,), 7), ((Keys.HOME,), 1), ((Keys.ARROW_LEFT,), 1),
                 (("3", Keys.ENTER), 3), ((Keys.SPACE,), 4), ((Keys.PAGE_DOWN,), 5), ((Keys.BACKSPACE,), 4),
                 ((Keys.ARROW_UP,), 3), (("9", Keys.ENTER), 3), ((Keys.ENTER,), 4)]
        for keys, slide in steps:
            with self.subTest(keys=keys):
                self.keys(*keys)
                self.wait_for_slide(slide)

    def test_the_next_slide_is_loaded_ahead_and_hidden(self):
        self.keys("2", Keys.ENTER)
        self.wait_for_slide(2)
        WebDriverWait(self.driver, 10).until(lambda d: d.execute_script(
            "var i = document.querySelector('#stage img[data-slide=\"3\"]');"
            "return i !== null && i.complete && i.naturalWidth > 0"))
        self.assertEqual(self.shown(), [2])

    def test_black_and_white_screens_hide_the_slide_until_a_key(self):
        for key, colour in (("b", "rgb(0, 0, 0)"), (".", "rgb(0, 0, 0)"), ("w", "rgb(255, 255, 255)")):
            with self.subTest(key=key):
                self.keys(key)
                WebDriverWait(self.driver, 10).until(lambda d: self.shown() == [])
                blank = self.driver.find_element(By.ID, "blank")
                self.assertTrue(blank.is_displayed())
                self.assertEqual(blank.value_of_css_property("background-color").replace("rgba", "rgb")
                                 .replace(", 1)", ")"), colour)
                # Any key returns to the same slide and does nothing else.
                self.keys(Keys.ARROW_RIGHT)
                self.wait_for_slide(1)

    def test_help_overlay_in_polish(self):
        for key in ("h", Keys.F1, "?"):
            with self.subTest(key=key):
                self.keys(key)
                help = self.driver.find_element(By.ID, "help")
                WebDriverWait(self.driver, 10).until(lambda d: help.is_displayed())
                self.assertIn("Klawisze prezentacji", help.text)
                self.assertIn("Czarny ekran", help.text)
                self.keys("x")
                WebDriverWait(self.driver, 10).until(lambda d: not help.is_displayed())
                self.wait_for_slide(1)

    def test_click_goes_forward(self):
        self.driver.find_element(By.ID, "stage").click()
        self.wait_for_slide(2)


if __name__ == "__main__":
    unittest.main(argv=[sys.argv[0], "-v"])
