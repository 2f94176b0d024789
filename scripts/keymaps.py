#!/usr/bin/env python3
"""Draws the key pictures of the macro recorder and writes their key maps from one description.

Every picture (resources/pictures/<number>.svg) is a telephone, alone or with its key-extension
module, drawn at its own pixel size; every key that a macro may record is a rectangle on it with
an invisible element "key_XX" (XX its code) lying exactly on the key. The map files
(resources/Map/<name>_<language>.map) carry the same rectangles with the key names of the
language, so pictures and maps cannot drift apart. Run it after changing a layout:

    scripts/keymaps.py            # writes resources/pictures/*.svg and resources/Map/*.map

Key codes: the keypad digits are 0 to 9; every other key has a code from 0xA0 on (the macro code
cannot tell codes 10 to 159 from two digits), and none from 0xD0 to 0xDF: after a digit 0 or 5 such
a code would put a CR or a "]" into the macro's bytes, which the configuration file keeps unescaped.
The two kinds of key-extension module never share a picture and share their codes.
"""

import os
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
PICTURES = os.path.join(ROOT, "resources", "pictures")
MAPS = os.path.join(ROOT, "resources", "Map")

# ---- Key codes and names ------------------------------------------------------------------------

STAR, HASH = 0xA0, 0xA1
SPEAKER, HEADSET, REDIAL, MENU, UP, DOWN, OK, CLEAR = range(0xA2, 0xAA)
MUTE, RECALL, PHONEBOOK, SHIFT, LOUDER, SOFTER = range(0xAA, 0xB0)
FKEY = 0xB0       # function keys 1 to 20: 0xB0 to 0xC3
MESSAGES, LEFT, RIGHT = 0xF0, 0xF1, 0xF2
# Module keys E1 to E24 of the E740, or M1 to M20 of the E920 and W920: 0xE0 to 0xEF, then from 0xF3.
MODULE_CODES = list(range(0xE0, 0xF0)) + list(range(0xF3, 0xFB))

NAMES = {
    "UK": {STAR: "Star (*)", HASH: "Hash (#)", SPEAKER: "Speaker", HEADSET: "Headset", REDIAL: "Redial",
           MENU: "Menu", UP: "Up", DOWN: "Down", OK: "OK", CLEAR: "Clear", MUTE: "Mute",
           RECALL: "Recall (R)", PHONEBOOK: "Phonebook", SHIFT: "Shift", LOUDER: "Louder",
           SOFTER: "Softer", MESSAGES: "Messages", LEFT: "Left", RIGHT: "Right"},
    "GER": {STAR: "Stern (*)", HASH: "Raute (#)", SPEAKER: "Lautsprecher", HEADSET: "Headset",
            REDIAL: "Wahlwiederholung", MENU: "Men\u00fc", UP: "Pfeil auf", DOWN: "Pfeil ab", OK: "OK",
            CLEAR: "L\u00f6schen", MUTE: "Stummschaltung", RECALL: "R\u00fcckfrage (R)",
            PHONEBOOK: "Telefonbuch", SHIFT: "Umschalttaste", LOUDER: "Lauter", SOFTER: "Leiser",
            MESSAGES: "Nachrichten", LEFT: "Pfeil links", RIGHT: "Pfeil rechts"},
}
GROUP_NAMES = {
    "UK": {"F": "Function key %d", "E": "Module key E%d", "M": "Module key M%d"},
    "GER": {"F": "Funktionstaste %d", "E": "Modultaste E%d", "M": "Modultaste M%d"},
}


def key_name(code, language, module):
    if code <= 9:
        return str(code)
    if FKEY <= code < FKEY + 20:
        return GROUP_NAMES[language]["F"] % (code - FKEY + 1)
    if code in MODULE_CODES:
        return GROUP_NAMES[language][module] % (MODULE_CODES.index(code) + 1)
    return NAMES[language][code]


# ---- Drawing ------------------------------------------------------------------------------------

FONT = "DejaVu Sans, Arial, Helvetica, sans-serif"


def paint(fill):
    """A fill attribute; "#RRGGBBAA" becomes a colour with its opacity (SVG Tiny has no alpha in colours)."""
    if fill.startswith("#") and len(fill) == 9:
        return 'fill="%s" fill-opacity="%.2f"' % (fill[:7], int(fill[7:], 16) / 255.0)
    return 'fill="%s"' % fill


class Picture:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.parts = []
        self.keys = {}  # code -> (left, top, right, bottom)

    def add(self, text):
        self.parts.append(text)

    def rect(self, x, y, w, h, rx, fill, stroke="none", sw=1, extra=""):
        self.add('<rect x="%g" y="%g" width="%g" height="%g" rx="%g" %s stroke="%s" '
                 'stroke-width="%g"%s/>' % (x, y, w, h, rx, paint(fill), stroke, sw, extra))

    def text(self, x, y, text, size, fill="#222", weight="normal", anchor="middle"):
        text = text.replace("&", "&amp;").replace("<", "&lt;")
        self.add('<text x="%g" y="%g" font-family="%s" font-size="%g" font-weight="%s" fill="%s" '
                 'text-anchor="%s">%s</text>' % (x, y, FONT, size, weight, fill, anchor, text))

    def key(self, code, x, y, w, h, label="", sub="", style="light", size=None, icon=None):
        """A key: its face, its label, and the invisible element that the map's rectangle is."""
        faces = {"light": ("#fbfbfb", "#e3e5e8", "#8a9099"),
                 "dark": ("#5b6068", "#3c4046", "#23262a"),
                 "blue": ("#e6f0fb", "#c5d8ef", "#6f8fb5"),
                 "green": ("#e3f4e3", "#bfe2c0", "#5f9a62"),
                 "red": ("#fbe6e3", "#f0c4bd", "#b0675b")}
        top, bottom, edge = faces[style]
        grad = "g_%s" % style
        self.rect(x + 1, y + 2, w, h, 4, "#00000033")
        self.rect(x, y, w, h, 4, "url(#%s)" % grad, edge, 1)
        ink = "#f2f2f2" if style == "dark" else "#222"
        if icon:
            icon(self, x + w / 2, y + h / 2, ink)
        elif label:
            size = size or min(h * 0.55, 15)
            dy = size * 0.35 if not sub else -1
            self.text(x + w / 2, y + h / 2 + dy, label, size, ink, "bold")
            if sub:
                self.text(x + w / 2, y + h / 2 + size * 0.75, sub, size * 0.55, ink)
        self.add('<rect id="key_%02X" x="%d" y="%d" width="%d" height="%d" fill="none" stroke="none"/>'
                 % (code, x, y, w, h))
        self.keys[code] = (x, y, x + w, y + h)

    def svg(self, title):
        defs = ['<linearGradient id="g_%s" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="%s"/>'
                '<stop offset="1" stop-color="%s"/></linearGradient>' % (n, a, b)
                for n, a, b in (("light", "#ffffff", "#dfe2e6"), ("dark", "#6a7078", "#3a3e44"),
                                ("blue", "#f0f6fd", "#c4d7ee"), ("green", "#effaef", "#bde0be"),
                                ("red", "#fdf0ee", "#efc3bb"), ("body", "#e9ebee", "#c9cdd3"),
                                ("bodydark", "#4d5157", "#2c2f33"), ("lcd", "#d7e4c4", "#b9cca0"),
                                ("lcdblue", "#d6e6f5", "#a9c6e4"), ("module", "#f3f4f5", "#d4d8dc"))]
        return ('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d">\n'
                '<title>%s</title>\n<defs>%s</defs>\n%s\n</svg>\n'
                % (self.width, self.height, self.width, self.height, title, "".join(defs),
                   "\n".join(self.parts)))


# Small icons drawn into keys (centre cx, cy).
def icon_speaker(p, cx, cy, ink):
    p.add('<path d="M%g %g h4 l5 -5 v14 l-5 -5 h-4 z" fill="%s"/>' % (cx - 8, cy - 2, ink))
    p.add('<path d="M%g %g q4 6 0 12 M%g %g q7 10 0 20" fill="none" stroke="%s" stroke-width="1.6"/>'
          % (cx + 4, cy - 6, cx + 7, cy - 10, ink))


def icon_headset(p, cx, cy, ink):
    p.add('<path d="M%g %g a8 8 0 0 1 16 0" fill="none" stroke="%s" stroke-width="2"/>' % (cx - 8, cy + 1, ink))
    p.rect(cx - 10, cy, 4, 7, 1.5, ink)
    p.rect(cx + 6, cy, 4, 7, 1.5, ink)


def icon_up(p, cx, cy, ink):
    p.add('<path d="M%g %g l7 8 h-14 z" fill="%s"/>' % (cx, cy - 5, ink))


def icon_down(p, cx, cy, ink):
    p.add('<path d="M%g %g l7 -8 h-14 z" fill="%s"/>' % (cx, cy + 5, ink))


def icon_left(p, cx, cy, ink):
    p.add('<path d="M%g %g l8 -7 v14 z" fill="%s"/>' % (cx - 5, cy, ink))


def icon_right(p, cx, cy, ink):
    p.add('<path d="M%g %g l-8 -7 v14 z" fill="%s"/>' % (cx + 5, cy, ink))


def icon_redial(p, cx, cy, ink):
    p.add('<path d="M%g %g a7 7 0 1 0 7 -7" fill="none" stroke="%s" stroke-width="2"/>' % (cx - 7, cy, ink))
    p.add('<path d="M%g %g l-5 -4 v8 z" fill="%s"/>' % (cx + 3, cy - 7, ink))


def icon_mute(p, cx, cy, ink):
    p.rect(cx - 3, cy - 8, 6, 11, 3, ink)
    p.add('<path d="M%g %g a6 6 0 0 0 12 0 M%g %g v4" fill="none" stroke="%s" stroke-width="1.6"/>'
          % (cx - 6, cy, cx, cy + 6, ink))
    p.add('<path d="M%g %g l16 16" stroke="#c0392b" stroke-width="2"/>' % (cx - 8, cy - 8))


def icon_book(p, cx, cy, ink):
    p.rect(cx - 7, cy - 8, 14, 16, 1.5, "none", ink, 1.8)
    p.add('<path d="M%g %g v16 M%g %g h6 M%g %g h6" stroke="%s" stroke-width="1.5"/>'
          % (cx - 3, cy - 8, cx - 1, cy - 3, cx - 1, cy + 1, ink))


def icon_mail(p, cx, cy, ink):
    p.rect(cx - 9, cy - 6, 18, 12, 1.5, "none", ink, 1.8)
    p.add('<path d="M%g %g l9 7 l9 -7" fill="none" stroke="%s" stroke-width="1.6"/>' % (cx - 9, cy - 6, ink))


def icon_shift(p, cx, cy, ink):
    p.add('<path d="M%g %g l8 8 h-4 v6 h-8 v-6 h-4 z" fill="none" stroke="%s" stroke-width="1.6"/>'
          % (cx, cy - 8, ink))


def handset(p, x, y, w, h, dark):
    """The receiver lying in its cradle, seen from above."""
    body = "url(#g_bodydark)" if dark else "url(#g_body)"
    p.rect(x - 4, y - 4, w + 8, h + 8, w / 2 + 4, "#00000022")
    p.rect(x, y, w, h, w / 2, body, "#6d737b" if not dark else "#15171a", 1.5)
    # Ear and mouth pieces with their holes.
    for cy in (y + w * 0.62, y + h - w * 0.62):
        p.add('<circle cx="%g" cy="%g" r="%g" %s stroke="#000000" stroke-opacity="0.25" stroke-width="1"/>'
              % (x + w / 2, cy, w * 0.36, paint("#00000018")))
        for dx, dy in ((0, 0), (-7, -7), (7, -7), (-7, 7), (7, 7), (0, -10), (0, 10), (-10, 0), (10, 0)):
            p.add('<circle cx="%g" cy="%g" r="1.6" %s/>' % (x + w / 2 + dx, cy + dy, paint("#00000066")))
    # The cord leaves at the bottom.
    p.add('<path d="M%g %g c -8 5, 8 9, 0 14" fill="none" stroke="%s" stroke-width="3"/>'
          % (x + w / 2, y + h, "#888" if not dark else "#222"))


def display(p, x, y, w, h, lines, blue=False):
    p.rect(x - 6, y - 6, w + 12, h + 12, 6, "#2b2f34")
    p.rect(x, y, w, h, 3, "url(#g_lcdblue)" if blue else "url(#g_lcd)", "#5b6b4a" if not blue else "#4d6b8c", 1)
    step = h / (len(lines) + 1)
    for i, line in enumerate(lines):
        p.text(x + 8, y + step * (i + 1) + 5, line, min(step * 0.8, 14), "#1e2a14" if not blue else "#10263d",
               "normal", "start")


def label_strip(p, x, y, w, h, text=""):
    p.rect(x, y, w, h, 1, "#ffffff", "#9aa1aa", 0.8)
    p.add('<path d="M%g %g h%g" stroke="#c9d3e0" stroke-width="0.8"/>' % (x + 3, y + h - 4, w - 6))
    if text:
        p.text(x + 4, y + h - 6, text, h * 0.55, "#2a4b8d", "normal", "start")


def led(p, cx, cy, colour):
    p.add('<circle cx="%g" cy="%g" r="3.2" fill="%s" stroke="#555555" stroke-width="0.8"/>' % (cx, cy, colour))


def keypad(p, x, y, kw=46, kh=32, gap=9, style="light"):
    letters = {2: "ABC", 3: "DEF", 4: "GHI", 5: "JKL", 6: "MNO", 7: "PQRS", 8: "TUV", 9: "WXYZ", 0: "+"}
    rows = [(1, 2, 3), (4, 5, 6), (7, 8, 9), (STAR, 0, HASH)]
    for r, row in enumerate(rows):
        for c, code in enumerate(row):
            label = {STAR: "*", HASH: "#"}.get(code, str(code))
            p.key(code, x + c * (kw + gap), y + r * (kh + gap), kw, kh, label, letters.get(code, ""), style)
    return x + 3 * kw + 2 * gap, y + 4 * kh + 3 * gap


def function_keys(p, x, y, count, first=1, kw=28, kh=20, gap=8, strip=70, texts=(), leds=True,
                  strip_left=False, style="light"):
    for i in range(count):
        ky = y + i * (kh + gap)
        if strip_left:
            label_strip(p, x, ky, strip, kh, texts[i] if i < len(texts) else "")
            p.key(FKEY + first - 1 + i, x + strip + 6, ky, kw, kh, style=style)
            if leds:
                led(p, x + strip + kw + 14, ky + kh / 2, "#55c04f" if i % 3 == 0 else "#d9dde2")
        else:
            if leds:
                led(p, x - 8, ky + kh / 2, "#55c04f" if i % 3 == 0 else "#d9dde2")
            p.key(FKEY + first - 1 + i, x, ky, kw, kh, style=style)
            label_strip(p, x + kw + 6, ky, strip, kh, texts[i] if i < len(texts) else "")


def body(p, x, y, w, h, dark=False, name="", brand_colour="#6d737b"):
    p.rect(x + 3, y + 5, w, h, 26, "#00000030")
    p.rect(x, y, w, h, 26, "url(#g_bodydark)" if dark else "url(#g_body)", "#5b6168" if not dark else "#111", 2)
    if name:
        p.text(x + w - 22, y + h - 14, name, 11, brand_colour if not dark else "#c7cbd1", "bold", "end")


# ---- The telephones -------------------------------------------------------------------------------

STRIP_TEXTS = ("Taxi", "B\u00fcro", "Anna", "Pizza", "Hotline", "Mailbox", "Max")
STRIP_TEXTS_20 = ("Taxi", "B\u00fcro", "Anna", "Pizza", "Hotline", "Mailbox", "Max", "Lager", "Chef",
                  "Empfang", "Team 1", "Team 2", "Service", "Vertrieb", "Technik", "Labor", "Kantine",
                  "Pforte", "Notruf", "Info")


def phone_rv740(p, ox, dark=False, name="RV740"):
    """Desk telephone with two-line display and seven function keys beside their label strip."""
    style = "dark" if dark else "light"
    body(p, ox + 10, 10, 560, 340, dark, name)
    handset(p, ox + 30, 30, 92, 300, dark)
    display(p, ox + 160, 34, 240, 62, ["Mo 01.03.06   12:30", "MSN 1  0301234567"])
    function_keys(p, ox + 442, 36, 7, texts=STRIP_TEXTS, style=style)
    # Navigation and service keys below the display.
    nav = [(MENU, "M", None), (UP, "", icon_up), (DOWN, "", icon_down), (OK, "OK", None), (CLEAR, "C", None)]
    for i, (code, label, icon) in enumerate(nav):
        p.key(code, ox + 160 + i * 50, 112, 42, 24, label, style=style, icon=icon, size=12)
    keypad(p, ox + 172, 152, style=style)
    right = [(SPEAKER, icon_speaker, "green"), (REDIAL, icon_redial, style), (RECALL, None, style),
             (MUTE, icon_mute, "red"), (SHIFT, icon_shift, style)]
    for i, (code, icon, st) in enumerate(right):
        p.key(code, ox + 350, 152 + i * 34, 50, 26, "R" if code == RECALL else "", style=st, icon=icon)
    if dark:
        p.key(HEADSET, ox + 418, 260, 50, 26, style=style, icon=icon_headset)
        p.key(PHONEBOOK, ox + 418, 294, 50, 26, style=style, icon=icon_book)
    p.key(SOFTER, ox + 172, 322, 46, 16, "\u2212", style=style, size=14)
    p.key(LOUDER, ox + 282, 322, 46, 16, "+", style=style, size=14)


def phone_rv745(p, ox):
    """The large telephone: a wide display between two columns of ten function keys."""
    body(p, ox + 10, 10, 720, 390, False, "RV745")
    handset(p, ox + 28, 30, 90, 350, False)
    function_keys(p, ox + 140, 30, 10, first=1, texts=STRIP_TEXTS_20[:10], kh=22, gap=12, strip=72,
                  strip_left=True)
    function_keys(p, ox + 620, 30, 10, first=11, texts=STRIP_TEXTS_20[10:], kh=22, gap=12, strip=72)
    display(p, ox + 286, 36, 280, 96, ["Mo 01.03.06      12:30", "Anrufe: 2", "MSN 1  0301234567",
                                        "Men\u00fc      Telefonbuch"], blue=True)
    nav = [(MENU, "M", None), (UP, "", icon_up), (DOWN, "", icon_down), (OK, "OK", None), (CLEAR, "C", None)]
    for i, (code, label, icon) in enumerate(nav):
        p.key(code, ox + 286 + i * 58, 150, 48, 24, label, icon=icon, size=12)
    keypad(p, ox + 300, 192)
    right = [(SPEAKER, icon_speaker, "green"), (HEADSET, icon_headset, "light"), (REDIAL, icon_redial, "light"),
             (RECALL, None, "light"), (MUTE, icon_mute, "red"), (SHIFT, icon_shift, "light")]
    for i, (code, icon, st) in enumerate(right):
        p.key(code, ox + 480, 192 + i * 30, 56, 24, "R" if code == RECALL else "", style=st, icon=icon)
    p.key(SOFTER, ox + 300, 362, 46, 18, "\u2212", size=14)
    p.key(LOUDER, ox + 410, 362, 46, 18, "+", size=14)


def phone_rv920(p, ox, name="RV920"):
    """Flat telephone: display above five function keys, a navigation ring and the keypad."""
    body(p, ox + 10, 10, 540, 360, False, name, "#2f5c9a")
    handset(p, ox + 28, 30, 90, 320, False)
    display(p, ox + 156, 32, 250, 78, ["12:30        Mo 01.03.06", "Neue Nachrichten: 0", "MSN 1"], blue=True)
    # The five function keys under the display, with their labels on the screen edge.
    for i in range(5):
        p.key(FKEY + i, ox + 156 + i * 51, 122, 44, 18, style="blue")
    # Navigation ring.
    cx, cy = ox + 468, 82
    p.add('<circle cx="%g" cy="%g" r="46" fill="#d2d6db" stroke="#8a9099" stroke-width="1.2"/>' % (cx, cy))
    p.key(UP, cx - 16, cy - 42, 32, 24, icon=icon_up)
    p.key(DOWN, cx - 16, cy + 18, 32, 24, icon=icon_down)
    p.key(LEFT, cx - 42, cy - 12, 24, 24, icon=icon_left)
    p.key(RIGHT, cx + 18, cy - 12, 24, 24, icon=icon_right)
    p.key(OK, cx - 15, cy - 12, 30, 24, "OK", size=11, style="blue")
    keypad(p, ox + 170, 158)
    side = [(MENU, "M", None, "light"), (PHONEBOOK, "", icon_book, "light"), (REDIAL, "", icon_redial, "light"),
            (CLEAR, "C", None, "light"), (SHIFT, "", icon_shift, "light")]
    for i, (code, label, icon, st) in enumerate(side):
        p.key(code, ox + 350, 158 + i * 34, 50, 26, label, style=st, icon=icon, size=12)
    bottom = [(SPEAKER, icon_speaker, "green"), (HEADSET, icon_headset, "light"), (MUTE, icon_mute, "red")]
    for i, (code, icon, st) in enumerate(bottom):
        p.key(code, ox + 424, 192 + i * 40, 54, 30, style=st, icon=icon)
    p.key(SOFTER, ox + 170, 334, 46, 18, "\u2212", size=14)
    p.key(LOUDER, ox + 280, 334, 46, 18, "+", size=14)
    p.key(RECALL, ox + 225, 334, 46, 18, "R", size=12)


def phone_rv930(p, ox, name="RV930"):
    """The top model: large display with five function keys on its left edge and a message key."""
    body(p, ox + 10, 10, 560, 380, True, name)
    handset(p, ox + 28, 30, 92, 340, True)
    for i in range(5):
        p.key(FKEY + i, ox + 146, 34 + i * 26, 40, 20, style="dark")
    display(p, ox + 200, 32, 220, 130, ["12:30    Mo 01.03.06", "\u25b8 Taxi", "\u25b8 B\u00fcro",
                                         "\u25b8 Anna", "\u25b8 Pizza", "\u25b8 Hotline"], blue=True)
    cx, cy = ox + 490, 96
    p.add('<circle cx="%g" cy="%g" r="48" fill="#2a2d31" stroke="#000" stroke-width="1.2"/>' % (cx, cy))
    p.key(UP, cx - 16, cy - 44, 32, 24, style="dark", icon=icon_up)
    p.key(DOWN, cx - 16, cy + 20, 32, 24, style="dark", icon=icon_down)
    p.key(LEFT, cx - 44, cy - 12, 24, 24, style="dark", icon=icon_left)
    p.key(RIGHT, cx + 20, cy - 12, 24, 24, style="dark", icon=icon_right)
    p.key(OK, cx - 15, cy - 12, 30, 24, "OK", size=11, style="dark")
    p.key(MESSAGES, ox + 444, 160, 44, 24, style="dark", icon=icon_mail)
    p.key(MENU, ox + 496, 160, 44, 24, "M", style="dark", size=12)
    keypad(p, ox + 200, 184, kw=44, kh=30, gap=8, style="dark")
    side = [(PHONEBOOK, icon_book, "dark"), (REDIAL, icon_redial, "dark"), (CLEAR, None, "dark"),
            (SHIFT, icon_shift, "dark"), (RECALL, None, "dark")]
    for i, (code, icon, st) in enumerate(side):
        label = {CLEAR: "C", RECALL: "R"}.get(code, "")
        p.key(code, ox + 370, 184 + i * 32, 50, 24, label, style=st, icon=icon, size=12)
    bottom = [(SPEAKER, icon_speaker, "green"), (HEADSET, icon_headset, "dark"), (MUTE, icon_mute, "red")]
    for i, (code, icon, st) in enumerate(bottom):
        p.key(code, ox + 444, 204 + i * 40, 56, 30, style=st, icon=icon)
    p.key(SOFTER, ox + 200, 348, 44, 18, "\u2212", style="dark", size=14)
    p.key(LOUDER, ox + 304, 348, 44, 18, "+", style="dark", size=14)


def module_e740(p, ox):
    """Key-extension module E740: 24 keys in two columns with their label strips."""
    p.rect(ox + 3, 15, 260, 340, 16, "#00000030")
    p.rect(ox, 10, 260, 340, 16, "url(#g_module)", "#6d737b", 2)
    p.text(ox + 130, 338, "E740", 11, "#6d737b", "bold")
    for col in range(2):
        for row in range(12):
            n = col * 12 + row
            x = ox + 14 + col * 124
            y = 22 + row * 25
            p.key(MODULE_CODES[n], x, y, 26, 19)
            label_strip(p, x + 32, y, 80, 19, STRIP_TEXTS_20[n % 20] if n < 14 else "")


def module_920(p, ox, name, dark):
    """Key-extension module E920 or W920: two LEDs on top, then 20 keys in two columns of ten."""
    fill = "url(#g_bodydark)" if dark else "url(#g_module)"
    p.rect(ox + 3, 15, 250, 380, 16, "#00000030")
    p.rect(ox, 10, 250, 380, 16, fill, "#111" if dark else "#6d737b", 2)
    ink = "#c7cbd1" if dark else "#6d737b"
    p.text(ox + 125, 376, name, 11, ink, "bold")
    led(p, ox + 100, 26, "#55c04f")
    led(p, ox + 150, 26, "#e0a030")
    p.text(ox + 84, 30, "LED1", 8, ink, "normal", "end")
    p.text(ox + 166, 30, "LED2", 8, ink, "normal", "start")
    style = "dark" if dark else "light"
    for col in range(2):
        for row in range(10):
            n = col * 10 + row
            x = ox + 12 + col * 120
            y = 44 + row * 32
            p.key(MODULE_CODES[n], x, y, 28, 22, style=style)
            label_strip(p, x + 34, y, 76, 22, STRIP_TEXTS_20[n])


# ---- Pictures and maps -----------------------------------------------------------------------------

def build(number):
    if number == 120:
        p = Picture(580, 360)
        phone_rv740(p, 0)
    elif number == 121:
        p = Picture(860, 360)
        phone_rv740(p, 0)
        module_e740(p, 590)
    elif number == 122:
        p = Picture(580, 360)
        phone_rv740(p, 0, True, "RV760")
    elif number == 123:
        p = Picture(860, 360)
        phone_rv740(p, 0, True, "RV760")
        module_e740(p, 590)
    elif number == 124:
        p = Picture(740, 410)
        phone_rv745(p, 0)
    elif number == 125:
        p = Picture(560, 380)
        phone_rv920(p, 0)
    elif number == 126:
        p = Picture(580, 400)
        phone_rv930(p, 0)
    elif number == 127:
        p = Picture(850, 400)
        phone_rv930(p, 0)
        module_920(p, 590, "E920", True)
    elif number == 7029:
        p = Picture(850, 400)
        phone_rv930(p, 0, "RV920XT")
        module_920(p, 590, "W920", False)
    else:
        raise ValueError(number)
    return p


# Map file, picture number, key codes left out (keys the phone's firmware does not record).
MAP_FILES = [
    ("RV740.map", 120, ()),
    ("RV740E740.map", 121, ()),
    ("RV760.map", 122, ()),
    ("RV760E740.map", 123, ()),
    ("RV745.map", 124, ()),
    ("RV920.map", 125, (MUTE, HEADSET, PHONEBOOK, LEFT, RIGHT)),
    ("RV930.map", 126, ()),
    ("RV930E920.map", 127, ()),
    ("RV920V2.map", 125, ()),
    ("RV920X.map", 126, (MESSAGES,)),
    ("RV920XT.map", 7029, (MESSAGES,)),
    ("RV930XE920.map", 127, (MESSAGES,)),
]


def record(name, code, rect):
    data = name.encode("cp1252")[:49].ljust(50, b"\0")
    data += bytes([code, 0])
    for v in rect:
        data += int(v).to_bytes(4, "little", signed=True)
    assert len(data) == 68
    return data.hex().upper() + "%02X" % (sum(data) & 0xFF)


def write_map(path, keys, language, module):
    lines = ["[PhoneKeys]"]
    for code in sorted(keys):
        assert not 0xD0 <= code <= 0xDF and 0xA0 <= code < 0xFF or code <= 9, code
        lines.append("Key %X=%s" % (code, record(key_name(code, language, module), code, keys[code])))
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("ascii"))


def main():
    os.makedirs(PICTURES, exist_ok=True)
    os.makedirs(MAPS, exist_ok=True)
    pictures = {}
    for number in sorted({n for _, n, _ in MAP_FILES}):
        p = build(number)
        pictures[number] = p
        with open(os.path.join(PICTURES, "%d.svg" % number), "w", encoding="utf-8") as f:
            f.write(p.svg("Key picture %d" % number))
    for name, number, left_out in MAP_FILES:
        keys = {c: r for c, r in pictures[number].keys.items() if c not in left_out}
        for code, (l, t, r, b) in keys.items():
            assert 0 <= l < r <= pictures[number].width and 0 <= t < b <= pictures[number].height, (name, code)
        base = name[:-4]
        for language in ("UK", "GER"):
            module = "E" if "E740" in name else "M"
            write_map(os.path.join(MAPS, "%s_%s.map" % (base, language)), keys, language, module)
    return 0


if __name__ == "__main__":
    sys.exit(main())
