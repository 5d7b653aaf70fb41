"""bake3ds for Python, through the shared library and ctypes alone.

Loads 3D Studio scenes (.3ds) and reads them as the generated C++ header
holds them, converts a file to the header ``bake3ds`` writes for it, and
reports on a file as ``bake3ds-info`` does::

    import pathlib
    import bake3ds

    with bake3ds.load("ship.3ds") as scene:
        hull = scene.object(0)
        print(hull.name, hull.vertex_count, hull.vertices.tolist()[0])
    header = bake3ds.convert(pathlib.Path("ship.3ds").read_bytes(), "ship.3ds")

The library is the one named by load_library(path), else by the
environment variable BAKE3DS_LIBRARY, else the system's libbake3ds of
major version 2. Names from inside a file are decoded as Latin-1, which
keeps every byte: ``name.encode("latin-1")`` gives them back.
"""

import collections
import ctypes
import ctypes.util
import os
import sys

__all__ = ["Error", "Options", "Scene", "Object", "MaterialRange", "Light",
           "Material", "Camera", "Report", "load_library", "version", "load",
           "convert", "report"]

MAJOR_VERSION = 2
NAME_SIZE = 64
MAX_NESTING = 512

_c_char_buffer = ctypes.POINTER(ctypes.c_char)
_c_floats = ctypes.POINTER(ctypes.c_float)


class Options(ctypes.Structure):
    """The limits of one load; a member left 0 takes the converter's
    default (bake3ds_options)."""
    _fields_ = [("size", ctypes.c_uint32),
                ("nesting_limit", ctypes.c_uint32),
                ("element_base", ctypes.c_int64),
                ("record_base", ctypes.c_int64),
                ("work_per_byte", ctypes.c_int64)]


class _Failure(ctypes.Structure):
    _fields_ = [("rule", ctypes.c_int),
                ("chunk", ctypes.c_int32),
                ("offset", ctypes.c_int64),
                ("file_size", ctypes.c_int64),
                ("path_length", ctypes.c_uint32),
                ("path", ctypes.c_uint16 * MAX_NESTING),
                ("limit", ctypes.c_int64),
                ("needed", ctypes.c_int64),
                ("mesh", ctypes.c_char * NAME_SIZE),
                ("face", ctypes.c_int64),
                ("corner", ctypes.c_int64),
                ("vertex_count", ctypes.c_int64),
                ("name_read", ctypes.c_char * NAME_SIZE),
                ("kind", ctypes.c_char * 16),
                ("counted", ctypes.c_int64),
                ("met", ctypes.c_int64),
                ("system_reason", ctypes.c_char * 256),
                ("message", ctypes.c_char * 512)]


class _MaterialRange(ctypes.Structure):
    _fields_ = [("material", ctypes.c_int32),
                ("first", ctypes.c_int32),
                ("count", ctypes.c_int32)]


class _Object(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p),
                ("id", ctypes.c_int32),
                ("parent", ctypes.c_int32),
                ("transform", _c_floats),
                ("vertex_count", ctypes.c_int32),
                ("face_count", ctypes.c_int32),
                ("mapped_vertex_count", ctypes.c_int32),
                ("vertices", _c_floats),
                ("indices", ctypes.POINTER(ctypes.c_uint32)),
                ("material_range_count", ctypes.c_int32),
                ("material_ranges", ctypes.POINTER(_MaterialRange))]


class _Light(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p),
                ("spot", ctypes.c_int32),
                ("off", ctypes.c_int32),
                ("cast_shadows", ctypes.c_int32),
                ("position", ctypes.c_float * 3),
                ("target", ctypes.c_float * 3),
                ("hotspot", ctypes.c_float),
                ("falloff", ctypes.c_float),
                ("inner_range", ctypes.c_float),
                ("outer_range", ctypes.c_float),
                ("multiplier", ctypes.c_float),
                ("color", ctypes.c_float * 3)]


class _Material(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p),
                ("id", ctypes.c_int32)]


class _Track(ctypes.Structure):
    _fields_ = [("key_count", ctypes.c_int32),
                ("time", _c_floats),
                ("x", _c_floats),
                ("y", _c_floats),
                ("z", _c_floats)]


class _Camera(ctypes.Structure):
    _fields_ = [("name", ctypes.c_char_p),
                ("id", ctypes.c_int32),
                ("position", ctypes.c_float * 3),
                ("target", ctypes.c_float * 3),
                ("bank_angle", ctypes.c_float),
                ("focus", ctypes.c_float),
                ("position_track", _Track),
                ("target_track", _Track)]


# What the views give: plain values, and for an object's arrays read-only
# memoryviews into the scene.
Object = collections.namedtuple(
    "Object", "name id parent transform vertex_count face_count "
    "mapped_vertex_count vertices indices material_ranges")
MaterialRange = collections.namedtuple("MaterialRange", "material first count")
Light = collections.namedtuple(
    "Light", "name spot off cast_shadows position target hotspot falloff "
    "inner_range outer_range multiplier color")
Material = collections.namedtuple("Material", "name id")
Camera = collections.namedtuple(
    "Camera", "name id position target bank_angle focus position_track "
    "target_track")
Report = collections.namedtuple("Report", "text json")

_size_p = ctypes.POINTER(ctypes.c_size_t)
_text_p = ctypes.POINTER(_c_char_buffer)
_SIGNATURES = {
    "bake3ds_version": (ctypes.c_char_p, []),
    "bake3ds_free": (None, [ctypes.c_void_p]),
    "bake3ds_rule_name": (ctypes.c_char_p, [ctypes.c_int]),
    "bake3ds_load": (ctypes.c_void_p, [ctypes.c_void_p, ctypes.c_size_t,
                                       ctypes.POINTER(Options),
                                       ctypes.POINTER(_Failure)]),
    "bake3ds_load_file": (ctypes.c_void_p, [ctypes.c_char_p,
                                            ctypes.POINTER(Options),
                                            ctypes.POINTER(_Failure)]),
    "bake3ds_scene_free": (None, [ctypes.c_void_p]),
    "bake3ds_object_count": (ctypes.c_size_t, [ctypes.c_void_p]),
    "bake3ds_light_count": (ctypes.c_size_t, [ctypes.c_void_p]),
    "bake3ds_material_count": (ctypes.c_size_t, [ctypes.c_void_p]),
    "bake3ds_camera_count": (ctypes.c_size_t, [ctypes.c_void_p]),
    "bake3ds_get_object": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_size_t,
                                          ctypes.POINTER(_Object)]),
    "bake3ds_get_light": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_size_t,
                                         ctypes.POINTER(_Light)]),
    "bake3ds_get_material": (ctypes.c_int, [ctypes.c_void_p,
                                            ctypes.c_size_t,
                                            ctypes.POINTER(_Material)]),
    "bake3ds_get_camera": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_size_t,
                                          ctypes.POINTER(_Camera)]),
    "bake3ds_convert": (ctypes.c_int, [ctypes.c_void_p, ctypes.c_size_t,
                                       ctypes.c_char_p,
                                       ctypes.POINTER(Options), _text_p,
                                       _size_p, ctypes.POINTER(_Failure)]),
    "bake3ds_report_file": (ctypes.c_void_p, [ctypes.c_char_p]),
    "bake3ds_report_bytes": (ctypes.c_void_p, [ctypes.c_void_p,
                                               ctypes.c_size_t,
                                               ctypes.c_char_p]),
    "bake3ds_report_free": (None, [ctypes.c_void_p]),
    "bake3ds_report_text": (ctypes.c_int, [ctypes.c_void_p, _text_p,
                                           _size_p]),
    "bake3ds_report_json": (ctypes.c_int, [ctypes.c_void_p, _text_p,
                                           _size_p]),
}

_lib = None


def _default_names():
    if sys.platform == "win32":
        return ["bake3ds.dll"]
    if sys.platform == "darwin":
        return ["libbake3ds.%d.dylib" % MAJOR_VERSION]
    return ["libbake3ds.so.%d" % MAJOR_VERSION]


def load_library(path=None):
    """Loads the shared library, once, and returns it (a ctypes.CDLL).

    path, else the environment variable BAKE3DS_LIBRARY, else what
    ctypes.util.find_library finds, else the library of major version 2
    by its file name. Raises OSError when none loads or the library is of
    another major version, whose structs this module does not know.
    """
    global _lib
    if _lib is not None and path is None:
        return _lib
    path = path or os.environ.get("BAKE3DS_LIBRARY")
    names = [path] if path else (
        [ctypes.util.find_library("bake3ds")] + _default_names())
    errors = []
    for name in filter(None, names):
        try:
            lib = ctypes.CDLL(name)
            break
        except OSError as error:
            errors.append(str(error))
    else:
        raise OSError("no bake3ds library: " + "; ".join(errors))
    for function, (restype, argtypes) in _SIGNATURES.items():
        getattr(lib, function).restype = restype
        getattr(lib, function).argtypes = argtypes
    found = lib.bake3ds_version().decode("ascii")
    if int(found.split(".")[0]) != MAJOR_VERSION:
        raise OSError("bake3ds %s is not of major version %d"
                      % (found, MAJOR_VERSION))
    _lib = lib
    return lib


def version():
    """The library's version, "MAJOR.MINOR.PATCH"."""
    return load_library().bake3ds_version().decode("ascii")


class Error(Exception):
    """A file the library refuses: rule is the check's stable name
    ("zero_length_chunk", ...), message the line bake3ds-info prints after
    "refused: "; chunk and offset say where (-1 for no chunk)."""

    def __init__(self, failure):
        self.rule = load_library().bake3ds_rule_name(failure.rule).decode()
        self.message = failure.message.decode("latin-1")
        self.chunk = failure.chunk
        self.offset = failure.offset
        super().__init__("%s: %s" % (self.rule, self.message))


def _options(options):
    options = Options() if options is None else Options.from_buffer_copy(
        options)
    options.size = ctypes.sizeof(Options)
    return ctypes.byref(options)


def _name(text):
    return text.decode("latin-1") if text is not None else ""


def _take(lib, text, size):
    # the library's memory, copied and released
    try:
        return ctypes.string_at(text, size.value)
    finally:
        lib.bake3ds_free(text)


class _Handle:
    """The library's scene, freed when the last holder lets it go: the Scene
    and every array view taken from it."""

    def __init__(self, lib, pointer):
        self.pointer = pointer
        self._free = lib.bake3ds_scene_free

    def __del__(self):
        self._free(self.pointer)


def _view(handle, address, ctype, fmt, count, width):
    # a read-only memoryview of count rows of width items at address, the
    # ctypes array under it holding the scene
    if not count:
        return memoryview(b"").cast(fmt)
    array = (ctype * (count * width)).from_address(address)
    array.handle = handle
    return memoryview(array).cast("B").cast(fmt, (count, width)).toreadonly()


def _track(track):
    return [(track.time[i], track.x[i], track.y[i], track.z[i])
            for i in range(track.key_count)]


class Scene:
    """A loaded scene: records in the file's order, as the header holds them.

    Use it in a with block, or call close(). The memoryviews of an object's
    vertices and indices point into the scene and keep it alive after
    close() until they are gone themselves.
    """

    def __init__(self, lib, pointer):
        self._lib = lib
        self._handle = _Handle(lib, pointer)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        """Lets the scene go; it is freed once no array view holds it."""
        self._handle = None

    def _pointer(self):
        if self._handle is None:
            raise ValueError("the scene is closed")
        return self._handle.pointer

    def _get(self, function, struct, index, count):
        out = struct()
        if not 0 <= index < count or not function(self._pointer(), index,
                                                  ctypes.byref(out)):
            raise IndexError(index)
        return out

    @property
    def object_count(self):
        """How many objects (meshes) the scene holds."""
        return self._lib.bake3ds_object_count(self._pointer())

    def object(self, index):
        """Object index: name, ids, its 16-float transform, counts, vertices
        as a memoryview of floats, shape (vertex_count, 8) in the order
        u, v, normal, position (GL_T2F_N3F_V3F), indices as a memoryview of
        uint32, shape (face_count, 3), faces in material order, and the
        material ranges. An empty array is a flat empty memoryview."""
        o = self._get(self._lib.bake3ds_get_object, _Object, index,
                      self.object_count)
        address = ctypes.cast(o.vertices, ctypes.c_void_p).value
        vertices = _view(self._handle, address, ctypes.c_float, "f",
                         o.vertex_count, 8)
        address = ctypes.cast(o.indices, ctypes.c_void_p).value
        indices = _view(self._handle, address, ctypes.c_uint32, "I",
                        o.face_count, 3)
        ranges = [MaterialRange(r.material, r.first, r.count)
                  for r in o.material_ranges[:o.material_range_count]]
        return Object(_name(o.name), o.id, o.parent, tuple(o.transform[:16]),
                      o.vertex_count, o.face_count, o.mapped_vertex_count,
                      vertices, indices, ranges)

    @property
    def objects(self):
        """Every object, as object(i) gives it."""
        return [self.object(i) for i in range(self.object_count)]

    @property
    def lights(self):
        """Every light: name, flags, position, target, cones, ranges,
        multiplier and colour."""
        lib = self._lib
        count = lib.bake3ds_light_count(self._pointer())
        out = []
        for i in range(count):
            light = self._get(lib.bake3ds_get_light, _Light, i, count)
            out.append(Light(_name(light.name), light.spot, light.off,
                             light.cast_shadows, tuple(light.position),
                             tuple(light.target), light.hotspot,
                             light.falloff, light.inner_range,
                             light.outer_range, light.multiplier,
                             tuple(light.color)))
        return out

    @property
    def materials(self):
        """Every material: its name and index."""
        lib = self._lib
        count = lib.bake3ds_material_count(self._pointer())
        return [Material(_name(m.name), m.id) for m in (
            self._get(lib.bake3ds_get_material, _Material, i, count)
            for i in range(count))]

    @property
    def cameras(self):
        """Every camera: name, id, position, target, bank angle, focus, and
        its two tracks as lists of (time, x, y, z)."""
        lib = self._lib
        count = lib.bake3ds_camera_count(self._pointer())
        out = []
        for i in range(count):
            c = self._get(lib.bake3ds_get_camera, _Camera, i, count)
            out.append(Camera(_name(c.name), c.id, tuple(c.position),
                              tuple(c.target), c.bank_angle, c.focus,
                              _track(c.position_track),
                              _track(c.target_track)))
        return out


def load(source, options=None):
    """Loads a scene from bytes (any bytes-like object) or from the file at
    a path (str or os.PathLike); options an Options or None for the
    converter's defaults. Returns a Scene; raises Error when the library
    refuses the file."""
    lib = load_library()
    failure = _Failure()
    if isinstance(source, (str, os.PathLike)):
        pointer = lib.bake3ds_load_file(os.fsencode(source),
                                        _options(options),
                                        ctypes.byref(failure))
    else:
        data = bytes(source)
        pointer = lib.bake3ds_load(data, len(data), _options(options),
                                   ctypes.byref(failure))
    if not pointer:
        raise Error(failure)
    return Scene(lib, pointer)


def convert(data, input_path, options=None):
    """The header, as bytes, that ``bake3ds input_path`` writes when the
    file at input_path holds data: its class and comments are named after
    input_path. Raises Error when the library refuses the data."""
    lib = load_library()
    data = bytes(data)
    failure = _Failure()
    text = _c_char_buffer()
    size = ctypes.c_size_t()
    if not lib.bake3ds_convert(data, len(data), os.fsencode(input_path),
                               _options(options), ctypes.byref(text),
                               ctypes.byref(size), ctypes.byref(failure)):
        raise Error(failure)
    return _take(lib, text, size)


def report(source, name="-"):
    """What bake3ds-info says about a file, as Report(text, json), both
    str: for the file at a path, or for bytes shown under name. A refused
    file gives a report too (saying why)."""
    lib = load_library()
    if isinstance(source, (str, os.PathLike)):
        handle = lib.bake3ds_report_file(os.fsencode(source))
    else:
        data = bytes(source)
        handle = lib.bake3ds_report_bytes(data, len(data), os.fsencode(name))
    if not handle:
        raise MemoryError("no memory for the report")
    try:
        texts = []
        for function in (lib.bake3ds_report_text, lib.bake3ds_report_json):
            text = _c_char_buffer()
            size = ctypes.c_size_t()
            if not function(handle, ctypes.byref(text), ctypes.byref(size)):
                raise MemoryError("no memory for the report")
            texts.append(_take(lib, text, size).decode("utf-8", "replace"))
        return Report(*texts)
    finally:
        lib.bake3ds_report_free(handle)
