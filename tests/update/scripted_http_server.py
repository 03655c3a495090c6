#!/usr/bin/env python3
"""Answers the version check in the ways a real server will not on demand.

Usage: scripted_http_server.py PORTS_FILE REFUSED_PORT
Listens on 127.0.0.1 on one free port per behaviour, writes "NAME=PORT" lines
to PORTS_FILE (REFUSED names a port nobody listens on) and serves until killed.
"""
import socket
import sys
import threading
import time


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def read_request(conn):
    data = b""
    while b"\r\n\r\n" not in data:
        chunk = conn.recv(4096)
        if not chunk:
            return None
        data += chunk
    return data.decode("latin-1")


def header(request, name):
    for line in request.split("\r\n")[1:]:
        if line.lower().startswith(name.lower() + ":"):
            return line.split(":", 1)[1].strip()
    return ""


def chunked(conn, request, ports):
    # The body in chunks, each in a send of its own, split inside the size lines too.
    conn.sendall(b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n")
    for piece in [b"4\r", b"\n4.1.\r\n", b"5\r\n0.", b"272\r\n", b"2\r\n\r\n\r", b"\n0\r\n", b"\r\n"]:
        time.sleep(0.05)
        conn.sendall(piece)
    return True


def refresh(conn, request, ports):
    body = ('<html><head><meta http-equiv="refresh" content="0; url=http://localhost:%d/latest.txt">'
            "</head></html>" % ports["plain"]).encode()
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
    return True


def plain(conn, request, ports):
    # Reached through the refresh: it names the host it was asked by.
    body = b"4.1.0.273\r\n" if request.startswith("GET /latest.txt ") else b"4.1.0.264\r\n"
    conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
    return True


def loop(conn, request, ports):
    conn.sendall(b"HTTP/1.1 302 Found\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n")
    return True


def cookies(conn, request, ports):
    if request.startswith("GET /download/Camfolio.latest "):
        conn.sendall(b"HTTP/1.1 302 Found\r\nSet-Cookie: a=1; Path=/\r\nSet-Cookie: gone=x; Max-Age=0\r\n"
                     b"Set-Cookie: b=2\r\nLocation: second.txt\r\nContent-Length: 0\r\n\r\n")
    else:
        body = b"4.1.0.266" if header(request, "Cookie") == "a=1; b=2" else b"cookie: " + header(request, "Cookie").encode()
        conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(body) + body)
    return True


def slow(conn, request, ports):
    time.sleep(1.5)
    return plain(conn, request, ports)


def silent(conn, request, ports):
    time.sleep(3600)
    return False


BEHAVIOURS = {"chunked": chunked, "refresh": refresh, "plain": plain, "loop": loop,
              "cookies": cookies, "slow": slow, "silent": silent}


def serve(listener, behaviour, ports):
    while True:
        conn, _ = listener.accept()
        threading.Thread(target=answer, args=(conn, behaviour, ports), daemon=True).start()


def answer(conn, behaviour, ports):
    with conn:
        while True:
            request = read_request(conn)
            if request is None or not behaviour(conn, request, ports):
                return


def main():
    ports_file, refused = sys.argv[1], int(sys.argv[2])
    ports = {}
    listeners = {}
    for name in BEHAVIOURS:
        listener = socket.socket()
        listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        listener.bind(("127.0.0.1", 0))
        listener.listen(8)
        listeners[name] = listener
        ports[name] = listener.getsockname()[1]
    for name, listener in listeners.items():
        threading.Thread(target=serve, args=(listener, BEHAVIOURS[name], ports), daemon=True).start()
    with open(ports_file + ".part", "w") as out:
        for name, port in ports.items():
            out.write("%s=%d\n" % (name, port))
        out.write("refused=%d\n" % refused)
    import os
    os.replace(ports_file + ".part", ports_file)
    threading.Event().wait()


if __name__ == "__main__":
    main()
