#!/usr/bin/env python3
"""tests/system/update_server.py -- the update site for the system tests, on 127.0.0.1.

WinInet reaches it through the prefix's proxy setting, so requests arrive with the
product's own absolute address ("GET http://host/folder/update.txt HTTP/1.0"). Answers are
scripted per file name (the last part of the address) in a JSON file:

  {"update.txt": [{"body": "[sentinox]\\r\\nupdate=6\\r\\n"}, {"body": "..."}],
   "sentinoxupdate.zip": [{"file": "/path/archive.zip"}]}

Each request takes the next answer of its file; the last one is given again once the list
is used up. An answer may say "status" (default 200), "body" (text) or "file" (path),
"length": false (no Content-Length), "cut": N (send only N bytes of the body),
"drop": true (close without a word), "mute": true (keep the connection open and say
nothing at all) or "stall": true (after the head and the body, or its cut part, keep the
connection open and send nothing more). A file without answers gets 404.
The script is re-read at every request, so a test may change it between steps; a changed
script starts every file's answers from the first again.
Every request line goes to the log file, one per line. The server ends by itself after
--timeout seconds.
"""
import argparse
import json
import os
import socket
import socketserver
import threading
import time


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--script", required=True)
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--timeout", type=float, default=300)
    args = parser.parse_args()

    lock = threading.Lock()
    served = {}   # file name -> answers given since the script last changed
    last = [None]

    def next_answer(name):
        with open(args.script, encoding="utf-8") as f:
            text = f.read()
        answers = json.loads(text).get(name) or []
        with lock:
            if text != last[0]:
                served.clear()
                last[0] = text
            index = served.get(name, 0)
            served[name] = index + 1
        if not answers:
            return {"status": 404, "body": "<html>Not Found</html>"}
        return answers[min(index, len(answers) - 1)]

    class Handler(socketserver.StreamRequestHandler):
        def handle(self):
            line = self.rfile.readline(65536).decode("latin-1").rstrip("\r\n")
            while True:
                header = self.rfile.readline(65536)
                if header in (b"\r\n", b"\n", b""):
                    break
            with lock:
                with open(args.log, "a", encoding="latin-1") as log:
                    log.write(line + "\n")
            parts = line.split()
            url = parts[1] if len(parts) > 1 else ""
            answer = next_answer(url.rsplit("/", 1)[-1])
            if answer.get("drop"):
                return
            if answer.get("mute"):
                self.hold_open()
                return
            if "file" in answer:
                with open(answer["file"], "rb") as f:
                    body = f.read()
            else:
                body = answer.get("body", "").encode("latin-1")
            head = "HTTP/1.0 %d Scripted\r\n" % answer.get("status", 200)
            if answer.get("length", True):
                head += "Content-Length: %d\r\n" % len(body)
            head += "Content-Type: application/octet-stream\r\n\r\n"
            if "cut" in answer:
                body = body[: answer["cut"]]
            try:
                self.wfile.write(head.encode("latin-1") + body)
                self.wfile.flush()
            except (ConnectionResetError, BrokenPipeError):
                return   # the client stopped reading (a download refused without a length)
            if answer.get("stall"):
                self.hold_open()

        def hold_open(self):
            """Silence until the client gives up (closes) or the server ends."""
            self.request.settimeout(0.5)
            while True:
                try:
                    if not self.request.recv(4096):
                        return
                except socket.timeout:
                    continue
                except OSError:
                    return

    socketserver.ThreadingTCPServer.allow_reuse_address = True
    server = socketserver.ThreadingTCPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    tmp = args.port_file + ".tmp"
    with open(tmp, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(tmp, args.port_file)
    time.sleep(args.timeout)
    server.shutdown()


if __name__ == "__main__":
    main()
