#!/usr/bin/env python3
"""Serves a built page folder on the loopback, as a host should: each file's
precompressed .br or .gz twin when the browser takes it, the right types,
ranges for the music, and cache headers (a year for files asked for by the
build's version, ?v=..., revalidation by ETag for the rest).

usage: serve.py FOLDER PORT
"""
import email.utils
import http.server
import mimetypes
import os
import re
import sys
import urllib.parse

TYPES = {
    '.wasm': 'application/wasm', '.js': 'text/javascript; charset=utf-8',
    '.css': 'text/css; charset=utf-8', '.html': 'text/html; charset=utf-8',
    '.webmanifest': 'application/manifest+json', '.data': 'application/octet-stream',
    '.ogg': 'audio/ogg', '.png': 'image/png', '.replay': 'application/octet-stream',
    '.txt': 'text/plain; charset=utf-8',
}


class Handler(http.server.BaseHTTPRequestHandler):
    folder = '.'
    protocol_version = 'HTTP/1.1'

    def log_message(self, *args):
        pass

    def do_HEAD(self):
        self.answer(send_body=False)

    def do_GET(self):
        self.answer(send_body=True)

    def fail(self, status):
        self.send_response(status)
        self.send_header('Content-Length', '0')
        self.end_headers()

    def answer(self, send_body):
        url = urllib.parse.urlsplit(self.path)
        relative = urllib.parse.unquote(url.path).lstrip('/')
        if relative == '' or relative.endswith('/'):
            relative += 'index.html'
        path = os.path.realpath(os.path.join(self.folder, relative))
        if not path.startswith(self.folder + os.sep) or not os.path.isfile(path):
            return self.fail(404)
        kind = TYPES.get(os.path.splitext(path)[1]) or mimetypes.guess_type(path)[0] \
            or 'application/octet-stream'
        taken = self.headers.get('Accept-Encoding', '')
        encoding = None
        for name, suffix in (('br', '.br'), ('gzip', '.gz')):
            if re.search(r'\b' + name + r'\b', taken) and os.path.isfile(path + suffix):
                encoding, path = name, path + suffix
                break
        stat = os.stat(path)
        tag = '"%x-%x%s"' % (int(stat.st_mtime), stat.st_size, '-' + encoding if encoding else '')
        versioned = 'v=' in url.query
        headers = {
            'Content-Type': kind,
            'ETag': tag,
            'Last-Modified': email.utils.formatdate(stat.st_mtime, usegmt=True),
            'Cache-Control': 'public, max-age=31536000, immutable' if versioned else 'no-cache',
            'Vary': 'Accept-Encoding',
            'Accept-Ranges': 'none' if encoding else 'bytes',
            'X-Content-Type-Options': 'nosniff',
        }
        if encoding:
            headers['Content-Encoding'] = encoding
        if self.headers.get('If-None-Match') == tag:
            self.send_response(304)
            for name in ('ETag', 'Cache-Control', 'Vary'):
                self.send_header(name, headers[name])
            self.end_headers()
            return
        start, end, status = 0, stat.st_size - 1, 200
        wanted = re.match(r'bytes=(\d*)-(\d*)$', self.headers.get('Range', ''))
        if wanted and not encoding and stat.st_size > 0:
            first, last = wanted.groups()
            if first == '':
                start = max(0, stat.st_size - int(last or 0))
            else:
                start = int(first)
                if last != '':
                    end = min(end, int(last))
            if start > end:
                self.send_response(416)
                self.send_header('Content-Range', 'bytes */%d' % stat.st_size)
                self.send_header('Content-Length', '0')
                self.end_headers()
                return
            status = 206
            headers['Content-Range'] = 'bytes %d-%d/%d' % (start, end, stat.st_size)
        headers['Content-Length'] = str(end - start + 1)
        self.send_response(status)
        for name, value in headers.items():
            self.send_header(name, value)
        self.end_headers()
        if not send_body:
            return
        with open(path, 'rb') as f:
            f.seek(start)
            left = end - start + 1
            while left > 0:
                chunk = f.read(min(left, 1 << 16))
                if not chunk:
                    break
                try:
                    self.wfile.write(chunk)
                except (BrokenPipeError, ConnectionResetError):
                    return
                left -= len(chunk)


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        # A browser that hangs up mid-answer (a page reloaded, a test's
        # server stopped) is no fault of the server's.
        if not isinstance(sys.exc_info()[1], (ConnectionError, TimeoutError)):
            super().handle_error(request, client_address)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    Handler.folder = os.path.realpath(sys.argv[1])
    server = Server(('127.0.0.1', int(sys.argv[2])), Handler)
    print('Serving %s at http://127.0.0.1:%d/' % (Handler.folder, server.server_address[1]),
          flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == '__main__':
    main()
