# Plays a file manager dropping files on an X window: XdndEnter, XdndPosition, waits for XdndStatus,
# XdndDrop, answers the target's request for text/uri-list and waits for XdndFinished.
# Usage: xdnd_drop.py WINDOW_ID X Y PATH...  (X, Y: root coordinates of the drop point)
# Exit 0 when the target accepted the drop and finished it, 1 otherwise; never waits longer than 5 s.
import select
import sys
import time
import urllib.parse

from Xlib import X, display
from Xlib.protocol import event

target_id, x, y = int(sys.argv[1], 0), int(sys.argv[2]), int(sys.argv[3])
uris = "".join("file://" + urllib.parse.quote(p) + "\r\n" for p in sys.argv[4:]).encode()
d = display.Display()
atom = lambda name: d.intern_atom(name)
uri_list = atom("text/uri-list")
source = d.screen().root.create_window(0, 0, 1, 1, 0, X.CopyFromParent)
source.set_selection_owner(atom("XdndSelection"), X.CurrentTime)
target = d.create_resource_object("window", target_id)
deadline = time.monotonic() + 5


def send(name, data):
    target.send_event(event.ClientMessage(window=target, client_type=atom(name), data=(32, data)))
    d.flush()


def wait_for(name):
    """The next client message called name; SelectionRequests met on the way are answered."""
    while time.monotonic() < deadline:
        while d.pending_events():
            e = d.next_event()
            if e.type == X.SelectionRequest:
                requestor = d.create_resource_object("window", e.requestor)
                answered = e.target == uri_list
                if answered:
                    requestor.change_property(e.property, uri_list, 8, uris)
                requestor.send_event(event.SelectionNotify(
                    time=e.time, requestor=e.requestor, selection=e.selection, target=e.target,
                    property=e.property if answered else X.NONE))
                d.flush()
            elif e.type == X.ClientMessage and e.client_type == atom(name):
                return e.data[1]
        select.select([d.fileno()], [], [], max(0.0, deadline - time.monotonic()))
    sys.exit("no " + name + " within 5 s")


send("XdndEnter", [source.id, 5 << 24, uri_list, 0, 0])
send("XdndPosition", [source.id, 0, x << 16 | y, X.CurrentTime, atom("XdndActionCopy")])
if not wait_for("XdndStatus")[1] & 1:
    sys.exit("the window refused the drop")
send("XdndDrop", [source.id, 0, X.CurrentTime, 0, 0])
if not wait_for("XdndFinished")[1] & 1:
    sys.exit("the window did not accept the dropped files")
