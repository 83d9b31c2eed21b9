#!/bin/sh
# Runs a test program inside a network namespace of its own, so that its
# broadcasts never reach the machine's network: loopback, and a veth pair
# qv0 (10.77.0.1) - qv1 (10.77.0.2) with the default route on qv0, which the
# limited broadcast 255.255.255.255 needs. Nothing links the namespace to
# the outside. Exits 77 (skipped) when no such namespace can be made.
#   in_private_netns.sh PROGRAM [ARGS...]
set -u

if ! command -v unshare >/dev/null 2>&1 || ! command -v ip >/dev/null 2>&1; then
    echo "skipped: unshare and ip (iproute2) are needed for a private network namespace"
    exit 77
fi

# Inside the namespace: "$0" is the program, "$@" its arguments.
setup='
if ! { ip link set lo up &&
       ip link add qv0 type veth peer name qv1 &&
       ip addr add 10.77.0.1/24 dev qv0 &&
       ip addr add 10.77.0.2/24 dev qv1 &&
       ip link set qv0 up && ip link set qv1 up &&
       ip route add default dev qv0; }; then
    echo "skipped: the network of the private namespace could not be set up"
    exit 77
fi
exec "$0" "$@"'

# As root a network namespace alone; otherwise inside a user namespace,
# where the system allows those.
if unshare --net true 2>/dev/null; then
    exec unshare --net sh -c "$setup" "$@"
fi
if unshare --user --map-root-user --net true 2>/dev/null; then
    exec unshare --user --map-root-user --net sh -c "$setup" "$@"
fi
echo "skipped: this account may not make a network namespace (unshare --net)"
exit 77
