#!/usr/bin/python3
"""Reads what a road left in its folder, each file by a reader of its own kind.

  check_files.py whole DIR               every file reads whole
  check_files.py killed OLD NEW DIR      after a kill: each file as OLD has it, as NEW has it, or at
                                         least whole; temporary files only under temporary names
  check_files.py rerun OLD NEW DIR       after a rerun to the end: the files and results of NEW

OLD is the folder a run started from, NEW what a run to its end made of it. The first line printed
sums the folder up; each fault follows on a line of its own; the exit status is 1 on any fault."""
import hashlib, json, os, re, sys, zipfile
import xml.etree.ElementTree as ET

# What is written aside carries a mark after its whole name: "X.prt.writing", "X.xlsx.tmp",
# "X.dxf.old", and the six characters a library may add to such a name ("X.xlsx.writing.a1B2c3").
TEMPORARY = re.compile(r"(\.[^./]+)\.(writing|tmp|old)(\.[A-Za-z0-9_]{6})?$")
# A component part made again is first renamed "X(old).prt": after a kill it holds what the killed
# run had made of X, not what the run before it had.
BACKUP = re.compile(r"\(old\)\.prt$")
COUNTS = ("bodies", "attributed", "parts", "sheets", "rows", "exported", "rendered")


def temporary(rel):
    return TEMPORARY.search(rel) is not None


def pattern(rel):
    """A temporary name with its file's own name left out, so that the kinds can be counted."""
    m = TEMPORARY.search(rel)
    return f"*{m[1]}.{m[2]}" + (".XXXXXX" if m[3] else "")


def files(root):
    out = {}
    for d, _, names in os.walk(root):
        for n in names:
            p = os.path.join(d, n)
            out[os.path.relpath(p, root)] = p
    return out


def digest(path):
    with open(path, "rb") as f:
        return hashlib.sha1(f.read()).hexdigest()


def progress(path):
    """The road's own lines in its log, timings and its folder left out: what a log of a whole run
    must hold."""
    folder = os.path.dirname(os.path.abspath(path))
    with open(path, encoding="utf-8", errors="replace") as f:
        lines = [l.rstrip("\n") for l in f if l.startswith("[road] ")]
    return [re.sub(r"[0-9.]+ s$", "", l.replace(folder, "DIR")) for l in lines]


def cells(path):
    import openpyxl  # the readers load slowly, and most files are compared byte for byte
    wb = openpyxl.load_workbook(path, data_only=False)
    out = {ws.title: [tuple(r) for r in ws.iter_rows(values_only=True)] for ws in wb.worksheets}
    wb.close()
    return out


def whole(path, logs=()):
    """None when the file reads whole, else why not."""
    ext = os.path.splitext(path)[1].lower()
    try:
        if ext == ".prt":
            with open(path, encoding="utf-8") as f:
                j = json.load(f)
            if not isinstance(j, dict) or j.get("format") != "vorta-part":
                return "not a part file"
        elif ext == ".json":
            with open(path, encoding="utf-8") as f:
                j = json.load(f)
            missing = [k for k in COUNTS if k not in j]
            if missing:
                return f"no {', '.join(missing)}"
        elif ext == ".xlsx":
            with zipfile.ZipFile(path) as z:
                bad = z.testzip()
                if bad:
                    return f"{bad} is damaged"
            cells(path)
        elif ext == ".dxf":
            # A DXF cut after a section still reads; only its last tag says it is whole.
            with open(path, "rb") as f:
                f.seek(max(0, os.path.getsize(path) - 16))
                if f.read().split()[-1:] != [b"EOF"]:
                    return "does not end with EOF"
            import ezdxf
            auditor = ezdxf.readfile(path).audit()
            if auditor.has_errors:
                return f"audit: {[str(e.message) for e in auditor.errors][:3]}"
        elif ext == ".svg":
            if not ET.parse(path).getroot().tag.endswith("svg"):
                return "not an SVG"
        elif ext == ".log":
            have = progress(path)
            for log in logs:
                if have == progress(log):
                    return None
            want = progress(logs[0]) if logs else []
            return (f"{os.path.getsize(path)} bytes, {len(have)} of the {len(want)} [road] lines of a whole run"
                    + (f", the last {have[-1]!r}" if have else ""))
        else:
            return "no reader for this kind of file"
    except Exception as e:  # whatever a reader throws says the file is not whole
        return f"{type(e).__name__}: {str(e)[:160]}"
    return None


def report(line, faults):
    print(line)
    for f in faults:
        print("  " + f)
    return 1 if faults else 0


def check_whole(root):
    have = files(root)
    faults = []
    for rel, p in sorted(have.items()):
        why = "a temporary file after a finished run" if temporary(rel) else whole(p, [p])
        if why:
            faults.append(f"{rel}: {why}")
    return report(f"{len(have)} files", faults)


def check_killed(old, new, work):
    o, n, w = files(old), files(new), files(work)
    logs = lambda rel: [x[rel] for x in (o, n) if rel in x]
    od = {rel: digest(p) for rel, p in o.items()}
    nd = {rel: digest(p) for rel, p in n.items()}
    faults, temps = [], {}
    kept = changed = made = 0
    contents = set()
    for rel, p in sorted(w.items()):
        d = digest(p)
        contents.add(d)
        if temporary(rel):
            temps[pattern(rel)] = temps.get(pattern(rel), 0) + 1
        elif od.get(rel) == d:
            kept += 1
        elif nd.get(rel) == d:
            made += 1
        elif why := whole(p, logs(rel)):
            faults.append(f"half-written {rel}: {why}")
        elif rel not in o and rel not in n:
            faults.append(f"{rel}: neither run has it")
        else:
            changed += 1
    # A file set aside (a component part renamed to "(old)" before its new one is made) is gone
    # under its name for a moment; what it held must still be in the folder.
    aside = [rel for rel in o if rel not in w and not temporary(rel)]
    for rel in aside:
        if od[rel] not in contents:
            faults.append(f"{rel} is gone, and nothing in the folder holds what it held")
    line = (f"files {len(w)}: {kept} as before, {made} as new, {changed} changed but whole, {len(aside)} set aside"
            f" temp={','.join(f'{k}:{v}' for k, v in sorted(temps.items())) or '-'}")
    return report(line, faults)


def check_rerun(old, new, work):
    o, n, w = files(old), files(new), files(work)
    faults = []
    left = sorted(rel for rel in w if temporary(rel))
    kept = {rel for rel in w if not temporary(rel)}
    want = {rel for rel in n if not temporary(rel)}
    faults += [f"{rel}: an uninterrupted run does not leave it" for rel in sorted(kept - want)]
    faults += [f"{rel}: missing" for rel in sorted(want - kept)]
    for rel in sorted(kept & want):
        p, q = w[rel], n[rel]
        d = digest(p)
        if d == digest(q) or (rel in o and d == digest(o[rel])):
            continue
        ext = os.path.splitext(rel)[1].lower()
        if why := whole(p, [q]):
            faults.append(f"{rel}: {why}")
        elif ext == ".xlsx":
            if cells(p) != cells(q):
                faults.append(f"{rel}: cells differ from an uninterrupted run")
        elif ext == ".json":
            a, b = json.load(open(p, encoding="utf-8")), json.load(open(q, encoding="utf-8"))
            diff = [f"{k} {a.get(k)} (not {b.get(k)})" for k in COUNTS + ("unclassified",) if a.get(k) != b.get(k)]
            if diff:
                faults.append(f"{rel}: {', '.join(diff)}")
        elif ext != ".log" and not BACKUP.search(rel) and (rel not in o or digest(o[rel]) == digest(q)):
            # Two uninterrupted runs write this file alike; the rerun must too.
            faults.append(f"{rel}: differs from an uninterrupted run")
    summary = json.load(open(w["road.json"], encoding="utf-8")) if "road.json" in w else {}
    line = (f"files {len(kept)}, " + " ".join(f"{k}={summary.get(k)}" for k in COUNTS)
            + f" left={','.join(pattern(r) for r in left) or '-'}")
    return report(line, faults)


if __name__ == "__main__":
    cmd, args = sys.argv[1], sys.argv[2:]
    if cmd == "whole":
        sys.exit(check_whole(*args))
    if cmd == "killed":
        sys.exit(check_killed(*args))
    if cmd == "rerun":
        sys.exit(check_rerun(*args))
    sys.exit(f"unknown command {cmd}")
