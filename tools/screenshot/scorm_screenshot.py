"""The picture of the e-learning package playing: the sample training of the
package's browser test written with marbelo-tool scorm, opened from the disk
in headless Chromium with its table of contents and a slide, saved as PNG.

usage: scorm_screenshot.py MARBELO_TOOL BIN_DIR OUT.png"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

from selenium import webdriver
import selenium.webdriver.chrome.service  # noqa: F401
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "exam", "browser"))
import scorm_training  # noqa: E402

TOOL, BIN_DIR, OUT = sys.argv[1], sys.argv[2], sys.argv[3]

work = tempfile.mkdtemp(prefix="marbelo-scorm-picture-")
try:
    data = os.path.join(work, "data")
    scorm_training.make(TOOL, BIN_DIR, data, "Szkolenie okresowe BHP – pracownicy administracyjno-biurowi")
    package = os.path.join(work, "pakiet.zip")
    subprocess.run([TOOL, "scorm", data, "0", package, "--questions", "4"], check=True, stdout=subprocess.DEVNULL)
    with zipfile.ZipFile(package) as z:
        z.extractall(os.path.join(work, "pkg"))
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run", "--hide-scrollbars",
                "--disable-background-networking", "--user-data-dir=" + os.path.join(work, "profile"),
                "--window-size=1100,560"):
        options.add_argument(arg)
    service = webdriver.chrome.service.Service("/usr/bin/chromedriver")
    driver = webdriver.Chrome(service=service, options=options)
    try:
        # The page's own size, whatever the headless window's frame takes.
        driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                               {"width": 1100, "height": 560, "deviceScaleFactor": 1, "mobile": False})
        driver.get("file://" + os.path.join(work, "pkg", "index.html"))
        driver.find_elements(By.CSS_SELECTOR, "#toc button")[1].click()
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            "var i = document.querySelector('#stage img.shown'); return i && i.complete && i.naturalWidth > 0"))
        driver.save_screenshot(OUT)
    finally:
        driver.quit()
finally:
    shutil.rmtree(work, ignore_errors=True)
