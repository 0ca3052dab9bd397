"""Reading the windows' pixels as a user reads them."""

import os

from PIL import Image, ImageDraw, ImageFont

from forms import Form

MAIN = Form("Form1")
NEUTRAL, GREEN, RED = (0xFD, 0xE6, 0xE3), (0x00, 0xFF, 0x00), (0xFF, 0x00, 0x00)
# The result cells' face, Arial Narrow's stand-in, at 28.5 pt at 96 dpi.
RESULT_FONT = os.path.join(os.environ["KUGELFIX_LIBERATION"],
                           "LiberationSansNarrow-Regular.ttf")
RESULT_PIXELS = 38


def glyphs(image, box):
    """The dark pixels of a box, cut to where they are."""
    ink = image.crop(box).convert("L").point(lambda v: 255 if v < 128 else 0)
    bounds = ink.getbbox()
    return ink.crop(bounds) if bounds else None


def read_number(image, box, font=None):
    """The number 1 to 49 whose drawing in the result face is most like what the box shows, and
    how alike the two are (0 to 1)."""
    font = font or ImageFont.truetype(RESULT_FONT, RESULT_PIXELS)
    seen = glyphs(image, box)
    if seen is None:
        return None, 0.0
    best, score = None, 0.0
    for number in range(1, 50):
        canvas = Image.new("L", (120, 80), 255)
        ImageDraw.Draw(canvas).text((10, 10), str(number), font=font, fill=0)
        drawn = glyphs(canvas, (0, 0, 120, 80))
        shape = min(seen.width, drawn.width) / max(seen.width, drawn.width)
        a, b = seen.resize(drawn.size).getdata(), drawn.getdata()
        both = sum(1 for p, q in zip(a, b) if p and q)
        either = sum(1 for p, q in zip(a, b) if p or q)
        similarity = shape * both / max(either, 1)
        if similarity > score:
            best, score = number, similarity
    return best, score


class Board:
    """The main window's board and result cells in a picture whose client area starts at
    origin."""

    def __init__(self, image, origin):
        self.image, self.origin = image, origin

    def at(self, point):
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def cells(self):
        """Each board number's colour, read inside its cell clear of its digits."""
        colours = {}
        for number in range(1, 50):
            left, top = MAIN.rect("Label3", number)[:2]
            colours[number] = self.image.getpixel(self.at((left + 3, top + 3)))
        return colours

    def coloured(self, colour):
        return sorted(n for n, c in self.cells().items() if c == colour)

    def result_boxes(self):
        for index in range(6):
            left, top, width, height = MAIN.rect("label1", index)
            yield self.at((left + 2, top + 2)) + self.at((left + width - 2, top + height - 2))

    def results(self):
        """The numbers the six result cells show (None for an empty or unreadable cell)."""
        shown = []
        for box in self.result_boxes():
            number, similarity = read_number(self.image, box)
            shown.append(number if similarity > 0.6 else None)
        return shown
