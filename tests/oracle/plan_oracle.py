#!/usr/bin/env python3
"""Independent model of the Varnel loading calculation and plan file writer.

Written in plain Python so the C++ planner can be checked against a second,
separately written implementation.  Sizes are single-precision floats: every
product or quotient is worked out in double and rounded to float32 where the
program stores it, so both implementations must agree bit for bit.

Run it directly to check it against the worked examples; run it with six
sizes (centimetres) to print what the planner would print.
"""

import math
import struct
import sys
from fractions import Fraction

# --------------------------------------------------------------------------
# Numbers


_FLOAT32 = struct.Struct('<f')
_BITS32 = struct.Struct('<I')


def f32(x):
    """Round a double to the nearest float32 (ties to even)."""
    return _FLOAT32.unpack(_FLOAT32.pack(x))[0]


def _f32_step(f, towards):
    bits = _BITS32.unpack(_FLOAT32.pack(f))[0]
    bits += 1 if (towards > f) == (f > 0) else -1
    return _FLOAT32.unpack(_BITS32.pack(bits))[0], bits


def parse_f32(text):
    """Decimal text to the nearest float32, or None when it is no number."""
    text = text.strip()
    # Only the plain ASCII forms: sign, digits, point, exponent.
    if not text or not text.isascii() or '/' in text or '_' in text:
        return None
    try:
        exact = Fraction(text)
    except ValueError:
        return None
    try:
        d = float(exact)
        f = f32(d)
    except OverflowError:
        return None
    if d == f:
        return f
    # Text -> double -> float rounds twice; that only goes wrong when the
    # double lands on the midpoint between two floats.  Settle those exactly.
    other, other_bits = _f32_step(f, d)
    if (f + other) / 2 != d:
        return f
    gap = abs(Fraction(f) - exact) - abs(Fraction(other) - exact)
    if gap > 0 or (gap == 0 and other_bits % 2 == 0):
        return other
    return f


def cm_to_mm(value):
    """Multiply in double and store a float; None when that overflows."""
    try:
        return f32(value * 10.0)
    except OverflowError:
        return None


def float_text(f):
    """A float as the program shows it: up to 7 significant digits."""
    if f == 0:
        return '0'  # -0 included
    return '%.7G' % f


# --------------------------------------------------------------------------
# Load model

# Which carton dimension (0 length, 1 width, 2 height) lies along X, Y, Z.
ORIENTATIONS = {
    1: (0, 1, 2),
    2: (0, 2, 1),
    3: (1, 0, 2),
    4: (2, 0, 1),
    5: (1, 2, 0),
    6: (2, 1, 0),
}
UPRIGHT = (1, 3)

VIEW_ORIGIN = (350.0, 2600.0)
VIEW_EXTENT = (2000.0, 5000.0, 2500.0)
VIEW_ANGLE = 0.4


class Stack:
    """One record of a stack table, fields in the record's own order."""

    FIELDS = ('reserved', 'box_length', 'box_width', 'box_height',
              'space_x', 'space_y', 'space_z', 'origin_x', 'origin_y',
              'count_x', 'count_y', 'count_z', 'orientation', 'in_use', 'stage')
    __slots__ = FIELDS

    def __init__(self, box, space, origin, counts, orientation, stage):
        self.reserved = 0
        self.box_length, self.box_width, self.box_height = box
        self.space_x, self.space_y, self.space_z = space
        self.origin_x, self.origin_y = origin
        self.count_x, self.count_y, self.count_z = counts
        self.orientation = orientation
        self.in_use = 1
        self.stage = stage

    @property
    def box(self):
        return (self.box_length, self.box_width, self.box_height)

    @property
    def counts(self):
        return (self.count_x, self.count_y, self.count_z)

    def used(self):
        """Sizes the stack occupies on X, Y, Z."""
        ext = extents(self.box, self.orientation)
        return tuple(f32(n * e) for n, e in zip(self.counts, ext))


def extents(box, orientation):
    return tuple(box[i] for i in ORIENTATIONS[orientation])


# --------------------------------------------------------------------------
# Orientation search


class Search:
    def __init__(self):
        self.fills = {o: 0.0 for o in ORIENTATIONS}
        self.best_fill = 0.0
        self.counts = (0, 0, 0)
        self.orientation = None

    @property
    def found(self):
        return all(self.counts)


def find_best_orientation(box, space, side_allowed):
    result = Search()
    if any(d == 0 for d in box):
        return result
    sx, sy, sz = space
    for o in ORIENTATIONS:
        if o not in UPRIGHT and not side_allowed:
            continue
        ext = extents(box, o)
        if any(e > s for e, s in zip(ext, space)):
            continue
        # A floor that forgives a quotient just under a whole number.
        t = 0.49999 if o == 1 else 0.4999999
        counts = tuple(round(s / e - t) for s, e in zip(space, ext))
        (nx, ny, nz), (ex, ey, ez) = counts, ext
        fill = f32((nx * ex) * (ny * ey) * (nz * ez) / (sx * sy * sz))
        result.fills[o] = fill
        if fill > result.best_fill:
            result.best_fill = fill
            result.counts = counts
            result.orientation = o
    return result


# --------------------------------------------------------------------------
# Stack planning


def project(dx, dy):
    """Drawing position of a corner offset in the oblique view."""
    x = VIEW_ORIGIN[0] + dx + dy * math.cos(VIEW_ANGLE)
    y = VIEW_ORIGIN[1] - dy * math.sin(VIEW_ANGLE)
    return (f32(x), f32(y))


def f32_sum(values):
    total = 0.0
    for v in values:
        total = f32(total + v)
    return total


class Plan:
    def __init__(self):
        self.stacks = []       # millimetres
        self.draw_stacks = []  # drawing units
        self.branches = []     # which way each observable choice went


def plan_stacks(container, box, side_allowed, single):
    """container = (W, L, H) in mm (X, Y, Z); box = carton (l, w, h) in mm."""
    W, L, H = container
    plan = Plan()
    scale = [None]

    def place(space, mm_origin, draw_origin, stage):
        search = find_best_orientation(box, space, side_allowed)
        if not search.found:
            return None
        o = search.orientation
        if scale[0] is None:
            scale[0] = tuple(f32(v / c) for v, c in zip(VIEW_EXTENT, container))
        k = scale[0]
        axis_of_dim = {dim: axis for axis, dim in enumerate(ORIENTATIONS[o])}
        draw_box = tuple(f32(box[d] * k[axis_of_dim[d]]) for d in range(3))
        draw_space = tuple(f32(s * ka) for s, ka in zip(space, k))
        plan.stacks.append(Stack(box, space, mm_origin, search.counts, o, stage))
        plan.draw_stacks.append(Stack(draw_box, draw_space, draw_origin,
                                      search.counts, o, stage))
        return plan.stacks[-1]

    # Stage 0: the whole container.
    s0 = place((W, L, H), VIEW_ORIGIN, VIEW_ORIGIN, 0)
    if s0 is None or single:
        return plan
    ux0, uy0, uz0 = s0.used()
    dux0, duy0, _ = plan.draw_stacks[0].used()
    front_y = f32(L - uy0)
    along_mm = project(0.0, front_y)
    along_draw = project(0.0, f32(VIEW_EXTENT[1] - duy0))

    # Stage 1: in front of stack 0, then on top of 1a.
    s1a = place((W, front_y, H), VIEW_ORIGIN, VIEW_ORIGIN, 1)
    if s1a is not None:
        place((W, front_y, f32(H - s1a.used()[2])), VIEW_ORIGIN, VIEW_ORIGIN, 1)

    # Stage 2: the strip beside stack 0, full length only when stack 0 is at
    # least as wide as what stands in front of it.
    stage1 = [s for s in plan.stacks if s.stage == 1]
    if stage1:
        side_x = f32(W - ux0)
        full = ((side_x, L), (f32(VIEW_ORIGIN[0] + ux0), VIEW_ORIGIN[1]),
                (f32(VIEW_ORIGIN[0] + dux0), VIEW_ORIGIN[1]))
        along = ((side_x, uy0), project(ux0, front_y),
                 project(dux0, f32(VIEW_EXTENT[1] - duy0)))
        widths = [s.used()[0] for s in stage1]
        beside = all(ux0 >= w for w in widths)
        (x, y), mm, dr = full if beside else along
        s2a = place((x, y, H), mm, dr, 2)
        if s2a is not None:
            plan.branches.append('2a full length' if beside else '2a along stack 0')
            if ux0 == max(widths):
                plan.branches.append('2a width tie')
            beside = ux0 >= f32_sum(widths)
            (x, y), mm, dr = full if beside else along
            if place((x, y, f32(H - s2a.used()[2])), mm, dr, 2) is not None:
                plan.branches.append('2b full length' if beside else '2b along stack 0')
                if ux0 == f32_sum(widths):
                    plan.branches.append('2b width tie')

    # Stage 3: the room above stack 0.
    def column_height(stage):
        return f32_sum(s.used()[2] for s in plan.stacks if s.stage == stage)

    z1, z2 = column_height(1), column_height(2)
    wide = uz0 >= z2          # the stage-2 column is no taller than stack 0
    low_front = uz0 >= z1     # nor is the stage-1 column
    x3 = W if wide else ux0
    z3 = f32(H - uz0)
    if low_front:
        s3a = place((x3, L, z3), VIEW_ORIGIN, VIEW_ORIGIN, 3)
    else:
        s3a = place((x3, uy0, z3), along_mm, along_draw, 3)
    if s3a is not None:
        plan.branches.append('3 full width' if wide else '3 narrow')
        plan.branches.append('3 full length' if low_front else '3 along stack 0')
        if z1 and uz0 == z1:
            plan.branches.append('3 length tie')
        if z2 and uz0 == z2:
            plan.branches.append('3 width tie')
        # Stage-3 stacks count in neither column, so both choices hold for 3b.
        uy3a = s3a.used()[1]
        if low_front:
            place((x3, f32(L - uy3a), z3), VIEW_ORIGIN, VIEW_ORIGIN, 3)
        else:
            place((x3, f32(uy0 - uy3a), z3), along_mm, along_draw, 3)
    return plan


# --------------------------------------------------------------------------
# Result summary


def summary(stacks):
    """(utilisation, stack count, carton count) as the summary computes them."""
    n = 0
    cartons = 0
    carton_volume = 0.0
    util = 1.0
    for s in stacks:
        if s.in_use != 1:
            break
        n += 1
        k = s.count_x * s.count_y * s.count_z
        cartons += k
        carton_volume += s.box_width * s.box_length * s.box_height * k
    container_volume = 0.0
    if stacks:
        s = stacks[0]
        container_volume = s.space_y * s.space_x * s.space_z
    if carton_volume != 0 and container_volume != 0:
        util = f32(carton_volume / container_volume * 100)
        util = f32(math.floor(util * 100) / 100)
    return util, n, cartons


def summary_texts(stacks):
    util, n, cartons = summary(stacks)
    return ('集装箱的利用效率：' + float_text(util) + '%',
            '分%d堆摆放共放%d个包装箱' % (n, cartons))


# --------------------------------------------------------------------------
# Plan file

# Block lines after the marker and the index, in file order.
BLOCK_FIELDS = ('box_length', 'box_width', 'box_height', 'stage', 'in_use',
                'origin_x', 'origin_y', 'space_x', 'space_y', 'space_z',
                'orientation', 'reserved', 'count_x', 'count_y', 'count_z')
INT_FIELDS = {'stage', 'in_use', 'orientation', 'reserved',
              'count_x', 'count_y', 'count_z'}


def number_line(value, is_int):
    text = str(abs(value)) if is_int else float_text(abs(value))
    sign = '-' if value < 0 and text != '0' else ' '
    return sign + text + ' '


def plan_file_lines(plan):
    lines = ['', '', 'Varnel软件', '*' * 30, '', 'load_team()']

    def blocks(table):
        for i, s in enumerate(table[:31]):
            if s.in_use != 1:
                break
            lines.append('#' * 8)
            lines.append(number_line(i, True))
            for name in BLOCK_FIELDS:
                lines.append(number_line(getattr(s, name), name in INT_FIELDS))
            lines.append('')

    blocks(plan.draw_stacks)
    lines += ['', '', '', '@' * 37, 'load_team_atu()']
    blocks(plan.stacks)
    return lines


def plan_file_bytes(plan):
    return ''.join(line + '\r\n' for line in plan_file_lines(plan)).encode('gbk')


# --------------------------------------------------------------------------
# The planner's whole run, from the six typed sizes to its outcome

NOT_A_NUMBER = ('包装箱的长输入有误，请重新输入',
                '包装箱的宽输入有误，请重新输入',
                '包装箱的高输入有误，请重新输入')
TOO_SMALL = ('包装箱的长度太小，程序计算不正常',
             '包装箱的宽度太小，程序计算不正常',
             '包装箱的高度太小，程序计算不正常')
BAD_CONTAINER = '程序内部出错,操作无法完成'
TOO_LARGE = '集装箱尺寸过大，程序无法计算'
NO_RESULT = '没有计算结果'
# A container side of 0 or below, refused as the container dialogs refuse it
# once the calculation has read the sizes.
NOT_POSITIVE = ('集装箱的长度必须大于0，请重新输入',
                '集装箱的宽度必须大于0，请重新输入',
                '集装箱的高度必须大于0，请重新输入')
MIN_CARTON_MM = 150.0
# A container side more than this many carton sides long is refused, so every
# count stays a 16-bit integer.
MAX_COUNT_QUOTIENT = 32767.0


class Outcome:
    """exit status 0 with texts and file bytes, else the status and message."""

    def __init__(self, status, message=None, texts=None, plan=None):
        self.status = status
        self.message = message
        self.texts = texts
        self.plan = plan

    def file_bytes(self):
        return plan_file_bytes(self.plan)


def run(container_length, container_width, container_height,
        carton_length, carton_width, carton_height, single=False, upright=False):
    """The planner's run on texts in centimetres (container length is Y)."""
    box = []
    for i, text in enumerate((carton_length, carton_width, carton_height)):
        v = parse_f32(text)
        v = None if v is None else cm_to_mm(v)
        if v is None:
            return Outcome(2, NOT_A_NUMBER[i])
        box.append(v)
    for i, v in enumerate(box):
        if v < MIN_CARTON_MM:
            return Outcome(2, TOO_SMALL[i])
    sides = [parse_f32(t) for t in (container_width, container_length, container_height)]
    container = tuple(None if v is None else cm_to_mm(v) for v in sides)
    if None in container:
        return Outcome(2, BAD_CONTAINER)
    if max(container) / min(box) > MAX_COUNT_QUOTIENT:
        return Outcome(2, TOO_LARGE)
    for i, v in enumerate((container[1], container[0], container[2])):
        if not v > 0:
            return Outcome(2, NOT_POSITIVE[i])
    plan = plan_stacks(container, tuple(box), 0 if upright else 1, single)
    if not plan.stacks:
        return Outcome(1, NO_RESULT)
    return Outcome(0, texts=summary_texts(plan.stacks), plan=plan)


# --------------------------------------------------------------------------
# Self-check against the worked examples


def _close(a, b, tol=0.005):
    return abs(a - b) <= tol


def self_check():
    failures = []

    def expect(cond, what):
        if not cond:
            failures.append(what)

    # Orientation search: (space, carton, side_allowed, orientation, counts, fills)
    search_cases = [
        ((2350, 12000, 2390), (600, 400, 300), 0, 3, (5, 20, 7),
         {1: 0.6730, 3: 0.7477, 2: 0, 4: 0, 5: 0, 6: 0}),
        ((2350, 12000, 2390), (600, 400, 300), 1, 3, (5, 20, 7),
         {1: 0.6730, 3: 0.7477, 4: 0.7477, 2: 0.6409, 5: 0.6409, 6: 0.6730}),
        ((600, 400, 300), (600, 400, 300), 1, 1, (1, 1, 1), {1: 1.0}),
        ((500, 700, 300), (600, 400, 300), 0, 3, (1, 1, 1), {1: 0}),
        ((2000, 2000, 200), (600, 400, 300), 0, None, (0, 0, 0), {}),
    ]
    for space, box, side, o, counts, fills in search_cases:
        r = find_best_orientation(tuple(map(float, box)), tuple(map(float, space)), side)
        tag = 'search %s in %s side=%d' % (box, space, side)
        expect(r.orientation == o and r.counts == counts,
               '%s: got %s %s' % (tag, r.orientation, r.counts))
        for k, v in fills.items():
            expect(abs(r.fills[k] - v) < 0.0001, '%s: fill %d = %r' % (tag, k, r.fills[k]))

    # Tolerance of the rounded floor: quotient -> count in orientation 1, in 2..6.
    for quotient, want1, want_side in ((2.999995, 3, 2), (2.999992, 3, 2), (2.99998, 2, 2)):
        extent = 200.0
        space = quotient * extent
        r1 = round(space / extent - 0.49999)
        r2 = round(space / extent - 0.4999999)
        expect((r1, r2) == (want1, want_side),
               'floor tolerance %r: got %d, %d' % (quotient, r1, r2))

    # Stack planning: container (W, L, H), carton, rows of
    # (stage, space, orientation, counts, mm origin)
    plan_cases = [
        ((2350, 5900, 2390), (600, 850, 400), [
            (0, (2350, 5900, 2390), 1, (3, 6, 5), (350, 2600)),
            (1, (2350, 800, 2390), 2, (3, 2, 2), (350, 2600)),
            (1, (2350, 800, 690), 5, (2, 2, 1), (350, 2600)),
            (2, (550, 5900, 2390), 4, (1, 9, 2), (2150, 2600)),
            (2, (550, 5100, 690), 6, (1, 6, 1), (2886.85, 2288.47)),
        ], '80.03', 130),
        ((2350, 5900, 2390), (550, 600, 1200), [
            (0, (2350, 5900, 2390), 2, (4, 4, 3), (350, 2600)),
            (1, (2350, 1100, 2390), 3, (3, 2, 1), (350, 2600)),
            (1, (2350, 1100, 1190), 4, (1, 2, 1), (350, 2600)),
            (3, (2350, 5900, 590), 5, (3, 4, 1), (350, 2600)),
            (3, (2350, 1100, 590), 6, (1, 1, 1), (350, 2600)),
        ], None, 69),
    ]
    for container, box, rows, util, cartons in plan_cases:
        plan = plan_stacks(tuple(map(float, container)), tuple(map(float, box)), 1, False)
        tag = 'plan %s in %s' % (box, container)
        expect(len(plan.stacks) == len(rows), '%s: %d stacks' % (tag, len(plan.stacks)))
        for i, (row, s) in enumerate(zip(rows, plan.stacks)):
            stage, space, o, counts, origin = row
            got = (s.stage, (s.space_x, s.space_y, s.space_z), s.orientation, s.counts)
            expect(got == (stage, space, o, counts), '%s record %d: %s' % (tag, i, got))
            expect(_close(s.origin_x, origin[0]) and _close(s.origin_y, origin[1]),
                   '%s record %d origin (%r, %r)' % (tag, i, s.origin_x, s.origin_y))
        u, n, c = summary(plan.stacks)
        expect(c == cartons, '%s: %d cartons' % (tag, c))
        if util is not None:
            expect(summary_texts(plan.stacks) ==
                   ('集装箱的利用效率：%s%%' % util, '分%d堆摆放共放%d个包装箱' % (n, cartons)),
                   '%s: summary %s' % (tag, summary_texts(plan.stacks)))

    # The first example in drawing units, to two decimals.
    plan = plan_stacks((2350.0, 5900.0, 2390.0), (600.0, 850.0, 400.0), 1, False)
    d = plan.draw_stacks
    draw_cases = [
        (0, 'box', (510.64, 720.34, 418.41)),
        (0, 'space', (2000, 5000, 2500)),
        (1, 'box', (510.64, 889.12, 338.98)),
        (3, 'origin', (1881.91, 2600)),
        (4, 'space', (468.09, 4322.03, 721.76)),
        (4, 'origin', (2506.36, 2335.99)),
    ]
    for i, what, want in draw_cases:
        s = d[i]
        got = {'box': s.box, 'space': (s.space_x, s.space_y, s.space_z),
               'origin': (s.origin_x, s.origin_y)}[what]
        expect(all(_close(g, w) for g, w in zip(got, want)),
               'draw record %d %s: %s' % (i, what, got))

    # One stack of 700 cartons: the percentage is cut, not rounded.
    plan = plan_stacks((2350.0, 12000.0, 2390.0), (600.0, 400.0, 300.0), 0, True)
    expect(summary_texts(plan.stacks)[0] == '集装箱的利用效率：74.77%',
           'cut utilisation: %s' % (summary_texts(plan.stacks),))
    plan = plan_stacks((600.0, 400.0, 300.0), (600.0, 400.0, 300.0), 1, False)
    expect(summary_texts(plan.stacks) == ('集装箱的利用效率：100%', '分1堆摆放共放1个包装箱'),
           'full container: %s' % (summary_texts(plan.stacks),))

    # Plan file: three stacks take 6 + 3*18 + 5 + 3*18 lines.
    plan = plan_stacks((2350.0, 5900.0, 2390.0), (550.0, 600.0, 1200.0), 1, False)
    del plan.stacks[3:], plan.draw_stacks[3:]
    data = plan_file_bytes(plan)
    expect(data.count(b'\r\n') == 119 and data.endswith(b'\r\n\r\n'),
           'plan file of 3 stacks: %d lines' % data.count(b'\r\n'))
    expect(data.split(b'\r\n')[2] == b'Varnel\xc8\xed\xbc\xfe', 'third line in GBK')

    # Number text and number lines.
    text_cases = [(f32(80.03), '80.03'), (100.0, '100'), (f32(1203.2), '1203.2'),
                  (1e7, '1E+07'), (-0.0, '0'), (390.69014, '390.6901')]
    for value, want in text_cases:
        expect(float_text(value) == want, 'text of %r: %s' % (value, float_text(value)))
    line_cases = [((0, True), ' 0 '), ((12, True), ' 12 '), ((500.0, False), ' 500 '),
                  ((f32(-123.25), False), '-123.25 '), ((-0.0, False), ' 0 ')]
    for (value, is_int), want in line_cases:
        expect(number_line(value, is_int) == want, 'line of %r: %r' % (value, number_line(value, is_int)))

    # Input checks, in the order the run makes them.
    run_cases = [
        (('590', '235', '239', '60', '85', '40'), 0, None),
        (('590', '235', '239', 'abc', '85', '40'), 2, NOT_A_NUMBER[0]),
        (('590', '235', '239', '10', '', '40'), 2, NOT_A_NUMBER[1]),
        (('590', '235', '239', '14.9', '85', '40'), 2, TOO_SMALL[0]),
        (('590', '235', '239', '15', '15', '15'), 0, None),
        (('590', 'x', '239', '15', '15', '14'), 2, TOO_SMALL[2]),
        (('590', 'x', '239', '15', '15', '15'), 2, BAD_CONTAINER),
        (('491505.1', '235', '239', '15', '85', '40'), 2, TOO_LARGE),
        (('491505', '235', '239', '15', '85', '40'), 0, None),
        (('10', '10', '10', '60', '85', '40'), 1, NO_RESULT),
        (('1000', '0', '-5', '53', '43', '31'), 2, NOT_POSITIVE[1]),
    ]
    for args, status, message in run_cases:
        out = run(*args)
        expect((out.status, out.message) == (status, message),
               'run %s: %d %s' % (args, out.status, out.message))

    return failures


def main(argv):
    if len(argv) >= 6:
        single = '--single' in argv
        upright = '--upright' in argv
        sizes = [a for a in argv if a not in ('--single', '--upright')]
        out = run(*sizes[:6], single=single, upright=upright)
        if out.status:
            print(out.message, file=sys.stderr)
            return out.status
        print('\n'.join(out.texts))
        return 0
    failures = self_check()
    for f in failures:
        print('FAIL', f)
    print('self-check: %s' % ('failed' if failures else 'ok'))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
