"""Reading the windows' pixels as a user reads them."""

from PIL import Image, ImageDraw, ImageFont

# The result cells' face, Arial Narrow's stand-in, at 28.5 pt at 96 dpi.
RESULT_FONT = "/usr/share/fonts/truetype/liberation/LiberationSansNarrow-Regular.ttf"
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
