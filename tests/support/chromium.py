"""Headless Chromium through Debian's chromedriver, for the browser tests."""
import os

from selenium import webdriver


def headless_chromium(work, width, height):
    """A driver with its profile in the folder work, its window width x height."""
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for arg in ("--headless", "--no-sandbox", "--disable-gpu", "--no-first-run",
                "--disable-background-networking", "--disable-component-update", "--disable-sync",
                "--user-data-dir=" + os.path.join(work, "profile"), "--window-size=%d,%d" % (width, height)):
        options.add_argument(arg)
    service = webdriver.ChromeService(executable_path="/usr/bin/chromedriver") \
        if hasattr(webdriver, "ChromeService") else webdriver.chrome.service.Service("/usr/bin/chromedriver")
    return webdriver.Chrome(service=service, options=options)
