# The web page as the browser tests (web/tests) and the benchmark
# (bench/web_figures.py) open it: its folder served from 127.0.0.1 by a
# server they can make misbehave, in a headless Debian Chromium of its own.
import http.server
import pathlib
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service


class PageServer(http.server.ThreadingHTTPServer):
    # A folder on a port of its own, counting the bytes it sends. It adds
    # the headers given; it answers each file of `faults` missing, cut in
    # half, with the page itself, or only once released ('stalled'); while
    # `open` is clear it takes every request and answers none.

    def __init__(self, folder):
        self.folder, self.headers, self.faults, self.sent = folder, {}, {}, 0
        self.open, self.released = threading.Event(), threading.Event()
        self.open.set()
        server = self

        class Handler(http.server.SimpleHTTPRequestHandler):
            def __init__(self, *args):
                super().__init__(*args, directory=server.folder)

            def do_GET(self):
                file = self.path.lstrip('/')
                fault = server.faults.get(file)
                server.open.wait()
                if fault == 'stalled':
                    server.released.wait()
                if fault == 'missing':
                    return self.send_error(404)
                self.path = '/' if fault == 'page' else self.path  # as a host answering any address with its page
                if fault != 'cut':
                    return super().do_GET()
                body = pathlib.Path(server.folder, file).read_bytes()
                self.send_response(200)
                self.send_header('Content-Type', self.guess_type(file))
                self.end_headers()
                self.wfile.write(body[:len(body) // 2])

            def end_headers(self):
                for header in server.headers.items():
                    self.send_header(*header)
                super().end_headers()

            def log_message(self, *args):
                pass

            def setup(self):
                super().setup()
                write = self.wfile.write

                def counted(data):
                    server.sent += len(data)
                    return write(data)
                self.wfile.write = counted

        super().__init__(('127.0.0.1', 0), Handler)
        threading.Thread(target=self.serve_forever, daemon=True).start()
        self.url = f'http://127.0.0.1:{self.server_address[1]}/'

    def stop(self):
        self.open.set()
        self.released.set()
        self.shutdown()
        self.server_close()


def chromium(profile):
    # Headless, quiet, on a profile of its own; a page whose files never
    # come is still a page.
    options = webdriver.ChromeOptions()
    options.page_load_strategy = 'eager'
    options.set_capability('goog:loggingPrefs', {'browser': 'ALL'})
    for argument in ('--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
                     '--disable-background-networking', '--disable-component-update', '--disable-sync',
                     '--window-size=500,600', f'--user-data-dir={profile}'):
        options.add_argument(argument)
    driver = webdriver.Chrome(options=options, service=Service('/usr/bin/chromedriver'))
    driver.set_page_load_timeout(30)
    return driver
