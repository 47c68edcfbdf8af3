# SPDX-FileCopyrightText: 2026 The launcher authors
# SPDX-License-Identifier: BSL-1.0
"""A headless Chromium driven by Selenium (Debian's chromium, chromium-driver
and python3-selenium), with its console and network logs kept, for the
HTML report's test and its screenshot."""

from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service

CHROMIUM = "/usr/bin/chromium"
DRIVER = "/usr/bin/chromedriver"


def headless_chromium(width=1280, height=900):
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-first-run", "--disable-extensions", f"--window-size={width},{height}"):
        options.add_argument(argument)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service(DRIVER), options=options)


def requested_urls(driver):
    """Every URL the page asked for since the last call, from the
    performance log (the DevTools Network events)."""
    import json
    urls = []
    for entry in driver.get_log("performance"):
        message = json.loads(entry["message"])["message"]
        if message.get("method") == "Network.requestWillBeSent":
            urls.append(message["params"]["request"]["url"])
    return urls


def scrolls_sideways(driver, width):
    """Whether the page body needs horizontal scrolling at `width` pixels."""
    driver.set_window_size(width, 900)
    inner = driver.execute_script("return window.innerWidth")
    scroll = driver.execute_script("return document.documentElement.scrollWidth")
    return scroll > inner


def screenshot(driver, page, path, width=1280):
    driver.set_window_size(width, 900)
    driver.get(Path(page).resolve().as_uri())
    height = driver.execute_script("return document.documentElement.scrollHeight")
    driver.set_window_size(width, min(height + 40, 4000))
    driver.save_screenshot(str(path))
