# Waits on the X server for what a real-window test needs next, polling every 10 ms for up to 10 s:
#   await_x.py pixel WID X Y RRGGBB [SECONDS]
#                                     until the client pixel (X, Y) of WID (root: the screen) has that
#                                     colour, for up to SECONDS
#   await_x.py frame WID PICTURE ROW [SCALE]
#                                     until WID shows the picture's row ROW (a screenshot of the same
#                                     window), each pixel as SCALE x SCALE: its first frame is drawn
#   await_x.py popup                  until a pop-up (a mapped override-redirect window) shows; prints
#                                     its screen rectangle "x y width height"
#   await_x.py popup-time             as popup, then until it goes; prints its rectangle and how long it
#                                     showed in ms
#   await_x.py no-popup               until no pop-up shows
#   await_x.py moved WID X Y          until WID's client area is at (X, Y) on the screen
import sys
import time

from Xlib import X, display

connection = display.Display()
root = connection.screen().root
deadline = time.monotonic() + 10


def poll(found):
    while time.monotonic() < deadline:
        result = found()
        if result is not None:
            return result
        time.sleep(0.01)
    sys.exit("await_x.py %s: not within 10 s" % " ".join(sys.argv[1:]))


def popup():
    for child in root.query_tree().children:
        try:
            attributes = child.get_attributes()
            geometry = child.get_geometry()
        except Exception:  # gone meanwhile
            continue
        # A window manager keeps 1 x 1 windows of its own off the screen.
        if attributes.override_redirect and attributes.map_state == X.IsViewable and geometry.width > 1:
            return (geometry.x, geometry.y, geometry.width, geometry.height)
    return None


def origin(wid):
    window = connection.create_resource_object("window", wid)
    at = window.translate_coords(root, 0, 0)
    return (-at.x, -at.y)


command = sys.argv[1]
if command == "pixel":
    window = root if sys.argv[2] == "root" else connection.create_resource_object("window", int(sys.argv[2], 0))
    x, y, wanted = int(sys.argv[3]), int(sys.argv[4]), sys.argv[5].upper()
    if len(sys.argv) > 6:
        deadline = time.monotonic() + float(sys.argv[6])

    def pixel():
        try:
            raw = window.get_image(x, y, 1, 1, X.ZPixmap, 0xFFFFFFFF).data
        except Exception:  # not mapped yet
            return None
        return True if "%02X%02X%02X" % (raw[2], raw[1], raw[0]) == wanted else None

    poll(pixel)
elif command == "frame":
    from PIL import Image

    window = connection.create_resource_object("window", int(sys.argv[2], 0))
    row, scale = int(sys.argv[4]), int(sys.argv[5]) if len(sys.argv) > 5 else 1
    picture = Image.open(sys.argv[3]).convert("RGB")
    wanted = picture.resize((picture.size[0] * scale, picture.size[1] * scale), Image.NEAREST)
    wanted = wanted.crop((0, row * scale, wanted.size[0], row * scale + 1)).tobytes()

    def drawn():
        try:
            raw = window.get_image(0, row * scale, picture.size[0] * scale, 1, X.ZPixmap, 0xFFFFFFFF).data
        except Exception:  # not mapped yet
            return None
        shown = Image.frombytes("RGB", (picture.size[0] * scale, 1), raw, "raw", "BGRX").tobytes()
        return True if shown == wanted else None

    poll(drawn)
elif command in ("popup", "popup-time"):
    shown = poll(popup)
    start = time.monotonic()
    if command == "popup-time":
        poll(lambda: True if popup() is None else None)
        shown += (round((time.monotonic() - start) * 1000),)
    print(*shown)
elif command == "no-popup":
    poll(lambda: True if popup() is None else None)
elif command == "moved":
    wid, wanted = int(sys.argv[2], 0), (int(sys.argv[3]), int(sys.argv[4]))
    poll(lambda: True if origin(wid) == wanted else None)
else:
    sys.exit("await_x.py: unknown command " + command)
