#!/bin/sh
# Starts (or stops) the web servers the version check is tested against:
# Debian's nginx with a configuration of the test, and the scripted server
# for what nginx will not do on demand. Both are detached from the caller's
# pipes, so that CTest does not wait for them. The ports are written to
# DIR/ports.env as NAME=PORT lines.
# Usage: http_servers.sh start|stop DIR
set -eu
action=$1
dir=$2
here=$(cd "$(dirname "$0")" && pwd)

stop() {
    if [ -f "$dir/nginx.pid" ]; then
        kill "$(cat "$dir/nginx.pid")" 2>/dev/null || true
    fi
    if [ -f "$dir/scripted.pid" ]; then
        kill "$(cat "$dir/scripted.pid")" 2>/dev/null || true
    fi
    rm -f "$dir/nginx.pid" "$dir/scripted.pid" "$dir/ports.env" "$dir/scripted-ports.env"
}

free_port() {
    python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

if [ "$action" = stop ]; then
    stop
    exit 0
fi
stop
mkdir -p "$dir/www/download" "$dir/www-moved/download" "$dir/temp"
printf '4.1.0.270\r\n' >"$dir/www/download/Camfolio.latest"
printf '4.1.0.265' >"$dir/www-moved/download/Camfolio.latest"
plain=$(free_port)
moved=$(free_port)
target=$(free_port)
missing=$(free_port)
refused=$(free_port)
cat >"$dir/nginx.conf" <<CONF
worker_processes 1;
daemon on;
pid $dir/nginx.pid;
error_log $dir/nginx-error.log;
events { worker_connections 64; }
http {
    access_log $dir/nginx-access.log;
    client_body_temp_path $dir/temp/body;
    proxy_temp_path $dir/temp/proxy;
    fastcgi_temp_path $dir/temp/fastcgi;
    uwsgi_temp_path $dir/temp/uwsgi;
    scgi_temp_path $dir/temp/scgi;
    default_type text/plain;
    server {
        listen 127.0.0.1:$plain;
        root $dir/www;
        add_header Set-Cookie "visit=1; Path=/";
    }
    server {
        listen 127.0.0.1:$moved;
        location / { return 302 http://127.0.0.1:$target\$request_uri; }
    }
    server {
        listen 127.0.0.1:$target;
        root $dir/www-moved;
    }
    server {
        listen 127.0.0.1:$missing;
        root $dir/nowhere;
    }
}
CONF
/usr/sbin/nginx -c "$dir/nginx.conf" -p "$dir" </dev/null >"$dir/nginx.out" 2>&1
setsid python3 "$here/scripted_http_server.py" "$dir/scripted-ports.env" "$refused" \
    </dev/null >"$dir/scripted.log" 2>&1 &
echo $! >"$dir/scripted.pid"
tries=0
until [ -s "$dir/scripted-ports.env" ] && [ -s "$dir/nginx.pid" ]; do
    tries=$((tries + 1))
    [ "$tries" -le 100 ] || { echo "the test web servers did not start (see $dir)" >&2; exit 1; }
    sleep 0.1
done
{
    echo "nginx_plain=$plain"
    echo "nginx_moved=$moved"
    echo "nginx_missing=$missing"
    cat "$dir/scripted-ports.env"
} >"$dir/ports.env"
echo "test web servers ready: $(tr '\n' ' ' <"$dir/ports.env")"
