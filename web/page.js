// The page's script: hands the chosen file to the converter (index.wasm,
// through page_main.cpp's functions), shows what comes back, and passes
// the pointer, wheel and keys on to the view. Nothing leaves the page: the
// file is read with FileReader, the header saved from a Blob.
'use strict';

var bake3ds = (function () {
    var $ = function (id) { return document.getElementById(id); };
    var canvas = $('view');
    var header = null; // the last header's bytes, null for a refused file
    var headerName = '';
    var opened = 0;    // counts the files opened, so that a late read of an older one is dropped
    var hook = { ready: false, opened: 0, convertMs: null, firstFrameMs: null };

    // The converter's bytes as text, one character per byte, so that the
    // text shown is the bytes themselves, whatever they hold.
    function bytesText(bytes) {
        var parts = [];
        for (var i = 0; i < bytes.length; i += 8192)
            parts.push(String.fromCharCode.apply(null, bytes.subarray(i, i + 8192)));
        return parts.join('');
    }
    function heapBytes(pointer, size) { return Module.HEAPU8.slice(pointer, pointer + size); }
    function cString(name) { return Module.UTF8ToString(Module.ccall(name, 'number', [], [])); }

    // As much of the header as reads comfortably; the download has all of it.
    var shownBytes = 65536;

    function setStatus(text) { $('status').textContent = text; }

    function showResult(converted) {
        headerName = cString('web_header_path');
        header = converted ? heapBytes(Module._web_header(), Module._web_header_size()) : null;
        var report = heapBytes(Module._web_report(), Module._web_report_size());
        $('report').textContent = bytesText(report);
        var out = document.createElement('span'), err = document.createElement('span');
        out.className = 'stdout';
        err.className = 'stderr';
        out.textContent = cString('web_stdout');
        err.textContent = cString('web_stderr');
        $('console').replaceChildren(out, err);
        $('download').hidden = $('copy').hidden = !converted;
        $('download').disabled = $('copy').disabled = !converted;
        if (converted) {
            $('download').textContent = 'Download header ' + headerName;
            $('header-size').textContent = header.length + ' bytes';
            $('header').textContent = bytesText(header.subarray(0, shownBytes)) +
                (header.length > shownBytes ? '\n… the first ' + shownBytes + ' of ' + header.length +
                    ' bytes; the download holds all of them.' : '');
        } else {
            $('header-size').textContent = 'no header: the converter refused the file (see the report)';
            $('header').textContent = '';
        }
        var error = cString('web_error');
        if (error)
            console.error('bake3ds: ' + error);
    }

    function open(file) {
        var started = performance.now();
        var number = ++opened;
        setStatus('Converting ' + file.name + '…');
        // the conversion holds the page's thread: it starts once the status
        // saying so is on the screen
        var painted = new Promise(function (resolve) {
            requestAnimationFrame(function () { setTimeout(resolve, 0); });
        });
        Promise.all([file.arrayBuffer(), painted]).then(function (results) {
            if (number !== opened)
                return;
            var bytes = new Uint8Array(results[0]);
            var pointer = Module._malloc(Math.max(bytes.length, 1));
            if (!pointer) {
                setStatus(file.name + ': not enough memory to read the file here');
                return;
            }
            Module.HEAPU8.set(bytes, pointer);
            var converted = Module.ccall('web_open', 'number', ['string', 'number', 'number'],
                [file.name, pointer, bytes.length]) === 1;
            Module._free(pointer);
            showResult(converted);
            var convertMs = Module._web_convert_ms();
            requestAnimationFrame(function () {
                var firstFrameMs = performance.now() - started;
                hook.convertMs = convertMs;
                hook.firstFrameMs = firstFrameMs;
                hook.opened = number;
                setStatus(file.name + ' (' + bytes.length + ' bytes): ' +
                    (converted ? 'converted to ' + headerName : 'refused') + ' in ' + convertMs.toFixed(1) +
                    ' ms; drawn ' + firstFrameMs.toFixed(0) + ' ms after opening.');
            });
        }, function (error) {
            setStatus(file.name + ': the file could not be read (' + error + ')');
        });
    }

    function download() {
        if (!header)
            return;
        var link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([header], { type: 'text/x-c++hdr' }));
        link.download = headerName;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(function () { URL.revokeObjectURL(link.href); }, 1000);
    }

    function copy() {
        if (!header)
            return;
        var text = bytesText(header);
        var done = function () { setStatus(headerName + ' copied to the clipboard.'); };
        var fallback = function () {
            var area = document.createElement('textarea');
            area.value = text;
            document.body.appendChild(area);
            area.select();
            var copied = document.execCommand('copy');
            area.remove();
            if (copied)
                done();
            else
                setStatus('The browser did not allow copying; use Download header.');
        };
        if (navigator.clipboard && navigator.clipboard.writeText)
            navigator.clipboard.writeText(text).then(done, fallback);
        else
            fallback();
    }

    // The drawing buffer follows the canvas's size on the screen.
    function resize() {
        var ratio = window.devicePixelRatio || 1;
        var width = Math.max(1, Math.round(canvas.clientWidth * ratio));
        var height = Math.max(1, Math.round(canvas.clientHeight * ratio));
        if (hook.ready)
            Module._web_resize(width, height);
    }

    function turn(yaw, pitch, zoom) {
        if (hook.ready)
            Module._web_turn(yaw, pitch, zoom);
    }

    var dragging = null;
    canvas.addEventListener('pointerdown', function (e) {
        dragging = { x: e.clientX, y: e.clientY };
        canvas.setPointerCapture(e.pointerId);
    });
    canvas.addEventListener('pointermove', function (e) {
        if (!dragging)
            return;
        turn(0.01 * (e.clientX - dragging.x), 0.01 * (e.clientY - dragging.y), 1);
        dragging = { x: e.clientX, y: e.clientY };
    });
    canvas.addEventListener('pointerup', function () { dragging = null; });
    canvas.addEventListener('pointercancel', function () { dragging = null; });
    canvas.addEventListener('wheel', function (e) {
        e.preventDefault();
        turn(0, 0, Math.exp(-0.001 * e.deltaY));
    }, { passive: false });
    canvas.addEventListener('keydown', function (e) {
        var keys = { ArrowLeft: [-0.1, 0, 1], ArrowRight: [0.1, 0, 1], ArrowUp: [0, -0.1, 1], ArrowDown: [0, 0.1, 1],
            '+': [0, 0, 1.1], '=': [0, 0, 1.1], '-': [0, 0, 1 / 1.1] };
        if (!(e.key in keys))
            return;
        e.preventDefault();
        turn.apply(null, keys[e.key]);
    });
    $('reset').addEventListener('click', function () {
        if (hook.ready)
            Module._web_reset();
    });
    $('download').addEventListener('click', download);
    $('copy').addEventListener('click', copy);
    $('file').addEventListener('change', function () {
        if (this.files.length)
            open(this.files[0]);
    });
    document.addEventListener('dragover', function (e) {
        e.preventDefault();
        document.body.classList.add('dropping');
    });
    document.addEventListener('dragleave', function () { document.body.classList.remove('dropping'); });
    document.addEventListener('drop', function (e) {
        e.preventDefault();
        document.body.classList.remove('dropping');
        if (hook.ready && e.dataTransfer.files.length)
            open(e.dataTransfer.files[0]);
    });
    if (window.ResizeObserver)
        new ResizeObserver(resize).observe(canvas);
    window.addEventListener('resize', resize);

    window.Module = {
        canvas: canvas,
        print: function (text) { console.log(text); },
        printErr: function (text) { console.error(text); },
        onRuntimeInitialized: function () {
            // the conversion compiled and optimised before the first file
            Module._web_warm_up();
            hook.ready = true;
            resize();
            $('file').disabled = $('reset').disabled = false;
            setStatus('Ready: open a .3ds file.');
        }
    };

    // For the browser test: the first view's silhouette at a given size,
    // as runs of covered and uncovered pixels, and the canvas's picture.
    hook.silhouette = function (width, height) {
        return Module.UTF8ToString(Module._web_silhouette(width, height));
    };
    hook.picture = function () { return canvas.toDataURL('image/png'); };
    return hook;
})();
