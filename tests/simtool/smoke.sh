#!/usr/bin/env bash
# The simulator program answers a hello on its default address.
set -euo pipefail
sim=$1
"$sim" --port 19761 > /tmp/tavo-sim-smoke.$$ 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null; rm -f /tmp/tavo-sim-smoke.$$' EXIT
for _ in $(seq 50); do grep -q "on 192.168.1.101:19761" /tmp/tavo-sim-smoke.$$ && break; sleep 0.1; done
exec 3<>/dev/tcp/192.168.1.101/19761
printf '\x10\x02\x00\x01\x01\x10\x10\x03\x11' >&3
reply=$(timeout 5 head -c 9 <&3 | od -An -tx1 | tr -d ' \n')
exec 3>&-
echo "reply: $reply"
# 10 02 <id> 00 n 10 ...: a frame answering the hello
[[ $reply == 1002* && ${reply:10:2} == 10 ]]
