# Finds where a window shows on an X screen by its picture, for compositors that place windows where
# they like: prints the screen position of the picture's top-left corner once two of its rows (the
# rows at ROW and ROW + 16) appear in the root window, polling for up to 10 s; with "gone", waits
# instead until they no longer appear.
# Usage: find_frame.py PICTURE ROW [gone]
import sys
import time

from PIL import Image
from Xlib import X, display

picture = Image.open(sys.argv[1]).convert("RGB")
row = int(sys.argv[2])
width = picture.size[0]
wanted = [picture.crop((0, r, width, r + 1)).tobytes() for r in (row, row + 16)]
root = display.Display().screen().root
geometry = root.get_geometry()
gone = len(sys.argv) > 3 and sys.argv[3] == "gone"


def find():
    raw = root.get_image(0, 0, geometry.width, geometry.height, X.ZPixmap, 0xFFFFFFFF).data
    shot = Image.frombytes("RGB", (geometry.width, geometry.height), raw, "raw", "BGRX").tobytes()
    stride = geometry.width * 3
    for y in range(geometry.height - 16):
        line = shot[y * stride:(y + 1) * stride]
        at = line.find(wanted[0])
        while at >= 0 and at % 3:
            at = line.find(wanted[0], at + 1)
        below = (y + 16) * stride + at
        if at >= 0 and shot[below:below + len(wanted[1])] == wanted[1]:
            return at // 3, y - row
    return None


deadline = time.monotonic() + 10
while time.monotonic() < deadline:
    found = find()
    if gone and found is None:
        sys.exit(0)
    if not gone and found is not None:
        print(*found)
        sys.exit(0)
    time.sleep(0.05)
sys.exit("the picture did not %s within 10 s" % ("go" if gone else "appear"))
