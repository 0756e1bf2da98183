"""Times clicks on X windows: from an injected button release to the first X DAMAGE event on a
part of the clicked window. Used by scripts/bench-latency; run with Debian's /usr/bin/python3
(python3-xlib).

Reads commands from standard input, one a line, and answers each with one line:
    click WINDOW X Y LEFT TOP WIDTH HEIGHT
        press at the screen point X, Y, wait until the window is quiet, release; answers the
        milliseconds from the release to the first damage that touches the rectangle (in the
        window's pixels), or "timeout"
    quit
With TILU_PROBE_TRACE=1 every damage on the window from the release until QUIET_S after the
first one counted is written to standard error as "+ms x,y wxh", to see how a repaint reaches
the screen.
"""

import os
import select
import sys
import time

from Xlib import X, display
from Xlib.ext import damage, xtest

# The press's own repaints (a list item's highlight, the focus) are over when the window has
# drawn nothing for this long.
QUIET_S = 0.15
PRESS_LIMIT_S = 2.0
RELEASE_LIMIT_S = 5.0


class Probe:
    def __init__(self):
        self.display = display.Display()
        for name in ("DAMAGE", "XTEST"):
            if not self.display.has_extension(name):
                sys.exit(f"the X server has no {name} extension")
        self.display.damage_query_version()
        # python-xlib registers its own copy of the event class, so events are told by code.
        self.damage_notify = (
            self.display.query_extension("DAMAGE").first_event + damage.DamageNotifyCode)
        self.damages = {}
        self.trace = os.environ.get("TILU_PROBE_TRACE") == "1"

    def watch(self, window_id):
        if window_id not in self.damages:
            window = self.display.create_resource_object("window", window_id)
            self.damages[window_id] = window.damage_create(damage.DamageReportRawRectangles)
            self.display.sync()

    def damage_events(self, window_id, seconds):
        """Yields (moment, event) for damage on the window until `seconds` pass without any."""
        deadline = time.monotonic() + seconds
        while True:
            while self.display.pending_events():
                event = self.display.next_event()
                if event.type == self.damage_notify and event.drawable.id == window_id:
                    yield time.monotonic(), event
            left = deadline - time.monotonic()
            if left <= 0:
                return
            ready, _, _ = select.select([self.display.fileno()], [], [], left)
            if ready:
                # Reads what the server sent without blocking.
                self.display.pending_events()

    def quiet(self, window_id):
        """Waits until the window has drawn nothing for QUIET_S (at most PRESS_LIMIT_S)."""
        limit = time.monotonic() + PRESS_LIMIT_S
        while time.monotonic() < limit:
            if next(self.damage_events(window_id, QUIET_S), None) is None:
                return

    def click(self, window_id, x, y, part):
        self.watch(window_id)
        xtest.fake_input(self.display, X.MotionNotify, x=x, y=y)
        xtest.fake_input(self.display, X.ButtonPress, 1)
        self.display.sync()
        self.quiet(window_id)
        self.display.damage_subtract(self.damages[window_id])
        self.display.sync()
        # Nothing drawn before the release counts.
        for _ in self.damage_events(window_id, 0):
            pass
        released = time.monotonic()
        xtest.fake_input(self.display, X.ButtonRelease, 1)
        self.display.flush()
        lines = []
        first = None
        for moment, event in self.damage_events(window_id, RELEASE_LIMIT_S):
            lines.append(self.describe(released, moment, event))
            if touches(event.area, part):
                first = moment
                break
        if first is None:
            return "timeout"
        if self.trace:
            for moment, event in self.damage_events(window_id, QUIET_S):
                lines.append(self.describe(released, moment, event))
            print("  ".join(lines), file=sys.stderr, flush=True)
        return f"{(first - released) * 1000:.2f}"

    @staticmethod
    def describe(released, moment, event):
        area = event.area
        return f"+{(moment - released) * 1000:.1f} {area.x},{area.y} {area.width}x{area.height}"


def touches(area, part):
    left, top, width, height = part
    return (area.x < left + width and left < area.x + area.width and
            area.y < top + height and top < area.y + area.height)


def main():
    probe = Probe()
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "quit":
            break
        if words[0] == "click" and len(words) == 8:
            numbers = [int(word, 0) for word in words[1:]]
            answer = probe.click(numbers[0], numbers[1], numbers[2], numbers[3:])
        else:
            answer = f"error: unknown command {line.strip()!r}"
        print(answer, flush=True)


if __name__ == "__main__":
    main()
