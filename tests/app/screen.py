# The X screen as a picture, for compositors nested in it: `screen.py grab FILE.png` saves the root
# window; `screen.py await-change FILE.png COUNT` waits up to 10 s until at least COUNT pixels differ
# from that picture (a window appeared) and saves the new screen over it.
import sys
import time

from PIL import Image, ImageChops
from Xlib import X, display


def grab():
    root = display.Display().screen().root
    geometry = root.get_geometry()
    raw = root.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    return Image.frombytes("RGB", (geometry.width, geometry.height), raw, "raw", "BGRX")


if sys.argv[1] == "grab":
    grab().save(sys.argv[2])
    sys.exit(0)
before = Image.open(sys.argv[2]).convert("RGB")
deadline = time.monotonic() + 10
while time.monotonic() < deadline:
    shot = grab()
    mask = ImageChops.difference(shot, before).convert("L").point(lambda v: 255 if v else 0)
    if mask.histogram()[255] >= int(sys.argv[3]):
        shot.save(sys.argv[2])
        sys.exit(0)
    time.sleep(0.1)
sys.exit("the screen did not change within 10 s")
