"""What the Orca walks share: a desktop session with Orca speaking, keys sent
as a user presses them, and the words each key should bring, waited for in
Orca's speech log.

Runs inside a private D-Bus session on an X display of its own (run.sh sets
both up): starts a window manager, Orca speaking through speech-dispatcher
and espeak-ng with its speech written to a log line by line, then the
program the walk is about; sends each key with xdotool.
"""
import os
import re
import shutil
import subprocess
import sys
import time

TIMEOUT = float(os.environ.get("LAMINO_ORCA_TIMEOUT", "10"))


class Speech:
    """Orca's speech, read from its log as it is written."""

    # The utterance, then the voice Orca gives it (a dict, or a list of them).
    SPOKEN = re.compile(r"SPEECH OUTPUT: '(.*?)'(?: voice=\S+)?\s*(?:\{|\[|$)")

    def __init__(self, path):
        self.path = path
        self.lines = []
        self._offset = 0
        self._partial = ""

    def read(self):
        try:
            with open(self.path, encoding="utf-8", errors="replace") as log:
                log.seek(self._offset)
                chunk = log.read()
                self._offset = log.tell()
        except FileNotFoundError:
            return
        chunk = self._partial + chunk
        *complete, self._partial = chunk.split("\n")
        for line in complete:
            match = self.SPOKEN.search(line)
            if match:
                self.lines.append(match.group(1))

    def wait_for(self, pattern, since, seconds=TIMEOUT):
        """The index of the first utterance at or after `since` matching
        `pattern`, once Orca has spoken it; None when it has not in time."""
        wanted = re.compile(pattern)
        deadline = time.monotonic() + seconds
        while True:
            self.read()
            for index in range(since, len(self.lines)):
                if wanted.search(self.lines[index]):
                    return index
            if time.monotonic() > deadline:
                return None
            time.sleep(0.05)


def wait_until(condition, seconds, what):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            sys.exit("orca: %s did not happen within %g s" % (what, seconds))
        time.sleep(0.05)


def has_window_manager():
    probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True, text=True)
    return "window id" in probe.stdout


def start_speech_dispatcher():
    """speech-dispatcher with espeak-ng, its sound going nowhere (libao's
    null device needs no sound card), run here rather than spawned by Orca,
    so that it ends with the walk."""
    config = os.path.join(os.environ["XDG_CONFIG_HOME"], "speech-dispatcher")
    os.makedirs(config, exist_ok=True)
    with open(os.path.join(config, "speechd.conf"), "w") as conf:
        conf.write('AudioOutputMethod "libao"\n'
                   'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n'
                   'DefaultModule espeak-ng\n')
    with open(os.path.join(os.environ["HOME"], ".libao"), "w") as ao:
        ao.write("default_driver=null\n")
    server = subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "120"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    socket = os.path.join(os.environ["XDG_RUNTIME_DIR"], "speech-dispatcher", "speechd.sock")
    wait_until(lambda: os.path.exists(socket), 20, "speech-dispatcher's start")
    return server


# Orca, its debug output going to a log written line by line (Orca opens its
# --debug-file with full buffering, so the lines would come late).
ORCA = """
import runpy, sys
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open(sys.argv[1], "w", buffering=1, encoding="utf-8")
sys.argv = ["orca", "--replace"]
runpy.run_path("/usr/bin/orca", run_name="__main__")
"""


def orca_version():
    """Orca's major version: 43 on Debian 12, 48 on Debian 13."""
    found = re.search(r"\d+", subprocess.run(["orca", "--version"], capture_output=True, text=True).stdout)
    return int(found.group()) if found else 0


def key(name):
    subprocess.run(["xdotool", "key", "--delay", "0", name], check=True)


# Orca's words for a checked radio button differ between its versions
# ("selected", "checked"); an unchecked one adds "not".
CHECKED = r"^(?!.*\bnot\b).*\b(selected|checked)\b"


def said(text):
    return re.escape(text)


# The converter's fields in tab order: each with its label, and the group
# it opens where it is the first of one.
CONVERTER = [
    ("m(米)", "长度"), ("cm(厘米)", None), ("mm(毫米)", None), ("μm(微米)", None), ('μ"(微英寸)', None),
    ("mil(密耳)", None), ("inch(英寸)", None),
    ("kg(千克)", "质量"), ("g(克)", None), ("oz(盎司)", None),
    ("oz(盎司)", "铜箔厚度计算"), ("mil(密耳)", None), ("μm(微米)", None),
    ("mm^2(平方毫米)", "铜箔面积"), ("inch^2(平方英寸))", None), ("m^2(平方米)", None), ("foot^2(平方英尺)", None),
]


def first_pass(walk, page_named=True, after=None):
    """The first Tab pass through the empty converter: every field by its
    label, each group as the focus enters it, and the page as the first
    field takes the focus (not in the browser, where the focus comes from
    the tab that names the page, and Orca does not say a name twice);
    after(walk, label) runs at each field."""
    for n, (label, group) in enumerate(CONVERTER):
        patterns = ([said("单位换算")] if n == 0 and page_named else []) + ([said(group)] if group else []) + [said(label)]
        walk.press("Tab", *patterns, what="first pass, " + label)
        if after:
            after(walk, label)


def vcut_units(walk, next_page):
    """The next page from a field: the page, its group and its first tab
    stop, the checked unit button; the arrow keys move the check, and the
    fields follow the unit. Ends on the result C, described as one."""
    walk.press(next_page, said("V-CUT削铜"), said("计算区域"), r"\bmm\b", CHECKED, what="page after " + next_page)
    walk.press("Down", r"\bmil\b", CHECKED, what="arrow key to mil")
    walk.press("Tab", said("A值"), what="from mil to A")
    walk.press("Tab", said("B值"), said("15.74"), what="B, converted to mil")
    # Orca 48, still busy with the results told when the key comes, may
    # present the field's selected text ahead of its focus and then not the
    # focus: the walk lets it finish first.
    walk.settle()
    walk.press("shift+Tab", said("A值"), what="back to A")
    walk.press("shift+Tab", r"\bmil\b", CHECKED, what="back to the checked unit")
    walk.press("Up", r"\bmm\b", CHECKED, what="arrow key to mm")
    walk.press("Tab", said("A值"), what="to A again")
    walk.press("Tab", said("B值"), said("0.40"), what="B, back in mm")
    walk.press("Tab", said("D值"), what="to D")
    walk.press("Tab", said("F值"), what="to F")
    walk.press("Tab", said("C值"), said("计算结果"), what="the result C, described")


class Walk:
    def __init__(self, speech):
        self.speech = speech
        self.transcript = []
        self.failures = []

    def press(self, keys, *expect, what=None):
        """Presses keys (xdotool names, space separated) and waits until
        Orca has said each of the `expect` patterns, in this order (Orca 43
        speaks "mm." and "selected radio button" apart, Orca 48 as one).
        Gives the index of the utterance that matched the last pattern."""
        self.speech.read()  # what came before the keys is not their answer
        start = len(self.speech.lines)
        self.transcript.append((keys, start))
        for name in keys.split():
            key(name)
        at = start
        for pattern in expect:
            found = self.speech.wait_for(pattern, at)
            if found is None:
                self.failures.append("%s: after %s Orca did not say /%s/" % (what or keys, keys, pattern))
                return None
            at = found
        return at

    def settle(self, quiet=1.5, seconds=TIMEOUT):
        """Waits until Orca has said nothing for `quiet` seconds: what a key
        brings late is heard before the walk ends."""
        deadline = time.monotonic() + seconds
        heard, since = len(self.speech.lines), time.monotonic()
        while time.monotonic() - since < quiet and time.monotonic() < deadline:
            time.sleep(0.05)
            self.speech.read()
            if len(self.speech.lines) != heard:
                heard, since = len(self.speech.lines), time.monotonic()

    def count(self, pattern, since=0):
        """How many utterances from `since` on match `pattern`."""
        self.speech.read()
        wanted = re.compile(pattern)
        return sum(1 for line in self.speech.lines[since:] if wanted.search(line))

    def expect_count(self, pattern, times, since, what):
        found = self.count(pattern, since)
        if found != times:
            self.failures.append("%s: Orca said /%s/ %d times, not %d" % (what, pattern, found, times))

    def report(self, out):
        self.speech.read()
        for n, (keys, start) in enumerate(self.transcript):
            end = self.transcript[n + 1][1] if n + 1 < len(self.transcript) else len(self.speech.lines)
            spoken = " | ".join(self.speech.lines[start:end])
            out.write("%-16s %s\n" % (keys, spoken))


def run(program, shown, walk_window, env=None):
    """Starts Orca, then `program` (an argument list), waits until Orca has
    spoken `shown` (a pattern), walks it with walk_window(walk) and prints
    the walk as Orca spoke it. sys.argv: WALK TARGET WORKDIR [--explore];
    with LAMINO_ORCA_LOG set, Orca's whole log is copied there."""
    work = sys.argv[2]
    explore = "--explore" in sys.argv
    processes = []
    try:
        processes.append(subprocess.Popen(["openbox", "--sm-disable"], stdout=subprocess.DEVNULL,
                                          stderr=subprocess.DEVNULL))
        wait_until(has_window_manager, 20, "the window manager's start")
        processes.append(start_speech_dispatcher())
        log = os.path.join(work, "orca.log")
        speech = Speech(log)
        processes.append(subprocess.Popen(["/usr/bin/python3", "-c", ORCA, log], stdout=subprocess.DEVNULL,
                                          stderr=open(os.path.join(work, "orca.err"), "w")))
        if speech.wait_for(".", 0, 60) is None:  # its greeting, in words that differ by version
            sys.exit("orca: Orca said nothing within 60 s")
        started = time.monotonic()
        processes.append(subprocess.Popen(program, env=dict(os.environ, **(env or {}))))
        walk = Walk(speech)
        if speech.wait_for(shown, 0, 30) is None:
            sys.exit("orca: Orca did not speak Lamino's window")
        walk_window(walk)
        walk.report(sys.stdout)
        print("walk took %.1f s" % (time.monotonic() - started))
        for failure in walk.failures:
            print("orca: " + failure)
        if walk.failures and not explore:
            sys.exit(1)
    finally:
        if os.environ.get("LAMINO_ORCA_LOG") and os.path.exists(os.path.join(work, "orca.log")):
            shutil.copy(os.path.join(work, "orca.log"), os.environ["LAMINO_ORCA_LOG"])
        for process in reversed(processes):
            process.terminate()
        for process in processes:
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
