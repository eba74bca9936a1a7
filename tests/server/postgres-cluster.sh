#!/bin/sh
# A throwaway PostgreSQL cluster for the tests of the server back end:
#   postgres-cluster.sh start DIR    initdb in DIR, listening on loopback only,
#                                    its address written to DIR/url
#   postgres-cluster.sh restart DIR  the server stopped and started again
#   postgres-cluster.sh stop DIR     stopped and DIR removed
# The server runs as an unprivileged user (nobody when started by root),
# without fsync unless POSTGRES_FSYNC=on (the tests need no durability).
set -eu
ACTION=$1
DIR=$2
BIN=$(ls -d /usr/lib/postgresql/15/bin 2>/dev/null || dirname "$(command -v initdb)")
AS=""
if [ "$(id -u)" -eq 0 ]; then
  AS="runuser -u nobody --"
fi

case "$ACTION" in
  start)
    rm -rf "$DIR"
    mkdir -p "$DIR"
    [ -z "$AS" ] || chown nobody "$DIR"
    $AS "$BIN/initdb" -D "$DIR/data" -U marbelo --auth=trust --encoding=UTF8 --locale=C.UTF-8 >"$DIR/initdb.log" 2>&1 \
      || { cat "$DIR/initdb.log" >&2; exit 1; }
    for try in 1 2 3 4 5; do
      PORT=$(shuf -i 20000-60000 -n 1)
      if $AS "$BIN/pg_ctl" -D "$DIR/data" -l "$DIR/server.log" -w -t 60 \
           -o "-c listen_addresses=127.0.0.1 -c port=$PORT -c unix_socket_directories='$DIR' -c fsync=${POSTGRES_FSYNC:-off} -c max_connections=200" \
           start >/dev/null; then
        "$BIN/createdb" -h 127.0.0.1 -p "$PORT" -U marbelo marbelo
        echo "postgresql://marbelo@127.0.0.1:$PORT/marbelo" >"$DIR/url"
        exit 0
      fi
    done
    cat "$DIR/server.log" >&2
    exit 1
    ;;
  restart)
    $AS "$BIN/pg_ctl" -D "$DIR/data" -w -t 60 -m fast restart >/dev/null
    ;;
  stop)
    [ ! -d "$DIR/data" ] || $AS "$BIN/pg_ctl" -D "$DIR/data" -w -t 60 -m fast stop >/dev/null || true
    rm -rf "$DIR"
    ;;
  *) echo "usage: $0 start|restart|stop DIR" >&2; exit 2 ;;
esac
