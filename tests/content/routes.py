#!/usr/bin/env python3
"""Walks the world's route through the game, from the level files alone.

usage: routes.py <game folder> [--min-seconds N]

The hero is a circle of radius 6 on his rigid body; every solid static
collider of a level (trees, rocks, water, walls, the shut gate) stands in his
way, as long as it has a RigidBody too: the physics pushes apart only pairs of
bodies, so a collider without one stops nothing, and is reported. On a grid of 4 pixels this finds the shortest walk, eight ways, from where
he enters each level to its valley lantern and to each of its doors, and
checks that each can be reached at all (a lantern walled in by the scattered
trees would leave the game unfinishable). It then adds up the route a player
who knows the way takes from New game to the gate home, lighting the three
lanterns, and prints it in seconds at the hero's walking speed. With
--min-seconds, that walk must last at least N seconds: the world is meant to
take minutes, and a change that shrinks it should be noticed.
"""
import heapq
import json
import math
import os
import sys

CELL = 4.0
HERO_RADIUS = 6.0
HERO_COLLIDER_Y = 18.0  # the circle's offset below the hero's position
FEET_Y = 24.0           # his feet below his position
LANTERN_FOOT = 32.0     # a lantern's foot below its position
LANTERN_REACH = 24.0    # feet to foot, for the lantern to light


def components(entity):
    return {c.get("__component_name"): c for c in entity.get("components") or []}


def solid_box(c):
    b = c.get("BoxCollider")
    return b if b and b.get("Box Static") and not b.get("Box ghost") else None


def solid_circle(c):
    k = c.get("CircleCollider")
    return k if k and k.get("Circle Static") and not k.get("Circle Ghost") else None


def pos(entity):
    p = entity["pos"]
    return p["x"], p["y"]


class Level:
    def __init__(self, path):
        doc = json.load(open(path))
        tm = doc["tile_map"]
        self.half_w = tm["width"] * tm["tile_width"] / 2
        self.half_h = tm["height"] * tm["tile_height"] / 2
        self.entities = doc["entities"]
        self.cols = int(2 * self.half_w / CELL)
        self.rows = int(2 * self.half_h / CELL)
        self.speed = 70.0
        self.start = self.lantern = self.gate = None
        self.doors = {}  # target -> (box, arrive point)
        for e in self.entities:
            c = components(e)
            x, y = pos(e)
            if "Player" in c:
                self.speed = float(c["Player"].get("speed", 70))
                self.start = (x, y + HERO_COLLIDER_Y)
            if "Lantern" in c:
                self.lantern = (c["Lantern"]["id"], x, y + LANTERN_FOOT)
            if "Door" in c and "BoxCollider" in c:
                d = c["Door"]
                self.doors[d["target"]] = (self.box(x, y, c["BoxCollider"]), (x + d["arrive_x"], y + d["arrive_y"]))
            if "Gate" in c:
                self.gate = e["name"]

    @staticmethod
    def box(x, y, b):
        cx, cy = x + b["Box Center OffsetX"], y + b["Box Center OffsetY"]
        return (cx - b["Box Width"] / 2, cy - b["Box Height"] / 2, cx + b["Box Width"] / 2, cy + b["Box Height"] / 2)

    def bodiless_solids(self):
        """Names of entities with a solid static collider but no RigidBody."""
        return [e["name"] for e in self.entities
                if (solid_box(components(e)) or solid_circle(components(e))) and "RigidBody" not in components(e)]

    def cell_centre(self, i, j):
        return -self.half_w + (i + 0.5) * CELL, -self.half_h + (j + 0.5) * CELL

    def blocked_grid(self, gate_open):
        blocked = bytearray(self.cols * self.rows)

        def mark(x0, y0, x1, y1, inside):
            i0, i1 = max(0, int((x0 + self.half_w) / CELL) - 1), min(self.cols, int((x1 + self.half_w) / CELL) + 2)
            j0, j1 = max(0, int((y0 + self.half_h) / CELL) - 1), min(self.rows, int((y1 + self.half_h) / CELL) + 2)
            for j in range(j0, j1):
                for i in range(i0, i1):
                    if inside(*self.cell_centre(i, j)):
                        blocked[j * self.cols + i] = 1

        r = HERO_RADIUS
        for e in self.entities:
            c = components(e)
            if "RigidBody" not in c or (gate_open and e["name"] == self.gate):
                continue
            x, y = pos(e)
            b = solid_box(c)
            if b:
                x0, y0, x1, y1 = self.box(x, y, b)

                def in_box(px, py, x0=x0, y0=y0, x1=x1, y1=y1):
                    return max(x0 - px, 0, px - x1) ** 2 + max(y0 - py, 0, py - y1) ** 2 < r * r
                mark(x0 - r, y0 - r, x1 + r, y1 + r, in_box)
            k = solid_circle(c)
            if k:
                cx, cy, rad = x + k["Circle Center OffsetX"], y + k["Circle Center OffsetY"], k["Circle Radius"] + r
                mark(cx - rad, cy - rad, cx + rad, cy + rad,
                     lambda px, py, cx=cx, cy=cy, rad=rad: (px - cx) ** 2 + (py - cy) ** 2 < rad * rad)
        return blocked

    def free(self, point):
        """Whether the hero can stand with his circle at `point`."""
        i, j = int((point[0] + self.half_w) / CELL), int((point[1] + self.half_h) / CELL)
        return 0 <= i < self.cols and 0 <= j < self.rows and not self.blocked_grid(False)[j * self.cols + i]

    def walk(self, start, goal, gate_open=False):
        """(pixels, end point) of the shortest walk from point `start` (the
        hero's circle) to any cell where goal(x, y) holds, or None."""
        blocked = self.blocked_grid(gate_open)
        cols, rows = self.cols, self.rows
        si = min(cols - 1, max(0, int((start[0] + self.half_w) / CELL)))
        sj = min(rows - 1, max(0, int((start[1] + self.half_h) / CELL)))
        dist = {(si, sj): 0.0}
        queue = [(0.0, si, sj)]
        steps = [(1, 0, 1), (-1, 0, 1), (0, 1, 1), (0, -1, 1)] + [(a, b, math.sqrt(2)) for a in (1, -1) for b in (1, -1)]
        while queue:
            d, i, j = heapq.heappop(queue)
            if d > dist.get((i, j), math.inf):
                continue
            if goal(*self.cell_centre(i, j)):
                return d * CELL, self.cell_centre(i, j)
            for a, b, cost in steps:
                ni, nj = i + a, j + b
                if not (0 <= ni < cols and 0 <= nj < rows) or blocked[nj * cols + ni]:
                    continue
                if a and b and (blocked[j * cols + ni] or blocked[nj * cols + i]):
                    continue  # no squeezing past a corner
                nd = d + cost
                if nd < dist.get((ni, nj), math.inf):
                    dist[(ni, nj)] = nd
                    heapq.heappush(queue, (nd, ni, nj))
        return None

    def at_lantern(self):
        _, lx, ly = self.lantern
        return lambda x, y: (x - lx) ** 2 + (y + FEET_Y - HERO_COLLIDER_Y - ly) ** 2 < LANTERN_REACH ** 2

    def at_door(self, target):
        x0, y0, x1, y1 = self.doors[target][0]
        return lambda x, y: max(x0 - x, 0, x - x1) ** 2 + max(y0 - y, 0, y - y1) ** 2 < HERO_RADIUS ** 2

    def arrival(self, came_from):
        return self.doors[came_from][1]


def main():
    args = sys.argv[1:]
    if not args:
        print(__doc__)
        return 2
    folder = args[0]
    minimum = float(args[args.index("--min-seconds") + 1]) if "--min-seconds" in args else 0.0
    levels = {name: Level(os.path.join(folder, "levels", name + ".json"))
              for name in ("veltrane_clearing", "veltrane_hollow", "veltrane_shore")}
    clearing, hollow, shore = levels["veltrane_clearing"], levels["veltrane_hollow"], levels["veltrane_shore"]
    failures = []
    total = 0.0

    def leg(what, level, start, goal, gate_open=False):
        nonlocal total
        found = level.walk(start, goal, gate_open)
        if found is None:
            failures.append(what)
            print(f"{what}: NO WAY")
            return None
        d, end = found
        seconds = d / level.speed
        total += seconds
        print(f"{what}: {d:.0f} px, {seconds:.1f} s")
        return end

    for name, level in levels.items():
        if level.lantern is None:
            failures.append(name + " has no lantern")
        places = [("the start", level.start)] if level.start else []
        places += [("coming from " + target, arrive) for target, (_, arrive) in level.doors.items()]
        for what, point in places:
            if not level.free(point):
                failures.append(f"{name}: the hero cannot stand where he appears {what}, {point}")
        bodiless = level.bodiless_solids()
        if bodiless:
            failures.append(f"{name}: solid but without a RigidBody, so stopping nothing: {', '.join(bodiless[:5])}")
    if failures:
        print("\n".join(failures))
        return 1
    # New game: the clearing's lantern, then east to the hollow.
    # Each lantern's walk goes on from where it lit.
    at = leg("clearing: start to lantern", clearing, clearing.start, clearing.at_lantern())
    if at:
        leg("clearing: lantern to hollow door", clearing, at, clearing.at_door("veltrane_hollow"))
    at = leg("hollow: west door to lantern", hollow, hollow.arrival("veltrane_clearing"), hollow.at_lantern())
    if at:
        leg("hollow: lantern to shore door", hollow, at, hollow.at_door("veltrane_shore"))
    at = leg("shore: north door to lantern", shore, shore.arrival("veltrane_hollow"), shore.at_lantern())
    if at:
        leg("shore: lantern to hollow door", shore, at, shore.at_door("veltrane_hollow"))
    leg("hollow: south door to west door", hollow, hollow.arrival("veltrane_shore"), hollow.at_door("veltrane_clearing"))
    if clearing.walk(clearing.arrival("veltrane_hollow"), clearing.at_door("veltrane_home")) is not None:
        failures.append("the shut gate lets the hero through")
    leg("clearing: east door through the open gate", clearing, clearing.arrival("veltrane_hollow"),
        clearing.at_door("veltrane_home"), gate_open=True)
    print(f"the whole walk, knowing the way: {total:.0f} s ({total / 60:.1f} min)")
    if total < minimum:
        failures.append(f"the walk takes {total:.0f} s, less than {minimum:.0f} s")
    for f in failures:
        print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
