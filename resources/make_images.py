#!/usr/bin/env python3
"""Draws the program's icons and device picture into resources/img/.

Plain standard library: shapes are rasterised at 4x and averaged down, so
edges come out smooth. Run it again after changing a drawing and commit the
PNG files; the build only compiles the PNGs in.
"""
import math
import os
import struct
import zlib

SCALE = 4


class Canvas:
    def __init__(self, size):
        self.w = self.h = size * SCALE
        self.size = size
        self.px = [[(0, 0, 0, 0)] * self.w for _ in range(self.h)]

    def _blend(self, x, y, rgba):
        if 0 <= x < self.w and 0 <= y < self.h:
            r, g, b, a = rgba
            if a == 255:
                self.px[y][x] = rgba
                return
            br, bg, bb, ba = self.px[y][x]
            fa = a / 255.0
            na = a + ba * (1 - fa)
            if na == 0:
                return
            mix = lambda c, d: int((c * a + d * ba * (1 - fa)) / na)
            self.px[y][x] = (mix(r, br), mix(g, bg), mix(b, bb), int(na))

    def fill(self, inside, rgba, box=None):
        """Fills every sub-pixel whose centre (in output pixels) is inside."""
        x0, y0, x1, y1 = box or (0, 0, self.size, self.size)
        for sy in range(max(0, int(y0 * SCALE)), min(self.h, int(math.ceil(y1 * SCALE)))):
            cy = (sy + 0.5) / SCALE
            for sx in range(max(0, int(x0 * SCALE)), min(self.w, int(math.ceil(x1 * SCALE)))):
                if inside((sx + 0.5) / SCALE, cy):
                    self._blend(sx, sy, rgba)

    def rect(self, x, y, w, h, rgba, radius=0.0):
        def inside(px, py):
            if radius <= 0:
                return True
            dx = max(x + radius - px, 0, px - (x + w - radius))
            dy = max(y + radius - py, 0, py - (y + h - radius))
            return dx * dx + dy * dy <= radius * radius
        self.fill(inside, rgba, (x, y, x + w, y + h))

    def circle(self, cx, cy, r, rgba, inner=0.0):
        def inside(px, py):
            d = (px - cx) ** 2 + (py - cy) ** 2
            return inner * inner <= d <= r * r
        self.fill(inside, rgba, (cx - r, cy - r, cx + r, cy + r))

    def polygon(self, points, rgba):
        xs = [p[0] for p in points]
        ys = [p[1] for p in points]

        def inside(px, py):
            hit = False
            j = len(points) - 1
            for i in range(len(points)):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                    hit = not hit
                j = i
            return hit
        self.fill(inside, rgba, (min(xs), min(ys), max(xs), max(ys)))

    def line(self, x0, y0, x1, y1, width, rgba):
        def inside(px, py):
            vx, vy = x1 - x0, y1 - y0
            length2 = vx * vx + vy * vy or 1e-9
            t = max(0.0, min(1.0, ((px - x0) * vx + (py - y0) * vy) / length2))
            qx, qy = x0 + t * vx, y0 + t * vy
            return (px - qx) ** 2 + (py - qy) ** 2 <= (width / 2) ** 2
        pad = width
        self.fill(inside, rgba, (min(x0, x1) - pad, min(y0, y1) - pad, max(x0, x1) + pad, max(y0, y1) + pad))

    def arc(self, cx, cy, r, width, start_deg, end_deg, rgba):
        def inside(px, py):
            d = math.hypot(px - cx, py - cy)
            if abs(d - r) > width / 2:
                return False
            ang = math.degrees(math.atan2(cy - py, px - cx)) % 360
            s, e = start_deg % 360, end_deg % 360
            return s <= ang <= e if s <= e else ang >= s or ang <= e
        self.fill(inside, rgba, (cx - r - width, cy - r - width, cx + r + width, cy + r + width))

    def save(self, path):
        rows = []
        for y in range(self.size):
            row = bytearray([0])
            for x in range(self.size):
                acc = [0, 0, 0, 0]
                for sy in range(y * SCALE, (y + 1) * SCALE):
                    for sx in range(x * SCALE, (x + 1) * SCALE):
                        r, g, b, a = self.px[sy][sx]
                        acc[0] += r * a
                        acc[1] += g * a
                        acc[2] += b * a
                        acc[3] += a
                n = SCALE * SCALE
                if acc[3]:
                    row += bytes([acc[0] // acc[3], acc[1] // acc[3], acc[2] // acc[3], acc[3] // n])
                else:
                    row += bytes(4)
            rows.append(bytes(row))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n"
        png += chunk(b"IHDR", struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
        png += chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(png)


RED = (190, 50, 50, 255)
GREEN = (52, 150, 60, 255)
BLUE = (0, 106, 159, 255)
YELLOW = (255, 222, 55, 255)
DARK = (60, 64, 70, 255)
GREY = (180, 180, 180, 255)
LIGHT = (236, 238, 240, 255)
WHITE = (255, 255, 255, 255)


def arrow(c, cx, top, bottom, half_width, colour, down=True):
    """A thick vertical arrow between top and bottom."""
    shaft = half_width * 0.45
    head = (bottom - top) * 0.45
    if down:
        c.rect(cx - shaft, top, 2 * shaft, bottom - top - head + 0.5, colour)
        c.polygon([(cx - half_width, bottom - head), (cx + half_width, bottom - head), (cx, bottom)], colour)
    else:
        c.rect(cx - shaft, top + head - 0.5, 2 * shaft, bottom - top - head + 0.5, colour)
        c.polygon([(cx - half_width, top + head), (cx + half_width, top + head), (cx, top)], colour)


def small_device(c, s):
    """The communicator as a small box with an antenna, for the transfer icons."""
    c.line(s * 0.70, s * 0.30, s * 0.80, s * 0.05, s * 0.05, DARK)
    c.rect(s * 0.18, s * 0.30, s * 0.64, s * 0.62, DARK, radius=s * 0.06)
    c.rect(s * 0.23, s * 0.35, s * 0.54, s * 0.52, LIGHT, radius=s * 0.04)


def transfer_icon(path, size, down):
    c = Canvas(size)
    small_device(c, size)
    colour = RED if down else GREEN
    arrow(c, size * 0.5, size * 0.40, size * 0.84, size * 0.20, colour, down)
    c.save(path)


def menu_arrow(path, down):
    c = Canvas(32)
    arrow(c, 16, 3, 29, 11, RED if down else GREEN, down)
    c.save(path)


def page_icon(path):
    c = Canvas(32)
    c.polygon([(6, 2), (20, 2), (26, 8), (26, 30), (6, 30)], DARK)
    c.polygon([(7.5, 3.5), (19.4, 3.5), (24.5, 8.6), (24.5, 28.5), (7.5, 28.5)], WHITE)
    c.polygon([(19, 3), (25, 9), (19, 9)], GREY)
    for y in (13, 17, 21, 25):
        c.rect(10, y, 12, 1.4, GREY)
    c.save(path)


def open_icon(path):
    c = Canvas(32)
    c.polygon([(2, 7), (11, 7), (14, 10), (26, 10), (26, 27), (2, 27)], (200, 150, 40, 255))
    c.polygon([(6, 14), (30, 14), (26, 27), (2, 27)], (245, 196, 70, 255))
    c.save(path)


def save_icon(path):
    c = Canvas(32)
    c.rect(3, 3, 26, 26, BLUE, radius=2.5)
    c.rect(8, 3, 15, 9, LIGHT)
    c.rect(18, 4.5, 3, 6, BLUE)
    c.rect(7, 17, 18, 12, WHITE)
    c.save(path)


def exit_icon(path):
    c = Canvas(32)
    c.circle(16, 16, 14, RED)
    c.line(10, 10, 22, 22, 4, WHITE)
    c.line(22, 10, 10, 22, 4, WHITE)
    c.save(path)


def info_icon(path):
    c = Canvas(32)
    c.circle(16, 16, 14, BLUE)
    c.circle(16, 9, 2.3, WHITE)
    c.rect(14, 13, 4, 12, WHITE, radius=1)
    c.save(path)


def reload_icon(path):
    c = Canvas(24)
    c.arc(12, 12, 8, 3.2, 60, 380, GREEN)
    c.polygon([(14, 1.5), (21.5, 5.5), (14.5, 10)], GREEN)
    c.save(path)


def device_picture(path):
    s = 300
    c = Canvas(s)
    # antenna
    c.rect(208, 8, 14, 30, DARK, radius=3)
    c.rect(203, 34, 24, 16, DARK, radius=3)
    # enclosure
    c.rect(40, 48, 220, 236, (90, 96, 104, 255), radius=16)
    c.rect(48, 56, 204, 220, (225, 228, 232, 255), radius=12)
    # circuit board
    c.rect(62, 70, 176, 150, (30, 110, 60, 255), radius=6)
    c.rect(80, 88, 64, 44, (24, 24, 28, 255), radius=3)        # GSM module
    c.rect(160, 92, 56, 34, (200, 200, 205, 255), radius=3)    # SIM holder
    c.rect(166, 98, 44, 22, (160, 160, 168, 255), radius=2)
    for i, colour in enumerate([(0, 170, 0, 255), (255, 200, 0, 255), (255, 0, 0, 255)]):
        c.circle(96 + i * 22, 160, 6, colour)                  # status lamps
    c.rect(160, 146, 56, 30, (20, 20, 24, 255), radius=3)      # serial connector
    for i in range(5):
        c.circle(170 + i * 9, 156, 2, (190, 190, 190, 255))
    for i in range(4):
        c.circle(174 + i * 9, 166, 2, (190, 190, 190, 255))
    # terminal block
    c.rect(62, 232, 176, 30, (0, 120, 190, 255), radius=4)
    for i in range(10):
        c.circle(76 + i * 16.5, 247, 5, (210, 214, 220, 255))
        c.line(73 + i * 16.5, 247, 79 + i * 16.5, 247, 1.6, (110, 110, 118, 255))
    c.save(path)


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "img")
    os.makedirs(out, exist_ok=True)
    transfer_icon(os.path.join(out, "icon_download.png"), 64, down=True)
    transfer_icon(os.path.join(out, "icon_upload.png"), 64, down=False)
    menu_arrow(os.path.join(out, "down.png"), down=True)
    menu_arrow(os.path.join(out, "up.png"), down=False)
    page_icon(os.path.join(out, "page_icon.png"))
    open_icon(os.path.join(out, "open.png"))
    save_icon(os.path.join(out, "save.png"))
    exit_icon(os.path.join(out, "exit_icon.png"))
    info_icon(os.path.join(out, "info_icon.png"))
    reload_icon(os.path.join(out, "Button-Reload-icon.png"))
    device_picture(os.path.join(out, "varnidex-800-700-prg.png"))


if __name__ == "__main__":
    main()
