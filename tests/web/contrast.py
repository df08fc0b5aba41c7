"""Contrast as WCAG 2.2 defines it, the one function every test of the page
measures colours with, and what it measures an option's circle by."""


def luminance(rgb):
    """Relative luminance of an sRGB colour, components 0 to 255."""
    def channel(c):
        c /= 255
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(c) for c in rgb[:3])
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    la, lb = sorted((luminance(a), luminance(b)), reverse=True)
    return (la + 0.05) / (lb + 0.05)


def circle_edges(image, box, against):
    """How an option's circle stands out from `against` (the row's colour)
    at its outline: on each of the four radii from its edge inward, the
    strongest contrast over the outer third, where a ring is drawn; the
    weakest of the four. `box` is the circle's box in the picture's pixels,
    (left, top, right, bottom)."""
    left, top, right, bottom = box
    cx, cy = (left + right) // 2, (top + bottom) // 2
    reach = max(2, (right - left) // 3)
    radii = [[(x, cy) for x in range(left, left + reach)], [(x, cy) for x in range(right - 1, right - 1 - reach, -1)],
             [(cx, y) for y in range(top, top + reach)], [(cx, y) for y in range(bottom - 1, bottom - 1 - reach, -1)]]
    return min(max(contrast(image.getpixel(p), against) for p in radius) for radius in radii)


def circle_centre(image, box):
    left, top, right, bottom = box
    return image.getpixel(((left + right) // 2, (top + bottom) // 2))


def mark_spans(image, box, face):
    """A checked circle's mark in pixels, the narrower of across and down,
    and the wider diagonal: alike for a round mark, the diagonal longer by
    half for a square. Its pixels are nearer the middle's colour than `face`."""
    cx, cy = (box[0] + box[2]) // 2, (box[1] + box[3]) // 2
    middle = image.getpixel((cx, cy))

    def reach(dx, dy):
        k = 1
        while contrast(p := image.getpixel((cx + k * dx, cy + k * dy)), middle) < contrast(p, face):
            k += 1
        return k - 1

    def span(dx, dy):
        return (reach(dx, dy) + reach(-dx, -dy) + 1) * (dx * dx + dy * dy) ** 0.5
    return min(span(1, 0), span(0, 1)), max(span(1, 1), span(1, -1))
