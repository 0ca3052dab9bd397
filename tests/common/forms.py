"""The windows' definitions, read where the tests need a window's title or a control's place."""

import json
import os

SOURCE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
TWIPS_PER_PIXEL = 15


class Form:
    """A window's definition, in the pixels of a window at 100 %."""

    def __init__(self, name):
        with open(os.path.join(SOURCE, "ui", name + ".json"), encoding="utf-8") as file:
            self.definition = json.load(file)
        self.title = self.definition["caption"]
        self.size = (self.definition["clientWidth"] // TWIPS_PER_PIXEL,
                     self.definition["clientHeight"] // TWIPS_PER_PIXEL)

    def rect(self, name, index=None):
        """Left, top, width and height of a control (of an element of a control array) within
        the client area."""
        for control in self.definition["controls"]:
            if control["name"] != name:
                continue
            left, top = control["left"], control["top"]
            if "array" in control:
                array = control["array"]
                row, column = divmod(index - array["from"], array["columns"])
                left += column * array["stepX"]
                top += row * array["stepY"]
            twips = (left, top, control["width"], control["height"])
            pixels = [v // TWIPS_PER_PIXEL for v in twips]
            if "container" in control:
                outer = self.rect(control["container"])
                pixels[0] += outer[0]
                pixels[1] += outer[1]
            return tuple(pixels)
        raise KeyError(name)

    def centre(self, name, index=None):
        left, top, width, height = self.rect(name, index)
        return left + width // 2, top + height // 2
