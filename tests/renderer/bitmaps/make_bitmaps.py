#!/usr/bin/env python3
"""Writes the loader's test bitmaps and their expected RGB outputs.

Each good file is encoded here from a known picture, and its .rgb file is that
picture itself (rows bottom-up, R G B, no padding), so the expectations never
come from the code under test. Where ImageMagick reads a file by the same
rules, the script also checks that ImageMagick decodes it to the same bytes.
The damaged files are small variations of good ones; the loader tests say what
each must give. Run it from anywhere: python3 make_bitmaps.py
"""
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def le16(v):
    return struct.pack('<H', v & 0xFFFF)


def le32(v):
    return struct.pack('<I', v & 0xFFFFFFFF)


def info_header(w, h, bpp, compression=0, image_size=0, clr_used=0, planes=1, size=40):
    head = (le32(size) + le32(w) + le32(h) + le16(planes) + le16(bpp) + le32(compression) +
            le32(image_size) + le32(2835) + le32(2835) + le32(clr_used) + le32(0))
    return head + bytes(size - 40)


def core_header(w, h, bpp, planes=1):
    return le32(12) + le16(w) + le16(h) + le16(planes) + le16(bpp)


def with_file_header(dib, offset):
    return b'BM' + le32(14 + len(dib)) + le32(0) + le32(offset) + dib


def bmp(header, pixels, table=b'', masks=b'', offset=None):
    """A file with the "BM" header; pixels right after the table unless told."""
    if offset is None:
        offset = 14 + len(header) + len(masks) + len(table)
    gap = bytes(max(0, offset - (14 + len(header) + len(masks) + len(table))))
    return with_file_header(header + masks + table + gap + pixels, offset)


def quads(colours):
    return b''.join(bytes([b, g, r, 0]) for r, g, b in colours)


def triples(colours):
    return b''.join(bytes([b, g, r]) for r, g, b in colours)


def pad4(row):
    return row + bytes(-len(row) % 4)


def pack_indices(indices, bpp):
    out = bytearray()
    per_byte = 8 // bpp
    for i in range(0, len(indices), per_byte):
        byte = 0
        for k in range(per_byte):
            v = indices[i + k] if i + k < len(indices) else 0
            byte |= v << (8 - bpp * (k + 1))
        out.append(byte)
    return bytes(out)


def indexed_pixels(rows, bpp):
    return b''.join(pad4(pack_indices(r, bpp)) for r in rows)


def lookup(rows, palette):
    return [[palette[i] if i < len(palette) else (0, 0, 0) for i in r] for r in rows]


def rgb_bytes(picture):
    return b''.join(bytes(c) for row in picture for c in row)


def rep(v, bits):
    """A field of `bits` bits scaled to 8 by GDI's rule: top 8 bits, or repeated once."""
    if bits >= 8:
        return v >> (bits - 8)
    top = (v << (8 - bits)) & 0xFF
    return top | (top >> bits)


written = {}


def write(name, data):
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(data)
    written[name] = data


def good(name, data, picture, expected=None, magick=True):
    write(name, data)
    expected = expected or os.path.splitext(name)[0] + '.rgb'
    write(expected, rgb_bytes(picture))
    if magick:
        check_with_magick(name, picture)


def check_with_magick(name, picture):
    # ImageMagick complains about the end of some RLE files that it reads in
    # full; the bytes it writes are what counts.
    try:
        out = subprocess.run(['convert', os.path.join(HERE, name), '-flip', '-depth', '8',
                              'rgb:-'], capture_output=True).stdout
    except OSError as e:
        print(f'ImageMagick could not check {name}: {e}', file=sys.stderr)
        return
    if out != rgb_bytes(picture):
        sys.exit(f'ImageMagick reads {name} differently')


# --- Pictures, rows bottom-up -------------------------------------------------------------

RED, GREEN, BLUE, WHITE, BLACK = (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (0, 0, 0)


def rgb24(picture, topdown=False):
    w, h = len(picture[0]), len(picture)
    rows = list(reversed(picture)) if topdown else picture
    pixels = b''.join(pad4(b''.join(bytes([b, g, r]) for r, g, b in row)) for row in rows)
    return bmp(info_header(w, -h if topdown else h, 24), pixels)


def paletted(indices, palette, bpp, clr_used=0, topdown=False):
    w, h = len(indices[0]), len(indices)
    rows = list(reversed(indices)) if topdown else indices
    return bmp(info_header(w, -h if topdown else h, bpp, clr_used=clr_used),
               indexed_pixels(rows, bpp), table=quads(palette))


def make_good():
    two = [[RED, GREEN], [BLUE, WHITE]]
    good('rgb24_2x2.bmp', rgb24(two), two)

    three = [[(10, 20, 30), (40, 50, 60), (70, 80, 90)],
             [(100, 110, 120), (130, 140, 150), (160, 170, 180)]]
    good('rgb24_3x2.bmp', rgb24(three), three)

    tall = [[(x * 40, y * 60, 200 - x * 30 - y * 10) for x in range(3)] for y in range(3)]
    good('rgb24_topdown_3x3.bmp', rgb24(tall, topdown=True), tall)

    pal2 = [(0x12, 0x34, 0x56), (0xFE, 0xDC, 0xBA)]
    idx1 = [[1 if (x * y + x + y) % 3 == 0 else 0 for x in range(9)] for y in range(3)]
    good('pal1_9x3.bmp', paletted(idx1, pal2, 1), lookup(idx1, pal2))
    good('pal1_topdown_9x2.bmp', paletted(idx1[:2], pal2, 1, topdown=True), lookup(idx1[:2], pal2))

    pal16 = [(i * 16, 255 - i * 16, i * 7) for i in range(16)]
    idx4 = [[(x + 5 * y) % 16 for x in range(5)] for y in range(3)]
    good('pal4_5x3.bmp', paletted(idx4, pal16, 4), lookup(idx4, pal16))

    pal256 = [(i, (i * 7) & 255, 255 - i) for i in range(256)]
    idx8 = [[(x * 37 + y * 91 + 5) % 256 for x in range(5)] for y in range(3)]
    picture8 = lookup(idx8, pal256)
    good('pal8_info_5x3.bmp', paletted(idx8, pal256, 8), picture8, 'pal8_5x3.rgb')
    core = bmp(core_header(5, 3, 8), indexed_pixels(idx8, 8), table=triples(pal256))
    good('pal8_core_5x3.bmp', core, picture8, 'pal8_5x3.rgb')
    good('pal8_topdown_5x3.bmp', paletted(idx8, pal256, 8, topdown=True), picture8)

    # Colours-used 16: a 16-entry table, the pixels right after it.
    idx16 = [[(x * 3 + y * 5) % 16 for x in range(4)] for y in range(3)]
    good('pal8_used16_4x3.bmp', paletted(idx16, pal16, 8, clr_used=16), lookup(idx16, pal16))

    # Indices 4 to 7 lie past a 4-entry table: black, as GDI gives.
    pal4 = pal16[4:8]
    idx_past = [[0, 1, 2, 3], [4, 5, 6, 7]]
    good('pal8_past_table_4x2.bmp', paletted(idx_past, pal4, 8, clr_used=4), lookup(idx_past, pal4),
         magick=False)

    # Bare DIBs: no file header, the pixels straight after header and table.
    idx_bare = [[0, 5, 15], [9, 3, 12]]
    bare_core = core_header(3, 2, 4) + triples(pal16) + indexed_pixels(idx_bare, 4)
    good('pal4_core_bare_3x2.dib', bare_core, lookup(idx_bare, pal16), magick=False)
    bare_info = info_header(3, 2, 8, clr_used=16) + quads(pal16) + indexed_pixels(idx_bare, 8)
    good('pal8_info_bare_3x2.dib', bare_info, lookup(idx_bare, pal16), magick=False)

    # 16 bits, 5-5-5; the top bit is unused and set on some pixels.
    px555, pic555 = [], []
    for y in range(4):
        row, prow = b'', []
        for x in range(8):
            k = y * 8 + x
            r, g, b = k, (k * 7) % 32, 31 - k
            row += le16((k % 3 == 0) << 15 | r << 10 | g << 5 | b)
            prow.append((rep(r, 5), rep(g, 5), rep(b, 5)))
        px555.append(row)
        pic555.append(prow)
    good('rgb16_555_8x4.bmp', bmp(info_header(8, 4, 16), b''.join(px555)), pic555)

    # 32 bits, blue green red and an unused byte that is not zero.
    pic32 = [[(x * 80, 255 - y * 90, (x + y) * 40) for x in range(3)] for y in range(2)]
    px32 = b''.join(bytes([b, g, r, 0x7F]) for row in pic32 for r, g, b in row)
    good('rgb32_3x2.bmp', bmp(info_header(3, 2, 32), px32), pic32)

    # Bit fields: 5-6-5, 4-4-4, 10-10-10 and red in the low byte.
    def bitfields(w, h, bpp, masks, values):
        """values: rows of (r, g, b) field values; returns file and picture."""
        shifts = [(m & -m).bit_length() - 1 for m in masks]
        lengths = [bin(m).count('1') for m in masks]
        rows, picture = b'', []
        for vrow in values:
            raw, prow = b'', []
            for v in vrow:
                word = sum(v[c] << shifts[c] for c in range(3))
                raw += le16(word) if bpp == 16 else le32(word)
                prow.append(tuple(rep(v[c], lengths[c]) for c in range(3)))
            rows += pad4(raw)
            picture.append(prow)
        header = info_header(w, h, bpp, compression=3)
        return header, b''.join(le32(m) for m in masks), rows, picture

    v565 = [[(k % 32, k, (k * 5) % 32) for k in range(y * 8, y * 8 + 8)] for y in range(8)]
    head, masks, rows, pic = bitfields(8, 8, 16, (0xF800, 0x07E0, 0x001F), v565)
    good('bf16_565_8x8.bmp', bmp(head, rows, masks=masks), pic)
    # Bare, with bit fields: the pixels follow the masks.
    good('bf16_565_bare_8x8.dib', head + masks + rows, pic, magick=False)

    v444 = [[(k, 15 - k, (k * 3) % 16) for k in range(y * 4, y * 4 + 4)] for y in range(4)]
    head, masks, rows, pic = bitfields(4, 4, 16, (0x0F00, 0x00F0, 0x000F), v444)
    # ImageMagick scales 4-bit fields by shifting alone; GDI repeats the bits.
    good('bf16_444_4x4.bmp', bmp(head, rows, masks=masks), pic, magick=False)

    v10 = [[(1023, 512, 3), (100, 4, 1000)], [(0, 1, 2), (700, 800, 900)]]
    head, masks, rows, pic = bitfields(2, 2, 32, (0x3FF00000, 0x000FFC00, 0x000003FF), v10)
    good('bf32_101010_2x2.bmp', bmp(head, rows, masks=masks), pic, magick=False)

    vx = [[(x * 70, y * 100 + 20, 255 - x * 50) for x in range(3)] for y in range(2)]
    head, masks, rows, pic = bitfields(3, 2, 32, (0x0000FF, 0x00FF00, 0xFF0000), vx)
    good('bf32_xbgr_3x2.bmp', bmp(head, rows, masks=masks), pic)

    make_rle()
    make_magick()


class Rle:
    """Builds an RLE8 or RLE4 stream and paints the picture it stands for."""

    def __init__(self, w, h, bpp, palette):
        self.w, self.h, self.bpp, self.palette = w, h, bpp, palette
        self.x = self.y = 0
        self.data = bytearray()
        self.canvas = [[BLACK] * w for _ in range(h)]

    def put(self, index):
        if self.y >= self.h or self.x >= self.w:  # a damaged stream runs off the picture
            return
        self.canvas[self.y][self.x] = self.palette[index] if index < len(self.palette) else BLACK
        self.x += 1

    def run(self, count, value):
        self.data += bytes([count, value])
        for k in range(count):
            self.put(value if self.bpp == 8 else (value >> 4 if k % 2 == 0 else value & 15))
        return self

    def absolute(self, indices):
        raw = bytes(indices) if self.bpp == 8 else pack_indices(indices, 4)
        self.data += bytes([0, len(indices)]) + raw + bytes(len(raw) % 2)
        for i in indices:
            self.put(i)
        return self

    def eol(self):
        self.data += b'\0\0'
        self.x, self.y = 0, self.y + 1
        return self

    def delta(self, dx, dy):
        self.data += bytes([0, 2, dx, dy])
        self.x, self.y = min(self.x + dx, self.w), self.y + dy
        return self

    def raw(self, data):
        """Bytes that paint nothing: for damaged streams."""
        self.data += bytes(data)
        return self

    def eob(self):
        self.data += b'\0\1'
        return self

    def file(self, image_size=None):
        size = len(self.data) if image_size is None else image_size
        head = info_header(self.w, self.h, self.bpp, compression=1 if self.bpp == 8 else 2,
                           image_size=size, clr_used=len(self.palette))
        return bmp(head, bytes(self.data), table=quads(self.palette))


def rle_palette(n):
    # Entry 0 is black, the colour of pixels that the data leaves out.
    return [BLACK] + [((i * 53) % 256, (i * 97 + 40) % 256, (i * 29 + 90) % 256)
                      for i in range(1, n)]


def make_rle():
    p8 = rle_palette(12)
    r8 = (Rle(8, 6, 8, p8)
          .run(8, 1).eol()                                    # a full row
          .run(3, 2).absolute([3, 4, 5]).run(2, 6).eol()      # odd absolute run: padded
          .absolute([7, 8, 9, 10]).delta(2, 1)                # skip to the next row
          .run(2, 11).eol()                                   # pixels 0-5 of row 3 left black
          .run(1, 3).eol()                                    # end of line leaves the rest black
          .eob())                                             # row 5 left black
    good('rle8_8x6.bmp', r8.file(), r8.canvas)

    last = Rle(4, 2, 8, p8).run(4, 5).eol().absolute([1, 2, 3, 4]).eol()
    good('rle8_last_eol_4x2.bmp', last.file(), last.canvas)

    p4 = rle_palette(16)
    r4 = (Rle(9, 6, 4, p4)
          .run(5, 0x12).run(4, 0x34).eol()                    # alternating nibbles, odd start
          .run(1, 0x50).absolute([6, 7, 8, 9, 10]).run(3, 0xBC).eol()
          .delta(3, 1).absolute([11, 12, 13]).run(2, 0xEF).eol()  # row 2 left black
          .run(9, 0xF1).eol()
          .absolute([1, 2, 3, 4, 5, 6, 7, 8, 9]).eob())
    good('rle4_9x6.bmp', r4.file(), r4.canvas)

    # Runs and moves past the right edge stop there, as GDI draws them.
    clip8 = (Rle(4, 3, 8, p8)
             .run(6, 1).eol()
             .run(2, 2).absolute([3, 4, 5]).eol()
             .run(1, 3).delta(5, 0).run(2, 1).absolute([6, 7, 8]).eol())
    good('rle8_clipped_4x3.bmp', clip8.file(), clip8.canvas)
    clip4 = Rle(3, 2, 4, p4).run(4, 0x12).eol().absolute([5, 6, 7, 8, 9]).eob()
    good('rle4_clipped_3x2.bmp', clip4.file(), clip4.canvas)
    return p8


def make_magick():
    """Files that ImageMagick writes itself, decoded by ImageMagick for the expectation."""
    def magick(name, *args):
        path = os.path.join(HERE, name)
        subprocess.run(['convert', *args, 'BMP3:' + path], check=True)
        raw = subprocess.run(['convert', path, '-flip', '-depth', '8', 'rgb:-'],
                             capture_output=True, check=True).stdout
        with open(path, 'rb') as f:
            written[name] = f.read()
        write(os.path.splitext(name)[0] + '.rgb', raw)

    # What the host writes: a 32 x 32 glow, 24 bits.
    magick('glow_magick_32x32.bmp', '-size', '32x32', 'radial-gradient:white-black',
           '-type', 'TrueColor')
    # ImageMagick's own RLE8 encoder, 13 pixels wide.
    magick('rle8_magick_13x7.bmp', '-size', '13x7', 'gradient:red-blue', '-colors', '6',
           '-type', 'Palette', '-compress', 'RLE')


def make_bad():
    base = rgb24([[RED, GREEN, BLUE]] * 2)          # 3x2, rows of 9 + 3 bytes
    pal = [(i * 16, 255 - i * 16, i * 7) for i in range(16)]
    base8 = paletted([[1, 2, 3]] * 2, pal, 8, clr_used=16)

    def patch(data, offset, value, size=4):
        return data[:offset] + (le32(value) if size == 4 else le16(value)) + data[offset + size:]

    # Headers of other sizes: 108 and 124 bytes, and a file that is no bitmap.
    write('header108.bmp', bmp(info_header(2, 2, 24, size=108), pad4(bytes(6)) * 2))
    write('header124.bmp', bmp(info_header(2, 2, 24, size=124), pad4(bytes(6)) * 2))
    write('not_a_bitmap.bmp', b'Just some text, no bitmap here.\n')

    write('empty.bmp', b'')
    write('trunc_file_header.bmp', base[:12])
    write('trunc_header_size.bmp', base[:16])
    write('trunc_info_header.bmp', base[:40])
    write('trunc_core_header.dib', core_header(2, 2, 24)[:10])
    write('trunc_colour_table.bmp', base8[:14 + 40 + 30])
    write('trunc_masks.bmp', bmp(info_header(2, 2, 16, compression=3), bytes(8),
                                 masks=le32(0xF800) + le32(0x7E0) + le32(0x1F))[:14 + 40 + 8])
    write('trunc_pixel_rows.bmp', base[:-1])
    write('trunc_bare_pixel_rows.dib', (info_header(3, 2, 24) + pad4(bytes(9)) * 2)[:-2])
    write('offset_past_end.bmp', patch(base, 10, len(base) + 1))
    write('offset_into_header.bmp', patch(base, 10, 20))
    write('offset_into_table.bmp', patch(base8, 10, 14 + 40 + 32))

    write('width_zero.bmp', patch(base, 18, 0))
    write('width_negative.bmp', patch(base, 18, -3))
    write('height_zero.bmp', patch(base, 22, 0))
    write('height_most_negative.bmp', patch(base, 22, -2**31))
    write('core_width_zero.bmp', bmp(core_header(0, 2, 24), b''))
    write('huge_rgb.bmp', patch(patch(base, 18, 0x7FFFFFFF), 22, 0x7FFFFFFF))
    write('huge_4g_pixels.bmp', patch(patch(base, 18, 65536), 22, 65536))
    write('cap_plus_one_row.bmp', patch(patch(base, 18, 8192), 22, 8193))
    huge = Rle(2, 2, 8, [BLACK, WHITE]).eob()
    write('huge_rle8.bmp', patch(patch(huge.file(), 18, 100000), 22, 100000))
    write('planes_zero.bmp', patch(base, 26, 0, 2))
    write('planes_two.bmp', patch(base, 26, 2, 2))
    write('bits_zero.bmp', patch(base, 28, 0, 2))
    write('bits_seven.bmp', patch(base, 28, 7, 2))
    write('bits_two.bmp', patch(base, 28, 2, 2))
    write('rle8_on_4_bits.bmp', patch(patch(base8, 28, 4, 2), 30, 1))
    write('bitfields_on_24_bits.bmp', patch(base, 30, 3))
    write('colours_used_too_many.bmp', patch(base8, 46, 257))
    write('colour_table_huge.bmp', patch(base, 46, 0xFFFFFFFF))

    def bf(masks):
        return bmp(info_header(2, 1, 16, compression=3), pad4(bytes(4)),
                   masks=b''.join(map(le32, masks)))
    write('bitfields_mask_zero.bmp', bf((0xF800, 0, 0x1F)))
    write('bitfields_mask_broken.bmp', bf((0xF000 | 0x0200, 0x07E0 & ~0x0200, 0x1F)))
    write('bitfields_masks_overlap.bmp', bf((0xF800, 0x0FE0, 0x1F)))
    write('bitfields_mask_too_wide.bmp', bf((0x1F800, 0x07E0, 0x1F)))

    def rle8():
        return Rle(4, 2, 8, rle_palette(4))
    write('rle_top_down.bmp', patch(rle8().run(4, 1).eol().run(4, 2).eob().file(), 22, -2))
    write('rle8_delta_past_top.bmp', rle8().delta(0, 2).eob().file())
    write('rle8_no_end.bmp', rle8().run(4, 1).eol().run(4, 2).file())
    write('rle8_absolute_past_input.bmp',
          Rle(12, 1, 8, rle_palette(4)).run(1, 1).raw([0, 9, 1, 2]).file())
    write('rle8_delta_cut_short.bmp', rle8().run(1, 1).raw([0, 2, 1]).file())
    write('rle8_image_size_short.bmp', rle8().run(4, 1).eol().run(4, 2).eob().file(image_size=6))
    write('rle4_absolute_past_input.bmp',
          Rle(12, 1, 4, rle_palette(4)).run(1, 0x10).raw([0, 8, 0x12, 0x30]).file())

    write('compression_jpeg.bmp', patch(base, 30, 4))
    write('compression_png.bmp', patch(base, 30, 5))
    write('compression_unknown.bmp', patch(base, 30, 0x7FFF))


if __name__ == '__main__':
    make_good()
    make_bad()
    print(f'{len(written)} files written to {HERE}')
