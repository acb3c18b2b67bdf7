#!/usr/bin/env python3
"""A whole weld as a screen reader user does it, over AT-SPI: find the application and its frame by
name, read every control's role, name and states, choose the files and the output folder through
the Browse buttons' actions (scripted chooser), set the state count through the combo box's
Selection, press Start through its action, read the report from the alert and close it with OK; then
open Options, type a suffix letter through EditableText and close it."""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

binary, work = sys.argv[1], sys.argv[2]
icons = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples", "icons")
icons = os.path.realpath(icons)
strips = os.path.join(work, "strips")
os.mkdir(strips)
files = sorted(os.path.join(icons, f) for f in os.listdir(icons) if f.endswith(".bmp"))
with open(os.path.join(work, "answers"), "w") as answers:
    answers.write("\t".join(files) + "\n" + strips + "\n")
env = dict(os.environ, PLEXON_CHOOSER_SCRIPT=os.path.join(work, "answers"),
           PLEXON_CONFIG=os.path.join(work, "config.ini"), SDL_VIDEODRIVER="x11", PLEXON_BACKEND="sdl",
           ASAN_OPTIONS="detect_leaks=0")
program = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "err"), "w"))


def fail(why):
    program.kill()
    sys.stderr.write("FAIL: " + why + "\n" + open(os.path.join(work, "err")).read())
    sys.exit(1)


# What the program announces, as a reader hears it.
events = []


def record(event):
    source = event.source
    events.append((event.type, source.getRoleName() if source else "", source.name if source else ""))


for kind in ("object:property-change:accessible-name", "object:state-changed:focused", "window:activate"):
    pyatspi.Registry.registerEventListener(record, kind)


def heard(kind, role, name=None):
    return any(t.startswith(kind) and r == role and (name is None or n == name) for t, r, n in events)


def eventually(find, what, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            found = find()
        except Exception:  # the tree changes under us while windows come and go
            found = None
        if found:
            return found
        time.sleep(0.05)
    fail(what)


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in desktop if a is not None and a.name == "Tesvo Plexon"), None)


def nodes(root):
    yield root
    for child in root:
        if child is not None:
            yield from nodes(child)


def find(root, role, name=None):
    return next((n for n in nodes(root) if n.getRoleName() == role and (name is None or n.name == name)), None)


def window(role, name=None):
    return find(application(), role, name)


app = eventually(application, "no application named Tesvo Plexon on the accessibility bus")
frame = eventually(lambda: window("frame", "Tesvo Plexon"), "no frame named Tesvo Plexon")
outline = [(n.getRoleName(), n.name, sorted(pyatspi.stateToString(s) for s in n.getState().getStates()))
           for n in nodes(frame)]
roles = {role for role, _, _ in outline}
for role in ("push button", "combo box", "label", "panel", "list item"):
    if role not in roles:
        fail("the frame has no %s: %r" % (role, outline))
start = find(frame, "push button", "Start")
if start is None or "enabled" not in [pyatspi.stateToString(s) for s in start.getState().getStates()]:
    fail("no enabled Start button: %r" % outline)
count = find(frame, "combo box", "What type of image would you like to create?")  # named by its label
if count is None:
    fail("the state-count combo box is not named by its label: %r" % outline)

browse = [n for n in nodes(frame) if n.getRoleName() == "push button" and n.name.startswith("Browse")]
if len(browse) < 2:
    fail("fewer than two Browse buttons: %r" % outline)
for button in browse[:2]:
    button.queryAction().doAction(0)
    time.sleep(0.5)
count.querySelection().selectChild(2)  # "4 state images"
eventually(lambda: count.queryText().getText(0, -1) == "4 state images", "the Selection did not pick 4 states")
eventually(lambda: heard("object:property-change:accessible-name", "label", strips + "/"),
           "the output label's new name was not announced: %r" % events)
start.queryAction().doAction(0)
alert = eventually(lambda: window("alert"), "no alert after Start", 30)
eventually(lambda: heard("window:activate", "alert"), "the report was not announced: %r" % events)
eventually(lambda: heard("object:state-changed:focused", "push button", "OK"),
           "the report's focused OK button was not announced: %r" % events)
report = " ".join(n.queryText().getText(0, -1) for n in nodes(alert) if n.getRoleName() == "label")
if "created" not in report:
    fail("the report does not say the images were created: %r" % report)
find(alert, "push button", "OK").queryAction().doAction(0)
eventually(lambda: window("alert") is None, "the alert did not close")
if len(os.listdir(strips)) == 0:
    fail("no strips were written")

options_button = eventually(lambda: find(frame, "push button", "Options"),
                            "no Options button after the weld: %r" % [(n.getRoleName(), n.name) for n in nodes(frame)])
options_button.queryAction().doAction(0)
options = eventually(lambda: window("dialog", "Options"), "no Options dialog")
hot = find(options, "text", "Hot")  # named by its label
if hot is None:
    fail("no text field named Hot in Options")
hot.queryEditableText().setTextContents("_x")
eventually(lambda: hot.queryText().getText(0, -1) == "_x", "the Hot field did not take _x")
find(options, "push button", "OK").queryAction().doAction(0)
eventually(lambda: window("dialog", "Options") is None, "Options did not close")
find(frame, "push button", "Exit").queryAction().doAction(0)
try:
    program.wait(10)
except subprocess.TimeoutExpired:
    fail("the program did not exit")
config = open(os.path.join(work, "config.ini")).read()
if "HotFile=x" not in config.replace(" ", ""):
    fail("the suffix typed was not kept: %r" % config)
print("screen reader session passed")
