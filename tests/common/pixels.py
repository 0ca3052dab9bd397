"""Reading the windows' pixels as a user reads them."""

import collections
import functools
import os

from PIL import Image, ImageDraw, ImageFont

from forms import Form

MAIN = Form("Form1")
NEUTRAL, GREEN, RED = (0xFD, 0xE6, 0xE3), (0x00, 0xFF, 0x00), (0xFF, 0x00, 0x00)
# The result cells' face, Arial Narrow's stand-in, at 28.5 pt at 96 dpi: 38 pixels.
RESULT_FONT = ImageFont.truetype(os.path.join(os.environ["KUGELFIX_LIBERATION"],
                                              "LiberationSansNarrow-Regular.ttf"), 38)


def glyphs(image, box):
    """The dark pixels of a box, cut to where they are."""
    ink = image.crop(box).convert("L").point(lambda v: 255 if v < 128 else 0)
    bounds = ink.getbbox()
    return ink.crop(bounds) if bounds else None


@functools.cache
def drawn_number(number):
    canvas = Image.new("L", (120, 80), 255)
    ImageDraw.Draw(canvas).text((10, 10), str(number), font=RESULT_FONT, fill=0)
    return glyphs(canvas, (0, 0, 120, 80))


def read_number(image, box):
    """The number 1 to 49 whose drawing in the result face is most like what the box shows, and
    how alike the two are (0 to 1): the share of their pixels they have in common, times how
    alike their widths are."""
    seen = glyphs(image, box)
    if seen is None:
        return None, 0.0

    def likeness(number):
        drawn = drawn_number(number)
        pairs = list(zip(seen.resize(drawn.size).getdata(), drawn.getdata()))
        both = sum(1 for p, q in pairs if p and q)
        either = sum(1 for p, q in pairs if p or q)
        return min(seen.width, drawn.width) / max(seen.width, drawn.width) * both / max(either, 1)
    return max(((n, likeness(n)) for n in range(1, 50)), key=lambda r: r[1])


class Board:
    """The main window's board and result cells in a picture whose client area starts at
    origin."""

    def __init__(self, image, origin):
        self.image, self.origin = image, origin

    def at(self, point, inset=0):
        return self.origin[0] + point[0] + inset, self.origin[1] + point[1] + inset

    def cells(self):
        """Each board number's colour, read inside its cell clear of its digits."""
        return {n: self.image.getpixel(self.at(MAIN.rect("Label3", n)[:2], 3))
                for n in range(1, 50)}

    def coloured(self, colour):
        return sorted(n for n, c in self.cells().items() if c == colour)

    def results(self):
        """The numbers the six result cells show (None for an empty or unreadable cell)."""
        shown = []
        for index in range(6):
            left, top, width, height = MAIN.rect("label1", index)
            box = self.at((left, top), 2) + self.at((left + width, top + height), -2)
            number, similarity = read_number(self.image, box)
            shown.append(number if similarity > 0.6 else None)
        return shown


DIALOG = Form("Form2")
# Every text of both windows: the result cells, the board, the depth box with its label, the
# emblem's caption, the buttons' captions and the dialog's text.
TEXTS = ([(MAIN, "label1", i) for i in range(6)] + [(MAIN, "Label3", n) for n in range(1, 50)]
         + [(MAIN, name, None) for name in ("Label4", "Combo1", "Label5", "commando1", "commando3",
                                            "commando4")]
         + [(DIALOG, "Label1", None), (DIALOG, "commando1", None)])


def text_box(form, name, index, scale):
    """Where a control's text is drawn, clear of its border, in a window at the scale; of the
    depth box only its edit field."""
    left, top, width, height = form.rect(name, index)
    if name == "Combo1":
        width = width * 2 // 3
    inset = 2
    return tuple(round(v * scale) for v in (left + inset, top + inset, left + width - inset,
                                            top + height - inset))


def distance(a, b):
    return sum(abs(x - y) for x, y in zip(a, b))


def ink(image, box, colours=None):
    """How much of a box a text covers: the pixels at least half way from the background to
    the text's colour, and the box around them; a text cursor, a thin stroke apart at the
    right, does not count. The colours are the box's commonest and the one farthest from it,
    unless given; they come back for measuring another picture alike."""
    part = image.crop(box)
    pixels = list(part.getdata())
    if colours is None:
        background = collections.Counter(pixels).most_common(1)[0][0]
        colours = background, max(pixels, key=lambda p: distance(p, background))
    background, text = colours
    half = max(distance(text, background), 1) / 2
    covered = [i for i, p in enumerate(pixels) if distance(p, background) >= half]
    columns = sorted({i % part.width for i in covered})
    gaps = [n for n in range(1, len(columns)) if columns[n] - columns[n - 1] > 1]
    if gaps and len(columns) - gaps[-1] <= 3:
        covered = [i for i in covered if i % part.width < columns[gaps[-1]]]
    xs, ys = [i % part.width for i in covered], [i // part.width for i in covered]
    bounds = (min(xs), min(ys), max(xs) + 1, max(ys) + 1) if covered else None
    return len(covered), bounds, colours
