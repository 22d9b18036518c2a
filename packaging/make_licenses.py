#!/usr/bin/env python3
"""Writes LICENSES.txt: the licence notices of every library linked into Vondrel.exe and
Tarvix2.exe, taken from the copyright files of the Debian packages the programs are built with.

    make_licenses.py OUTPUT

Machine-readable (DEP-5) copyright files give the paragraphs that cover the files we link, with
the licence texts they name; GCC's free-form file gives its runtime paragraph and the GCC Runtime
Library Exception between fixed headings; the STL notices of libstdc++'s headers come from the
header that carries them. A heading or paragraph that is not found stops the script, so that a
changed package is noticed rather than shipped without its notice. Output: UTF-8 with a
byte-order mark and CRLF line ends (Notepad on Windows 7 reads it), the same bytes for the same
packages.
"""
import fnmatch
import re
import subprocess
import sys

DOC = "/usr/share/doc"
GCC_HEADERS = "/usr/lib/gcc/x86_64-w64-mingw32/12-posix/include/c++"


def package_version(package):
    return subprocess.run(["dpkg-query", "-W", "-f=${Version}", package], check=True,
                          capture_output=True, text=True).stdout.strip()


def upstream(package):
    """'1.2.13' of '1:1.2.13.dfsg-1', with the Debian version after it."""
    debian = package_version(package)
    version = re.sub(r"^\d+:", "", debian).rsplit("-", 1)[0]
    return f"{re.split(r'[+~]|[.]dfsg', version)[0]} (Debian {debian})"


def read(path):
    with open(path, encoding="utf-8") as f:
        return f.read()


def dep5_paragraphs(text):
    """The paragraphs of a DEP-5 file as lists of (field, first line, continuation lines)."""
    paragraphs = []
    for block in re.split(r"\n[ \t]*\n", text.strip("\n")):
        fields = []
        for line in block.split("\n"):
            if line[:1] in (" ", "\t") and fields:
                fields[-1][2].append(line)
            elif ":" in line:
                name, _, value = line.partition(":")
                fields.append((name.strip(), value.strip(), []))
        if fields:
            paragraphs.append(fields)
    return paragraphs


def field(paragraph, name):
    for fname, first, rest in paragraph:
        if fname.lower() == name.lower():
            return first, rest
    return None


def patterns(paragraph):
    first, rest = field(paragraph, "Files")
    return (first + " " + " ".join(line.strip() for line in rest)).split()


def render_text(lines):
    """Continuation lines of a DEP-5 field as plain text: one leading space off, "." a blank line."""
    out = []
    for line in lines:
        body = line[1:] if line[:1] in (" ", "\t") else line
        out.append("" if body.strip() == "." else body.rstrip())
    return out


def render_paragraph(paragraph):
    out = []
    for name, first, rest in paragraph:
        if name == "License" and rest:
            out.append(f"License: {first}")
            out.extend(render_text(rest))
        else:
            out.append(f"{name}: {first}".rstrip())
            out.extend("  " + line.strip() for line in rest)
    return out


def dep5_notice(path, wanted):
    """The paragraphs of copyright file `path` that cover the files chosen by `wanted` (a path to
    look up the DEP-5 way, the last matching paragraph winning, or a function choosing paragraphs
    by their Files patterns), then the stand-alone licence texts those paragraphs name."""
    paragraphs = dep5_paragraphs(read(path))
    files = [p for p in paragraphs if field(p, "Files")]
    chosen = []
    if callable(wanted):
        chosen = [p for p in files if wanted(patterns(p))]
    else:
        for target in wanted:
            matching = [p for p in files if any(fnmatch.fnmatchcase(target, pat) for pat in patterns(p))]
            if not matching:
                sys.exit(f"{path}: no paragraph covers {target}")
            if matching[-1] not in chosen:
                chosen.append(matching[-1])
    chosen.sort(key=files.index)
    if not chosen:
        sys.exit(f"{path}: no paragraph chosen")
    licences = []
    for p in chosen:
        first, rest = field(p, "License")
        if not rest:
            licences.extend(name for name in re.split(r"\s+(?:and|or)\s+", first) if name not in licences)
    out = []
    for p in chosen:
        out.extend(render_paragraph(p))
        out.append("")
    for name in licences:
        text = [p for p in paragraphs if not field(p, "Files") and field(p, "License") and
                field(p, "License")[0] == name and field(p, "License")[1]]
        if not text:
            sys.exit(f"{path}: the text of licence {name} is missing")
        out.extend(render_paragraph(text[0]))
        out.append("")
    return out


def between(path, start, end):
    """The lines of `path` from the line starting with `start` up to the one starting with `end`."""
    lines = read(path).split("\n")
    try:
        first = next(i for i, line in enumerate(lines) if line.startswith(start))
        last = next(i for i in range(first + 1, len(lines)) if lines[i].startswith(end))
    except StopIteration:
        sys.exit(f"{path}: the section from {start!r} to {end!r} is missing")
    block = [line.rstrip() for line in lines[first:last]]
    while block and not block[-1]:
        block.pop()
    return block + [""]


def stl_notice():
    """The Hewlett-Packard and Silicon Graphics notices of libstdc++'s STL headers."""
    text = read(f"{GCC_HEADERS}/bits/stl_algo.h")
    found = re.search(r"/\*\n \*\n( \* Copyright \(c\) 1994\n.*?)\n \*/", text, re.S)
    if not found:
        sys.exit("stl_algo.h: the Hewlett-Packard notice is missing")
    return [re.sub(r"^ \*( |$)", "", line) for line in found.group(1).split("\n")] + [""]


def is_runtime(pats):
    """The runtime's parts that are linked in: the C runtime (not its profiling start-up, linked
    only with -pg) and winpthreads (not its tests)."""
    return any(p == "*" or (p.startswith("mingw-w64-crt/") and not p.startswith("mingw-w64-crt/profile/")) or
               (p.startswith("mingw-w64-libraries/winpthreads/") and "tests" not in p) for p in pats)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    sections = [
        (f"pugixml {upstream('libpugixml-dev')}: XML",
         "Debian package libpugixml-dev, /usr/share/doc/libpugixml-dev/copyright",
         dep5_notice(f"{DOC}/libpugixml-dev/copyright", ["src/pugixml.cpp"])),
        (f"simdjson {upstream('libsimdjson-dev')}: JSON",
         "Debian package libsimdjson-dev, /usr/share/doc/libsimdjson-dev/copyright",
         dep5_notice(f"{DOC}/libsimdjson-dev/copyright",
                     ["singleheader/simdjson.cpp", "include/simdjson/internal/isadetection.h", "src/to_chars.cpp"])
         + ["The Apache License, Version 2.0 (/usr/share/common-licenses/Apache-2.0):", ""]
         + [line.rstrip() for line in read("/usr/share/common-licenses/Apache-2.0").split("\n")]),
        (f"zlib {upstream('libz-mingw-w64-dev')}: compression",
         "Debian package libz-mingw-w64-dev, /usr/share/doc/libz-mingw-w64-dev/copyright",
         dep5_notice(f"{DOC}/libz-mingw-w64-dev/copyright", ["inflate.c"])),
        (f"minizip, from zlib {upstream('zlib1g-dev')}: zip archives",
         "Debian source package zlib, /usr/share/doc/zlib1g/copyright",
         dep5_notice(f"{DOC}/zlib1g/copyright", ["contrib/minizip/unzip.c"])),
        (f"mingw-w64 runtime {upstream('mingw-w64-x86-64-dev')}: C runtime support, winpthreads",
         "Debian packages mingw-w64-x86-64-dev and mingw-w64-i686-dev, "
         "/usr/share/doc/mingw-w64-common/copyright",
         dep5_notice(f"{DOC}/mingw-w64-common/copyright", is_runtime)),
        (f"GCC runtime libraries {upstream('g++-mingw-w64-x86-64-posix')}: libstdc++, libgcc",
         "Debian packages g++-mingw-w64-x86-64-posix and g++-mingw-w64-i686-posix, "
         "/usr/share/doc/gcc-mingw-w64-base/copyright",
         between(f"{DOC}/gcc-mingw-w64-base/copyright", "GCC is Copyright", "The libbacktrace library")
         + between(f"{DOC}/gcc-mingw-w64-base/copyright", "GCC RUNTIME LIBRARY EXCEPTION", "libquadmath/")
         + ["The C++ library's STL headers (from bits/stl_algo.h):", ""] + stl_notice()),
    ]
    out = [
        "Vondrel: licence notices of the libraries linked into Vondrel.exe and Tarvix2.exe",
        "Vondrel.exe と Tarvix2.exe に組み込まれているライブラリのライセンス表示",
        "",
        "Both programs are single files: these libraries are linked into them.",
        "",
    ]
    out += [f"  {n}. {title}" for n, (title, _, _) in enumerate(sections, 1)] + [""]
    for n, (title, source, body) in enumerate(sections, 1):
        out += ["=" * 78, f"{n}. {title}", f"   from {source}", "=" * 78, ""] + body
    while out[-1] == "":
        out.pop()
    with open(sys.argv[1], "wb") as f:
        f.write(b"\xef\xbb\xbf" + "\r\n".join(out + [""]).encode("utf-8"))


if __name__ == "__main__":
    main()
