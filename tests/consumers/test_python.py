"""The Python module against a shared build of the library: for the sample
and a corpus file, the header it converts is the command line's byte for
byte, every object's vertices and indices read through its memoryviews are
the header's arrays, its reports are bake3ds-info's, and a refused file
raises the rule and message. The views outlive a closed scene.

    python3 test_python.py --library LIBBAKE3DS_SO --converter BAKE3DS
        --info BAKE3DS_INFO --write-sample WRITE_SAMPLE --module-dir DIR
        [--corpus DIR]

Exits 0 when all holds, 1 when something does not (saying what), 77 when
the shared library is absent.
"""

import argparse
import gc
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
ARRAY = re.compile(r"::p_object_(\d+)_(vertices|indices)\[[^]]*\] = \{\n"
                   r"(.*?)\n\};", re.S)


def header_arrays(header):
    """The header's object arrays: {(object, "vertices"): [text, ...]}, each
    item as the header prints it (floats with their "f")."""
    return {(int(number), kind): re.split(r",\s*", body.strip().rstrip(","))
            for number, kind, body in ARRAY.findall(header)}


def first_line(header, array):
    """The line after the one that opens the array: its first row."""
    start = header.index("\n", header.index("::" + array + "[")) + 1
    return header[start:header.index("\n", start)]


def check_input(bake3ds, args, folder, name, failures):
    """Converts the file `name` in folder with the command line and through
    the module, and compares."""
    path = os.path.join(folder, name)
    subprocess.run([args.converter, name], cwd=folder, check=True,
                   stdout=subprocess.DEVNULL)
    with open(os.path.join(folder, name.rsplit(".", 1)[0] + ".h"),
              "rb") as file:
        expected = file.read()
    with open(path, "rb") as file:
        data = file.read()

    def fail(what):
        failures.append("%s: %s" % (name, what))

    if bake3ds.convert(data, name) != expected:
        fail("convert gives another header than the command line's")
    text = expected.decode("latin-1")
    arrays = header_arrays(text)
    for source in (path, data):
        with bake3ds.load(source) as scene:
            objects = scene.objects
        for k, item in enumerate(objects):
            vertices = ["%ff" % f for f in item.vertices.cast("B").cast("f")]
            indices = [str(i) for i in item.indices.cast("B").cast("I")]
            if vertices != arrays.get((k, "vertices"), []):
                fail("object %d's vertices are not the header's" % k)
            if indices != arrays.get((k, "indices"), []):
                fail("object %d's indices are not the header's" % k)
            if (item.vertex_count and item.vertices.shape
                    != (item.vertex_count, 8)):
                fail("object %d's vertices have the shape %r"
                     % (k, item.vertices.shape))
        if len(objects) != len({k for k, _ in arrays}):
            fail("%d objects, the header has arrays for %d"
                 % (len(objects), len({k for k, _ in arrays})))
        # the line a reader of the header sees first
        first = ", ".join("%ff" % objects[0].vertices[0, i] for i in range(8))
        line = first_line(text, "p_object_0_vertices")
        if line.rstrip(",") != "\t" + first:
            fail("object 0's first vertex %s is not the header's" % first)

    for option, field in (([], "text"), (["--json"], "json")):
        info = subprocess.run([args.info] + option + [path], check=True,
                              stdout=subprocess.PIPE).stdout
        for source in (path, data):
            if getattr(bake3ds.report(source, path), field).encode() != info:
                fail("the report's %s is not bake3ds-info's" % field)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--library", "--converter", "--info", "--write-sample",
                   "--module-dir"):
        parser.add_argument(option, required=True)
    parser.add_argument("--corpus", default="")
    args = parser.parse_args()
    if not os.path.isfile(args.library):
        print("skipped: no shared library at %s" % args.library)
        return SKIP
    sys.path.insert(0, args.module_dir)
    import bake3ds
    bake3ds.load_library(args.library)
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run([args.write_sample, os.path.join(folder, "sample.3ds")],
                       check=True)
        names = ["sample.3ds"]
        corpus_file = os.path.join(args.corpus, "gl-117-data", "cannon1.3ds")
        if args.corpus and os.path.isfile(corpus_file):
            shutil.copy(corpus_file, folder)
            names.append("cannon1.3ds")
        else:
            print("cannon1.3ds left out: the corpus is absent")
        for name in names:
            check_input(bake3ds, args, folder, name, failures)

        # the views hold the scene: closed and collected, it is still there
        scene = bake3ds.load(os.path.join(folder, "sample.3ds"))
        vertices = scene.object(0).vertices
        before = vertices.tolist()
        scene.close()
        del scene
        gc.collect()
        # memory a freed scene left is taken by the next
        bake3ds.load(os.path.join(folder, "sample.3ds")).close()
        if vertices.tolist() != before:
            failures.append("a view changed after its scene was closed")

    for source, rule, message in (
            (b"\0" * 6, "zero_length_chunk",
             "a chunk of length 0 (chunk 0x0000 at offset 0)"),
            ("no such file.3ds", "unreadable", "not readable: ")):
        try:
            if isinstance(source, bytes):
                bake3ds.convert(source, "broken.3ds")
            else:
                bake3ds.load(source)
            failures.append("%r was not refused" % source)
        except bake3ds.Error as error:
            if error.rule != rule or not error.message.startswith(message):
                failures.append("%r refused as %s: %s"
                                % (source, error.rule, error.message))
    for failure in failures:
        print("FAILED: " + failure)
    print("bake3ds %s: %d inputs, %d failures"
          % (bake3ds.version(), len(names), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
