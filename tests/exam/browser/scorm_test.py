"""The e-learning package of a training (SCORM 1.2): written by marbelo-tool,
read back with Python's zipfile and xmllint, then played in headless Chromium
under scorm-again, an LMS-side SCORM 1.2 runtime, served with the package
from a local HTTP server that logs every request.

usage: scorm_test.py MARBELO_TOOL BIN_DIR NODE_MODULES"""
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import unittest
import zipfile

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "support"))
import scorm_training  # noqa: E402
from chromium import headless_chromium  # noqa: E402
from scorm_training import SLIDES, TOC  # noqa: E402

TOOL, BIN_DIR, NODE_MODULES = sys.argv[1], sys.argv[2], sys.argv[3]
TITLE = "Szkolenie okresowe „żółć” <i>BHP</i> & co"
QUESTIONS = 4
HARNESS = """<!DOCTYPE html><html><head><meta charset="utf-8"><title>LMS</title>
<script src="scorm12.js"></script></head><body style="margin:0">
<script>
var runtime = new Scorm12API({ logLevel: 5, autocommit: false });
// A fresh learner, or the one who left before (the record the runtime kept).
if (location.search === "?fresh") sessionStorage.clear();
var saved = sessionStorage.getItem("cmi");
if (saved) runtime.loadFromJSON(JSON.parse(saved), "");
var calls = [];
// The SCO finds this object; every call is logged and passed on.
window.API = {};
["LMSInitialize", "LMSFinish", "LMSGetValue", "LMSSetValue", "LMSCommit", "LMSGetLastError",
 "LMSGetErrorString", "LMSGetDiagnostic"].forEach(function (name) {
  window.API[name] = function (a, b) {
    var result = runtime[name].apply(runtime, arguments);
    calls.push([name, a === undefined ? null : String(a), b === undefined ? null : String(b), String(result)]);
    if (name === "LMSFinish")
      sessionStorage.setItem("cmi", JSON.stringify(runtime.renderCMIToJSONObject()));
    return result;
  };
});
</script>
<iframe id="sco" src="pkg/index.html" style="border:0;width:100vw;height:100vh"></iframe>
</body></html>"""


class Handler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass

    def do_GET(self):
        self.server.requests.append(self.path)
        super().do_GET()


class ScormTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.work = tempfile.mkdtemp(prefix="marbelo-scorm-")
        data = os.path.join(cls.work, "data")
        scorm_training.make(TOOL, BIN_DIR, data, TITLE)
        cls.package = os.path.join(cls.work, "pakiet.zip")
        done = subprocess.run([TOOL, "scorm", data, "0", cls.package, "--questions", str(QUESTIONS),
                               "--pass-mark", "75"], check=True, capture_output=True, text=True)
        cls.printed = done.stdout.split()
        cls.root = os.path.join(cls.work, "site")
        os.makedirs(cls.root)
        with zipfile.ZipFile(cls.package) as z:
            z.extractall(os.path.join(cls.root, "pkg"))
        shutil.copy(os.path.join(NODE_MODULES, "scorm-again", "dist", "scorm12.js"), cls.root)
        with open(os.path.join(cls.root, "lms.html"), "w", encoding="utf-8") as f:
            f.write(HARNESS)
        cls.server = http.server.ThreadingHTTPServer(
            ("127.0.0.1", 0), functools.partial(Handler, directory=cls.root))
        cls.server.requests = []
        threading.Thread(target=cls.server.serve_forever, daemon=True).start()
        cls.base = "http://127.0.0.1:%d/" % cls.server.server_address[1]

        cls.driver = headless_chromium(cls.work, 1000, 700)

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.server.shutdown()
        shutil.rmtree(cls.work, ignore_errors=True)

    # --- the package as files -------------------------------------------------

    def xpath(self, manifest, expression):
        return subprocess.run(["xmllint", "--xpath", expression, manifest], check=True, capture_output=True,
                              text=True).stdout.strip()

    def test_zip_and_manifest(self):
        with zipfile.ZipFile(self.package) as z:
            self.assertIsNone(z.testzip())
            names = set(z.namelist())
            slide_bytes = sum(i.file_size for i in z.infolist() if i.filename.startswith("slajdy/"))
        manifest = os.path.join(self.root, "pkg", "imsmanifest.xml")
        subprocess.run(["xmllint", "--noout", manifest], check=True)
        ns = "/*[local-name()='manifest']"
        self.assertEqual(self.xpath(manifest, "string(%s/*[local-name()='metadata']/*[local-name()='schema'])" % ns),
                         "ADL SCORM")
        self.assertEqual(
            self.xpath(manifest, "string(%s/*[local-name()='metadata']/*[local-name()='schemaversion'])" % ns), "1.2")
        hrefs = self.xpath(manifest, "//@href").split()
        hrefs = [h.split("=", 1)[1].strip('"') for h in hrefs]
        self.assertEqual(set(hrefs), names - {"imsmanifest.xml"})
        self.assertEqual(len([n for n in names if n.startswith("slajdy/")]), SLIDES)
        # Each reference names an element of the manifest.
        self.assertEqual(self.xpath(manifest, "string(//@identifierref)"),
                         self.xpath(manifest, "string(//*[local-name()='resource']/@identifier)"))
        self.assertEqual(self.xpath(manifest, "string(//*[local-name()='organizations']/@default)"),
                         self.xpath(manifest, "string(//*[local-name()='organization']/@identifier)"))
        self.assertEqual(self.xpath(manifest, "string(//*[local-name()='resource']/@*[local-name()='scormtype'])"),
                         "sco")
        self.assertEqual(self.xpath(manifest, "string(//*[local-name()='organization']/*[local-name()='title'])"),
                         TITLE)
        # About the size of the slides.
        size = os.path.getsize(self.package)
        self.assertLess(size, slide_bytes + 40000)
        self.assertEqual(self.printed[self.printed.index("slide-bytes") + 1], str(slide_bytes))

    # --- the package played ------------------------------------------------------

    def start(self, fresh):
        self.server.requests.clear()
        self.driver.get(self.base + "lms.html" + ("?fresh" if fresh else ""))
        self.driver.switch_to.frame("sco")
        WebDriverWait(self.driver, 10).until(lambda d: d.find_elements(By.CSS_SELECTOR, "#toc button"))

    def calls(self):
        self.driver.switch_to.default_content()
        calls = self.driver.execute_script("return calls")
        self.driver.switch_to.frame("sco")
        return calls

    def leave(self):
        """Leaves the package as a learner closing it does; the calls it made."""
        self.driver.switch_to.default_content()
        self.driver.execute_script("document.getElementById('sco').src = 'about:blank'")
        WebDriverWait(self.driver, 10).until(
            lambda d: any(c[0] == "LMSFinish" for c in d.execute_script("return calls")))
        return self.driver.execute_script("return calls")

    def status(self):
        return self.driver.find_element(By.ID, "status").get_attribute("textContent")

    def next_slides(self, n):
        """Clicks on the slide, which goes to the next one."""
        for _ in range(n):
            self.driver.find_element(By.ID, "stage").click()

    def answer(self, right):
        """Answers every question, rightly or not, from the package's own data."""
        self.driver.find_element(By.ID, "show-test").click()
        questions = self.driver.execute_script("return document.querySelectorAll('#test fieldset').length")
        self.assertEqual(questions, QUESTIONS)
        key = self.driver.execute_script(
            "var s = document.querySelectorAll('script'); return s[s.length - 1].textContent")
        data = json.loads(key[key.index("var course = ") + 13:key.index(";\n", key.index("var course = "))])
        for n, q in enumerate(data["questions"]):
            choice = q["right"] if right else (q["right"] + 1) % len(q["answers"])
            self.driver.find_element(By.CSS_SELECTOR, "input[name=q%d][value='%d']" % (n, choice)).click()
        self.driver.find_element(By.CSS_SELECTOR, "#test button[type=submit]").click()
        return self.driver.find_element(By.ID, "result").text

    @staticmethod
    def conversation(calls):
        """The calls that change the record, in order; reads and error checks left out."""
        kept = []
        for name, a, b, result in calls:
            if name in ("LMSInitialize", "LMSCommit", "LMSFinish"):
                kept.append((name, result))
            elif name == "LMSSetValue" and a not in ("cmi.suspend_data", "cmi.core.session_time"):
                kept.append((a, b))
        return kept

    def assert_runtime_kept(self, calls):
        names = [c[0] for c in calls]
        self.assertEqual(names[0], "LMSInitialize")
        self.assertEqual(names[-2:], ["LMSFinish", "LMSGetLastError"])
        for i, (name, a, b, result) in enumerate(calls):
            if name in ("LMSInitialize", "LMSSetValue", "LMSCommit", "LMSFinish"):
                self.assertEqual(result, "true", calls[i])
                self.assertEqual(calls[i + 1][0], "LMSGetLastError")
                self.assertEqual(calls[i + 1][3], "0", calls[i])
        times = [c[2] for c in calls if c[0] == "LMSSetValue" and c[1] == "cmi.core.session_time"]
        self.assertEqual(len(times), 1)
        self.assertRegex(times[0], r"^\d{4}:\d\d:\d\d\.\d\d$")

    def assert_inside_package(self):
        outside = [r for r in self.server.requests
                   if not r.startswith("/pkg/") and r not in ("/lms.html", "/lms.html?fresh", "/scorm12.js", "/favicon.ico")]
        self.assertEqual(outside, [])
        urls = self.driver.execute_script("return performance.getEntriesByType('resource').map(e => e.name)")
        self.assertTrue(urls)
        for url in urls:
            self.assertTrue(url.startswith(self.base + "pkg/"), url)

    def test_every_slide_then_passed(self):
        self.start(fresh=True)
        self.assertEqual([(b.text, int(b.get_attribute("data-slide"))) for b in
                          self.driver.find_elements(By.CSS_SELECTOR, "#toc button")], TOC)
        self.next_slides(SLIDES - 1)
        WebDriverWait(self.driver, 10).until(lambda d: self.status() == "Slajd %d z %d" % (SLIDES, SLIDES))
        self.assertIn("Test zaliczony", self.answer(right=True))
        self.assert_inside_package()
        calls = self.leave()
        self.assert_runtime_kept(calls)
        expected = [("LMSInitialize", "true"), ("cmi.core.lesson_status", "incomplete"), ("LMSCommit", "true")]
        expected += [("cmi.core.lesson_location", str(n)) for n in range(1, SLIDES + 1)]
        expected += [("cmi.core.lesson_status", "completed"), ("LMSCommit", "true"),
                     ("cmi.core.score.min", "0"), ("cmi.core.score.max", "100"), ("cmi.core.score.raw", "100"),
                     ("cmi.core.lesson_status", "passed"), ("LMSCommit", "true"),
                     ("cmi.core.exit", ""), ("LMSCommit", "true"), ("LMSFinish", "true")]
        self.assertEqual(self.conversation(calls), expected)

    def test_programme_with_its_hours(self):
        self.start(fresh=True)
        self.driver.find_element(By.ID, "show-programme").click()
        rows = [[td.text for td in tr.find_elements(By.CSS_SELECTOR, "td, th")]
                for tr in self.driver.find_elements(By.CSS_SELECTOR, "#panel tr")[1:]]
        # The fixture's hours: 2 for the first chapter, 1 + 1 for the second.
        self.assertEqual(rows[:-1], [["1.", "Ocena ryzyka zawodowego", "2"], ["2.", "Pierwsza pomoc", "2"],
                                     ["2.1", "Organizacja", ""]])
        self.assertEqual(rows[-1][-1], "4")  # the total

    def test_failed_test_is_failed(self):
        self.start(fresh=True)
        self.assertIn("Test niezaliczony", self.answer(right=False))
        calls = self.leave()
        self.assert_runtime_kept(calls)
        self.assertEqual(self.conversation(calls)[-8:],
                         [("cmi.core.score.min", "0"), ("cmi.core.score.max", "100"), ("cmi.core.score.raw", "0"),
                          ("cmi.core.lesson_status", "failed"), ("LMSCommit", "true"),
                          ("cmi.core.exit", ""), ("LMSCommit", "true"), ("LMSFinish", "true")])

    def test_left_in_the_middle_resumes_there(self):
        self.start(fresh=True)
        self.driver.find_elements(By.CSS_SELECTOR, "#toc button")[1].click()
        WebDriverWait(self.driver, 10).until(lambda d: self.status() == "Slajd 4 z 5")
        first = self.conversation(self.leave())
        self.assertEqual(first[-4:], [("cmi.core.lesson_location", "4"), ("cmi.core.exit", "suspend"),
                                      ("LMSCommit", "true"), ("LMSFinish", "true")])
        self.start(fresh=False)
        WebDriverWait(self.driver, 10).until(lambda d: self.status() == "Slajd 4 z 5")
        reads = {c[1]: c[3] for c in self.calls() if c[0] == "LMSGetValue"}
        self.assertEqual(reads["cmi.core.lesson_location"], "4")
        self.assertEqual(reads["cmi.core.lesson_status"], "incomplete")
        # Slides 2, 3 and 5 were not seen: seeing them completes the lesson.
        self.driver.find_elements(By.CSS_SELECTOR, "#toc button")[0].click()
        self.next_slides(3)
        WebDriverWait(self.driver, 10).until(lambda d: self.status() == "Slajd 5 z 5")
        second = self.conversation(self.leave())
        self.assertNotIn(("cmi.core.lesson_status", "incomplete"), second)
        self.assertEqual(second[-5:], [("cmi.core.lesson_status", "completed"), ("LMSCommit", "true"),
                                       ("cmi.core.exit", ""), ("LMSCommit", "true"), ("LMSFinish", "true")])

    def answer_orders(self):
        return self.driver.execute_script(
            "return Array.from(document.querySelectorAll('#test input')).map(i => i.name + i.value).join()")

    def test_from_the_disk_plays_and_says_nothing_is_sent(self):
        self.driver.get("file://" + os.path.join(self.root, "pkg", "index.html"))
        self.assertIn("nie są nigdzie wysyłane", self.driver.find_element(By.ID, "platform").text)
        self.assertIn("Wynik nie jest nigdzie wysyłany", self.answer(right=True))
        self.assertEqual(self.driver.title, TITLE)
        # Each attempt shuffles the answers anew: three attempts all in one
        # order would come by chance less than once in 10^8 runs.
        orders = set()
        for _ in range(3):
            self.driver.find_element(By.ID, "show-test").click()
            orders.add(self.answer_orders())
        self.assertGreater(len(orders), 1)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
